#include "core/launcherconfig.h"
#include "dialogs/cdlgappinfo.h"
#include "dialogs/cdlgclosetip.h"
#include "tests/support/guitestenvironment.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

template <typename T> T *child(QWidget *dialog, const QString &name)
{
    return dialog->findChild<T *>(name);
}

// Caption text -> the value shown in the same row.
QMap<QString, QString> rows(QWidget *dialog)
{
    auto *grid = child<QGridLayout>(dialog, QStringLiteral("gridLayout"));
    QMap<QString, QString> shown;
    for (int row = 0; row < grid->rowCount(); ++row) {
        auto *caption = qobject_cast<QLabel *>(grid->itemAtPosition(row, 0)->widget());
        auto *value = qobject_cast<QLabel *>(grid->itemAtPosition(row, 1)->widget());
        shown.insert(caption->text(), value->text());
    }
    return shown;
}

} // namespace

class tst_SmallDialogs : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_configs = 0;

private slots:
    void init()
    {
        LauncherConfig::useFile(m_dir.filePath(QStringLiteral("config%1.ini").arg(++m_configs)));
    }

    void closeTip_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("steps"); // what the user clicks or presses, in order
        QTest::addColumn<int>("exitType");
        QTest::addColumn<QString>("opensOn");
        QTest::addColumn<int>("result");
        const QVariant none;
        QTest::newRow("nothing stored") << none << "btn_ok" << 1 << "radio_min" << 1;
        QTest::newRow("stored 1") << QVariant(1) << "btn_ok" << 1 << "radio_min" << 1;
        QTest::newRow("stored 2") << QVariant(2) << "btn_ok" << 2 << "radio_exit" << 1;
        QTest::newRow("stored 3") << QVariant(3) << "btn_ok" << 1 << "radio_min" << 1;
        QTest::newRow("picks quit") << none << "radio_exit btn_ok" << 2 << "radio_min" << 1;
        QTest::newRow("picks minimise")
            << QVariant(2) << "radio_min btn_ok" << 1 << "radio_exit" << 1;
        QTest::newRow("picks quit, then escape")
            << none << "radio_exit escape" << 2 << "radio_min" << 0;
        QTest::newRow("stored 2, escape") << QVariant(2) << "escape" << 2 << "radio_exit" << 0;
    }

    void closeTip()
    {
        QFETCH(QVariant, stored);
        QFETCH(QString, steps);
        if (stored.isValid())
            LauncherConfig::instance()->setInt(
                QStringLiteral("exit_type"), stored.toInt(), QString());

        CDlgCloseTip dialog;
        QString checkedAtOpen;
        answerNextDialog<CDlgCloseTip>([&](CDlgCloseTip *shown) {
            for (const char *name : { "radio_min", "radio_exit" }) {
                if (child<QRadioButton>(shown, QLatin1String(name))->isChecked())
                    checkedAtOpen += QLatin1String(name);
            }
            for (const QString &step : steps.split(' ')) {
                if (step == QLatin1String("escape")) {
                    QTest::keyClick(shown, Qt::Key_Escape);
                    continue;
                }
                auto *button = child<QAbstractButton>(shown, step);
                QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(12, button->height() / 2));
            }
        });
        QTEST(dialog.exec(), "result");
        QTEST(checkedAtOpen, "opensOn");
        QTEST(dialog.exitType(), "exitType");
        // Storing the answer is the caller's business.
        QCOMPARE(LauncherConfig::instance()->getInt(QStringLiteral("exit_type"), QString()),
            stored.toInt());
    }

    void appInfoShowsWhatItIsGiven()
    {
        CDlgAppInfo dialog;
        dialog.setInfo(QStringLiteral("1.8.2"), QStringLiteral("OS_10"), QStringLiteral("2.3.4.0"));
        QMap<QString, QString> shown;
        answerNextDialog<CDlgAppInfo>([&](CDlgAppInfo *open) {
            shown = rows(open);
            QTest::mouseClick(
                child<QPushButton>(open, QStringLiteral("pushButton")), Qt::LeftButton);
        });
        QCOMPARE(dialog.exec(), 0);
        QCOMPARE(shown,
            (QMap<QString, QString> { { QStringLiteral("label_game_info"), "1.8.2" },
                { QStringLiteral("label_app_info"), "OS_10" },
                { QStringLiteral("label_launcher_version"), "2.3.4.0" } }));
    }
};

TESSARIL_GUI_TEST_MAIN(tst_SmallDialogs)
#include "tst_smalldialogs.moc"
