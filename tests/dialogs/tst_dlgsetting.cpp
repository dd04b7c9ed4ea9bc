#include "core/launcherconfig.h"
#include "core/registryhelper.h"
#include "dialogs/dlgsetting.h"
#include "download/bandwidthlimit.h"
#include "platform/registry.h"
#include "tests/support/guitestenvironment.h"

#include <QAbstractButton>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <QStackedWidget>
#include <QtTest>

namespace {

const QString kRunKey = QStringLiteral(
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run");
const QString kRunValue = QStringLiteral("Tessaril_Launcher");

QString thisProgram()
{
    return QDir::toNativeSeparators(QCoreApplication::applicationFilePath());
}

bool autostartEntryExists()
{
    return QFile::exists(qEnvironmentVariable("XDG_CONFIG_HOME")
        + QStringLiteral("/autostart/Tessaril_Launcher.desktop"));
}

// "is_auto_update exit_type is_first_exit" as the launcher's file holds
// them, "-" for a key it does not hold.
QString storedKeys()
{
    QStringList values;
    for (const char *key : { "is_auto_update", "exit_type", "is_first_exit" }) {
        const QString value = LauncherConfig::instance()->getString(key, QString());
        values << (value.isNull() ? QStringLiteral("-") : value);
    }
    return values.join(' ');
}

// Stores a value unless it is invalid or "-".
void store(const char *key, const QVariant &value)
{
    if (value.isValid() && value.toString() != "-")
        LauncherConfig::instance()->setString(key, value.toString(), QString());
}

// The checked controls and a shown red dot, by name, in form order; the
// section shown when it is not the first.
QString shownControls(DlgSetting *dialog)
{
    QStringList shown;
    for (const char *name : { "checkBoxAutoRun", "checkBoxAutoUpdate", "radioMin", "radioExit" }) {
        if (dialog->findChild<QAbstractButton *>(QLatin1String(name))->isChecked())
            shown << QLatin1String(name);
    }
    if (!dialog->findChild<QLabel *>(QStringLiteral("lblRedPoint"))->isHidden())
        shown << QStringLiteral("lblRedPoint");
    if (const int section = dialog->findChild<QStackedWidget *>()->currentIndex())
        shown << QStringLiteral("section %1").arg(section);
    return shown.join(' ');
}

// Clicks as the user does: first the section that holds the control, then
// the control itself (on the indicator, for check boxes and radio buttons).
void clickControl(DlgSetting *dialog, const QString &name)
{
    auto *list = dialog->findChild<QListWidget *>();
    auto *stack = dialog->findChild<QStackedWidget *>();
    auto *control = dialog->findChild<QAbstractButton *>(name);
    QWidget *page = control;
    while (page->parentWidget() != stack)
        page = page->parentWidget();
    const QRect row = list->visualItemRect(list->item(stack->indexOf(page)));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
    QVERIFY2(control->isVisible(), qPrintable(name));
    QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(12, control->height() / 2));
}

} // namespace

class tst_DlgSetting : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_configs = 0;

private slots:
    // Every case starts from an empty launcher file and start at login off.
    void init()
    {
        LauncherConfig::useFile(m_dir.filePath(QStringLiteral("config%1.ini").arg(++m_configs)));
        RegistryHelper::instance()->setAutoRun(false);
    }

    // "<Run value> <is_auto_update> <exit_type> <new_version> = <shown>":
    // "-" stores nothing, "''" an empty text, "here" is this program.
    void controlsShowStoredValues_data()
    {
        QTest::addColumn<QString>("run");
        QTest::newRow("nothing stored") << "- - - - = radioMin";
        QTest::newRow("all on, quit, no newer launcher")
            << "here true 2 2.3.4.0 = checkBoxAutoRun checkBoxAutoUpdate radioExit";
        QTest::newRow("auto-run naming an old place")
            << "/old/place/launcher false 1 '' = checkBoxAutoRun radioMin";
        QTest::newRow("newer launcher") << "- - - 2.3.10.0 = radioMin lblRedPoint";
        QTest::newRow("not a version") << "- - - 2.3.x.0 = radioMin";
    }

    void controlsShowStoredValues()
    {
        QFETCH(QString, run);
        QStringList stored = run.section(" = ", 0, 0).split(' ').replaceInStrings("''", "");
        const QString autoRun = stored.takeFirst().replace("here", thisProgram());
        platform::writeRegistryString(kRunKey, kRunValue, autoRun == "-" ? QString("") : autoRun);
        for (const char *key : { "is_auto_update", "exit_type", "new_version" })
            store(key, stored.takeFirst());
        DlgSetting dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(shownControls(&dialog), run.section(" = ", 1));
        // A value that is on has a login entry, wherever it pointed before.
        QCOMPARE(autostartEntryExists(), autoRun != "-");
    }

    // The limit reaches the running downloads when confirmed, and the dialog
    // shows it when it opens again.
    void speedLimitAppliesAtOnce()
    {
        DlgSetting dialog;
        answerNextDialog<DlgSetting>([](DlgSetting *shown) {
            clickControl(shown, QStringLiteral("checkBoxSpeedLimit"));
            shown->findChild<QSpinBox *>()->setValue(7);
            shown->findChild<QAbstractButton *>(QStringLiteral("btnOk"))->click();
        });
        QCOMPARE(dialog.exec(), 1);
        QCOMPARE(BandwidthLimit::shared().bytesPerSecond(), 7000000);
        DlgSetting again;
        QCOMPARE(again.findChild<QSpinBox *>()->value(), 7);
        LauncherConfig::instance()->setDownloadSpeedLimit(0);
        DlgSetting::applyDownloadSettings();
        QCOMPARE(BandwidthLimit::shared().bytesPerSecond(), 0);
    }

    // before: "<auto-run> <exit_type> <is_first_exit>", "-" for a key not
    // stored; after: "<auto-run> <stored keys> / <controls it reopens on>".
    void confirmOrLeave_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("after");
        const QStringList allOnQuit { "checkBoxAutoRun", "checkBoxAutoUpdate", "radioExit" };
        const QStringList offMinimise { "checkBoxAutoRun", "radioMin" };
        QTest::newRow("confirm untouched")
            << "off - -" << QStringList() << "btnOk" << 1 << "off false 1 - / radioMin";
        QTest::newRow("confirm all on and quit")
            << "off - -" << allOnQuit << "btnOk" << 1 << "on true 2 false / " + allOnQuit.join(' ');
        // Minimising leaves "is_first_exit" as it was.
        QTest::newRow("confirm auto-run off and minimise")
            << "on 2 false" << offMinimise << "btnOk" << 1 << "off false 1 false / radioMin";
        QTest::newRow("cancel after toggling")
            << "off - -" << allOnQuit << "btnCancel" << 0 << "off - - - / radioMin";
    }

    void confirmOrLeave()
    {
        QFETCH(QString, before);
        const QStringList was = before.split(' ');
        RegistryHelper::instance()->setAutoRun(was[0] == "on");
        store("exit_type", was[1]);
        store("is_first_exit", was[2]);
        QFETCH(QStringList, clicks);
        QFETCH(QString, how);
        DlgSetting dialog;
        answerNextDialog<DlgSetting>([&](DlgSetting *shown) {
            for (const QString &name : clicks)
                clickControl(shown, name);
            shown->findChild<QAbstractButton *>(how)->click();
        });
        QTEST(dialog.exec(), "result");
        const QString run = platform::readRegistryString(kRunKey, kRunValue);
        QVERIFY(run.isEmpty() || run == thisProgram());
        QCOMPARE(autostartEntryExists(), !run.isEmpty());
        const QString stored = storedKeys();

        // The same dialog opens again on what is stored, not on what was
        // left unconfirmed, and on its first section.
        QString reopened;
        answerNextDialog<DlgSetting>([&](DlgSetting *shown) {
            reopened = shownControls(shown);
            shown->reject();
        });
        dialog.exec();
        QTEST(QString("%1 %2 / %3").arg(run.isEmpty() ? "off" : "on", stored, reopened), "after");
    }
};

TESSARIL_GUI_TEST_MAIN(tst_DlgSetting)
#include "tst_dlgsetting.moc"
