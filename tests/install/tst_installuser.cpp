#include "tests/support/testdata.h"
#include "tests/support/testenvironment.h"

#include <QtTest>

// scripts/install-user, as a player runs it, into a data folder of its own.
class tst_InstallUser : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_scratch;
    QString m_data = m_scratch.filePath(QStringLiteral("data home"));
    QString m_program = m_data + QStringLiteral("/tessaril-launcher");
    QString m_output;

    // Empty when the script succeeded, else what it said.
    QString installUser(const QStringList &args = {})
    {
        QProcess script;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_DATA_HOME"), m_data);
        script.setProcessEnvironment(environment);
        script.setProcessChannelMode(QProcess::MergedChannels);
        script.start(QStringLiteral(TESSARIL_SOURCE_DIR "/scripts/install-user"),
            QStringList { QStringLiteral("--no-build"), QStringLiteral("--build-dir"),
                QStringLiteral(TESSARIL_BUILD_DIR) }
                + args);
        if (!script.waitForFinished(60000))
            return QStringLiteral("did not finish");
        m_output = QString::fromLocal8Bit(script.readAll());
        return script.exitCode() == 0 ? QString() : m_output;
    }

private slots:
    void init()
    {
        QVERIFY(QDir(m_data).removeRecursively());
        QVERIFY(QDir().mkpath(m_data));
    }

    // The removal keeps only what the launcher wrote into its folder.
    void menuEntryStartsTheInstalledLauncherUntilRemoved()
    {
        QCOMPARE(installUser(), QString());
        const QString entryPath
            = m_data + QStringLiteral("/applications/tessaril-launcher.desktop");
        QProcess validate;
        validate.setProcessChannelMode(QProcess::MergedChannels);
        validate.start(QStringLiteral("desktop-file-validate"), { entryPath });
        QVERIFY2(validate.waitForFinished(10000), "desktop-file-validate (scripts/setup)");
        QCOMPARE(validate.readAll(), QByteArray());
        QCOMPARE(validate.exitCode(), 0);

        // A space on the way: the path must be quoted.
        const QString entry = QString::fromUtf8(readFile(entryPath));
        QVERIFY2(entry.contains(QStringLiteral("\nExec=\"%1/TessarilLauncher\"\n").arg(m_program)),
            qPrintable(entry));
        QVERIFY(QFileInfo(m_program + QStringLiteral("/TessarilLauncher")).isExecutable());

        // An older version's file, named by the list as a program file, and
        // what the launcher wrote into its folder.
        const QString list = m_program + QStringLiteral("/tessaril-files.txt");
        QVERIFY(writeFile(list, readFile(list) + "plugins/old.so\n"));
        for (const char *name : { "plugins/old.so", "config.ini", "Tessaril Game/Quorvela.exe" })
            QVERIFY(writeFile(m_program + QLatin1Char('/') + QLatin1String(name), {}));

        QCOMPARE(installUser(), QString());
        QVERIFY(!QFileInfo::exists(m_program + QStringLiteral("/plugins")));
        // Written for the user outside the folder: the settings store, the
        // web page's storage and its cache.
        const QString settings
            = qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Vantor");
        const QString webCache = qEnvironmentVariable("XDG_CACHE_HOME") + QStringLiteral("/Vantor");
        for (const QString &folder : { settings, webCache + QStringLiteral("/Tessaril/QtWebEngine"),
                 m_data + QStringLiteral("/Vantor/Tessaril/QtWebEngine/Default") })
            QVERIFY(writeFile(folder + QStringLiteral("/Cookies"), {}));

        QCOMPARE(installUser({ QStringLiteral("--remove") }), QString());
        QVERIFY(!QFileInfo::exists(webCache));
        QVERIFY2(m_output.trimmed().split(QLatin1Char('\n')).last().contains(settings),
            qPrintable(m_output));
        QCOMPARE(fileList(m_data, QDir::AllEntries),
            QStringList({ "tessaril-launcher", "tessaril-launcher/Tessaril Game",
                "tessaril-launcher/Tessaril Game/Quorvela.exe", "tessaril-launcher/config.ini" }));
    }
};

TESSARIL_TEST_MAIN(tst_InstallUser)
#include "tst_installuser.moc"
