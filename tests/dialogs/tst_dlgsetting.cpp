#include "core/launcherconfig.h"
#include "core/registryhelper.h"
#include "dialogs/dlgsetting.h"
#include "dialogs/langtextwidget.h"
#include "platform/registry.h"
#include "tests/support/guitestenvironment.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTranslator>
#include <QtTest>

namespace {

const QString kRunKey = QStringLiteral(
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run");
const QString kRunValue = QStringLiteral("Tessaril_Launcher");
const QString kAbsent = QStringLiteral("<absent>");

template <typename T> T *child(QWidget *dialog, const QString &name)
{
    return dialog->findChild<T *>(name);
}

QString thisProgram()
{
    return QDir::toNativeSeparators(QCoreApplication::applicationFilePath());
}

bool autostartEntryExists()
{
    return QFile::exists(qEnvironmentVariable("XDG_CONFIG_HOME")
        + QStringLiteral("/autostart/Tessaril_Launcher.desktop"));
}

// What the launcher's file holds for key, as text, or kAbsent.
QString stored(const char *key)
{
    const QString value = LauncherConfig::instance()->getString(QLatin1String(key), QString());
    return value.isNull() ? kAbsent : value;
}

void store(const char *key, const QVariant &value)
{
    LauncherConfig *config = LauncherConfig::instance();
    if (value.type() == QVariant::Bool)
        config->setBool(QLatin1String(key), value.toBool(), QString());
    else if (value.type() == QVariant::Int)
        config->setInt(QLatin1String(key), value.toInt(), QString());
    else if (value.isValid())
        config->setString(QLatin1String(key), value.toString(), QString());
}

// Clicks as the user does: first the section that holds the control, then
// the control itself (on its indicator, for check boxes and radio buttons).
void clickControl(DlgSetting *dialog, const QString &name)
{
    auto *list = child<QListWidget>(dialog, QStringLiteral("listWidget"));
    auto *stack = child<QStackedWidget>(dialog, QStringLiteral("stackedWidget"));
    auto *control = child<QAbstractButton>(dialog, name);
    QWidget *page = control;
    while (page->parentWidget() != stack)
        page = page->parentWidget();
    const QRect row = list->visualItemRect(list->item(stack->indexOf(page)));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
    QVERIFY(control->isVisible());
    QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(12, control->height() / 2));
}

struct Shown
{
    bool autoRun = false;
    bool autoUpdate = false;
    bool quit = false;
    bool redDot = false;
    int section = -1;
};

Shown controls(DlgSetting *dialog)
{
    Shown shown;
    shown.autoRun = child<QCheckBox>(dialog, QStringLiteral("checkBoxAutoRun"))->isChecked();
    shown.autoUpdate = child<QCheckBox>(dialog, QStringLiteral("checkBoxAutoUpdate"))->isChecked();
    shown.quit = child<QRadioButton>(dialog, QStringLiteral("radioExit"))->isChecked();
    shown.section = child<QStackedWidget>(dialog, QStringLiteral("stackedWidget"))->currentIndex();
    shown.redDot = !child<QLabel>(dialog, QStringLiteral("lblRedPoint"))->isHidden();
    return shown;
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
        QVERIFY(!autostartEntryExists());
    }

    void controlsShowStoredValues_data()
    {
        QTest::addColumn<QString>("autoRun"); // the Run value; "here" is this program
        QTest::addColumn<QVariant>("autoUpdate");
        QTest::addColumn<QVariant>("exitType");
        QTest::addColumn<QVariant>("newVersion");
        QTest::addColumn<bool>("autoRunShown");
        QTest::addColumn<bool>("autoUpdateShown");
        QTest::addColumn<bool>("quitShown");
        QTest::addColumn<bool>("redDot");
        const QVariant none;
        QTest::newRow("nothing stored")
            << "" << none << none << none << false << false << false << false;
        QTest::newRow("all on, quit") << "here" << QVariant(true) << QVariant(2)
                                      << QVariant("2.3.4.0") << true << true << true << false;
        QTest::newRow("auto-run naming an old place")
            << "/old/place/launcher" << QVariant(false) << QVariant(1) << QVariant("") << true
            << false << false << false;
        QTest::newRow("exit_type 0")
            << "" << none << QVariant(0) << none << false << false << false << false;
        QTest::newRow("exit_type of no meaning")
            << "" << none << QVariant(3) << none << false << false << false << false;
        QTest::newRow("newer third part")
            << "" << none << none << QVariant("2.3.10.0") << false << false << false << true;
        QTest::newRow("newer second part, fewer parts")
            << "" << none << none << QVariant("2.4") << false << false << false << true;
        QTest::newRow("older") << "" << none << none << QVariant("2.3.3.9") << false << false
                               << false << false;
        QTest::newRow("not a version")
            << "" << none << none << QVariant("2.3.x.0") << false << false << false << false;
    }

    void controlsShowStoredValues()
    {
        QFETCH(QString, autoRun);
        QFETCH(QVariant, autoUpdate);
        QFETCH(QVariant, exitType);
        QFETCH(QVariant, newVersion);
        platform::writeRegistryString(
            kRunKey, kRunValue, autoRun == QLatin1String("here") ? thisProgram() : autoRun);
        store("is_auto_update", autoUpdate);
        store("exit_type", exitType);
        store("new_version", newVersion);

        DlgSetting dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const Shown shown = controls(&dialog);
        QTEST(shown.autoRun, "autoRunShown");
        QTEST(shown.autoUpdate, "autoUpdateShown");
        QTEST(shown.quit, "quitShown");
        QTEST(shown.redDot, "redDot");
        QCOMPARE(shown.section, 0);
        QCOMPARE(child<QLabel>(&dialog, QStringLiteral("lblVersion"))->text(),
            QStringLiteral("2.3.4.0"));
        // The login entry follows a value that is on, wherever it pointed.
        QCOMPARE(autostartEntryExists(), !autoRun.isEmpty());
    }

    void confirmOrLeave_data()
    {
        QTest::addColumn<bool>("autoRunBefore");
        QTest::addColumn<QVariant>("exitTypeBefore");
        QTest::addColumn<QVariant>("firstExitBefore");
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("autoRunAfter");
        QTest::addColumn<QString>("autoUpdateAfter");
        QTest::addColumn<QString>("exitTypeAfter");
        QTest::addColumn<QString>("firstExitAfter");
        const QVariant none;
        const QStringList allOnQuit { "checkBoxAutoRun", "checkBoxAutoUpdate", "radioExit" };
        QTest::newRow("confirm untouched")
            << false << none << none << QStringList() << "btnOk" << 1 << false << "false"
            << "1" << kAbsent;
        QTest::newRow("confirm all on and quit")
            << false << none << none << allOnQuit << "btnOk" << 1 << true << "true"
            << "2"
            << "false";
        QTest::newRow("confirm auto-run off and minimise")
            << true << QVariant(2) << QVariant(false)
            << QStringList { "checkBoxAutoRun", "radioMin" } << "btnOk" << 1 << false << "false"
            << "1"
            << "false";
        QTest::newRow("cancel after toggling") << false << none << none << allOnQuit << "btnCancel"
                                               << 0 << false << kAbsent << kAbsent << kAbsent;
        QTest::newRow("escape after toggling")
            << true << QVariant(2) << none << QStringList { "checkBoxAutoRun", "radioMin" }
            << "escape" << 0 << true << kAbsent << "2" << kAbsent;
    }

    void confirmOrLeave()
    {
        QFETCH(bool, autoRunBefore);
        QFETCH(QVariant, exitTypeBefore);
        QFETCH(QVariant, firstExitBefore);
        QFETCH(QStringList, clicks);
        QFETCH(QString, how);
        QFETCH(int, result);
        QFETCH(bool, autoRunAfter);
        QFETCH(QString, autoUpdateAfter);
        QFETCH(QString, exitTypeAfter);
        RegistryHelper::instance()->setAutoRun(autoRunBefore);
        store("exit_type", exitTypeBefore);
        store("is_first_exit", firstExitBefore);

        DlgSetting dialog;
        answerNextDialog<DlgSetting>([&](DlgSetting *shown) {
            for (const QString &name : clicks)
                clickControl(shown, name);
            if (how == QLatin1String("escape"))
                QTest::keyClick(shown, Qt::Key_Escape);
            else
                child<QPushButton>(shown, how)->click();
        });
        QCOMPARE(dialog.exec(), result);
        QCOMPARE(platform::readRegistryString(kRunKey, kRunValue),
            autoRunAfter ? thisProgram() : QString());
        QCOMPARE(autostartEntryExists(), autoRunAfter);
        QCOMPARE(stored("is_auto_update"), autoUpdateAfter);
        QCOMPARE(stored("exit_type"), exitTypeAfter);
        QTEST(stored("is_first_exit"), "firstExitAfter");

        // The same dialog opens again on what is stored, not on what was
        // left unconfirmed, and on its first section.
        Shown reopened;
        answerNextDialog<DlgSetting>([&](DlgSetting *shown) {
            reopened = controls(shown);
            shown->reject();
        });
        QCOMPARE(dialog.exec(), 0);
        QCOMPARE(reopened.autoRun, autoRunAfter);
        QCOMPARE(reopened.autoUpdate, autoUpdateAfter == QLatin1String("true"));
        QCOMPARE(reopened.quit, exitTypeAfter == QLatin1String("2"));
        QCOMPARE(reopened.section, 0);
    }

    void sectionsFollowTheList()
    {
        DlgSetting dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *list = child<QListWidget>(&dialog, QStringLiteral("listWidget"));
        auto *stack = child<QStackedWidget>(&dialog, QStringLiteral("stackedWidget"));
        QCOMPARE(list->count(), 3);
        for (int row : { 2, 1, 0, 2 }) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                list->visualItemRect(list->item(row)).center());
            QCOMPARE(stack->currentIndex(), row);
            for (int other = 0; other < list->count(); ++other) {
                auto *caption = list->itemWidget(list->item(other))->findChild<QLabel *>();
                QCOMPARE(caption->property("labelState").toString(),
                    QLatin1String(other == row ? "select" : "normal"));
            }
        }
        dialog.hide();
        dialog.show();
        QCOMPARE(stack->currentIndex(), 0);
        QCOMPARE(list->currentRow(), 0);
    }

    void updateCheckIsTheUsers()
    {
        LauncherConfig::instance()->setBool(QStringLiteral("is_user_update"), false, QString());
        DlgSetting dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        // The query reads the flag as soon as it hears the signal.
        QList<bool> flagAtSignal;
        connect(&dialog, &DlgSetting::checkProgrameUpdate, [&] {
            flagAtSignal << LauncherConfig::instance()->getBool(
                QStringLiteral("is_user_update"), QString(), false);
        });
        clickControl(&dialog, QStringLiteral("btnCheckUpdate"));
        clickControl(&dialog, QStringLiteral("btnCheckUpdate"));
        QCOMPARE(flagAtSignal, QList<bool>({ true, true }));
        QCOMPARE(stored("is_user_update"), QStringLiteral("true"));
        QVERIFY(dialog.isVisible());
    }

    void grab()
    {
        QTranslator english;
        QVERIFY(english.load(QStringLiteral(QT_TESTCASE_BUILDDIR "/bin/language/i18n_en.qm")));
        QCoreApplication::installTranslator(&english);
        RegistryHelper::instance()->setAutoRun(true);
        store("new_version", QVariant("2.3.10.0"));
        DlgSetting dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QString artefacts = qEnvironmentVariable("TESSARIL_ARTEFACTS");
        if (artefacts.isEmpty())
            QSKIP("TESSARIL_ARTEFACTS is not set");
        QDir().mkpath(artefacts);
        const char *pages[] = { "start", "close", "version" };
        for (int page = 0; page < 3; ++page) {
            dialog.onTabSwitch(page);
            QVERIFY(dialog.grab().save(
                artefacts + QStringLiteral("/settings-dialog-%1.png").arg(pages[page])));
        }
        QCoreApplication::removeTranslator(&english);
    }
};

TESSARIL_GUI_TEST_MAIN(tst_DlgSetting)
#include "tst_dlgsetting.moc"
