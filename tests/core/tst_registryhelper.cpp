#include "core/buildinfo.h"
#include "core/registryhelper.h"
#include "platform/registry.h"
#include "tests/support/testdata.h"
#include "tests/support/testenvironment.h"

#include <QtTest>

namespace {

const QString kRunKey = QStringLiteral(
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run");
const QString kRunValue = QStringLiteral("Tessaril_Launcher");

QString autostartEntry()
{
    return qEnvironmentVariable("XDG_CONFIG_HOME")
        + QStringLiteral("/autostart/Tessaril_Launcher.desktop");
}

} // namespace

class tst_RegistryHelper : public QObject
{
    Q_OBJECT

private slots:
    // Made first: it names the folder every value is kept in.
    void initTestCase() { RegistryHelper::instance(); }

    // Whatever was stored, asking repairs the value and the autostart entry
    // to start this program.
    void autoRunOn_data()
    {
        QTest::addColumn<QString>("stored"); // empty: the current program
        QTest::newRow("launcher moved") << QStringLiteral("/old/place/launcher");
        QTest::newRow("entry gone, value current") << QString();
    }

    void autoRunOn()
    {
        QFETCH(QString, stored);
        const QString expected = QDir::toNativeSeparators(QCoreApplication::applicationFilePath());
        platform::writeRegistryString(kRunKey, kRunValue, stored.isEmpty() ? expected : stored);
        QFile::remove(autostartEntry());
        QVERIFY(RegistryHelper::instance()->isAutoRun());
        QCOMPARE(platform::readRegistryString(kRunKey, kRunValue), expected);
        const QString entry = QString::fromUtf8(readFile(autostartEntry()));
        QVERIFY2(entry.contains(QStringLiteral("[Desktop Entry]")), qPrintable(entry));
        QVERIFY2(
            entry.contains(QStringLiteral("\nExec=\"%1\"\n").arg(expected)), qPrintable(entry));
    }

    void versionsAreSyncedAlone()
    {
        const QString uninstallKey = QStringLiteral(
            "HKEY_LOCAL_"
            "MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tessaril");
        platform::writeRegistryString(
            uninstallKey, QStringLiteral("DisplayVersion"), QStringLiteral("2.0.0.0"));
        platform::writeRegistryString(
            uninstallKey, QStringLiteral("Publisher"), QStringLiteral("Vantor"));
        RegistryHelper::instance()->syncUninstallDisplayVersion();
        RegistryHelper::instance()->syncLauncherVersion();
        // The installer's other values stay as they were.
        const QString version = QLatin1String(kLauncherVersion);
        QCOMPARE(QStringList({ RegistryHelper::instance()->uninstallDisplayVersion(),
                     platform::readRegistryString(
                         QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\launcher"),
                         QStringLiteral("Version")),
                     platform::readRegistryString(uninstallKey, QStringLiteral("Publisher")) }),
            QStringList({ version, version, QStringLiteral("Vantor") }));
    }
};

TESSARIL_TEST_MAIN(tst_RegistryHelper)
#include "tst_registryhelper.moc"
