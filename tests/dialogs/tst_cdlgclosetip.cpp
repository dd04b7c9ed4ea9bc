#include "core/launcherconfig.h"
#include "dialogs/cdlgclosetip.h"
#include "tests/support/guitestenvironment.h"

#include <QRadioButton>
#include <QtTest>

class tst_CDlgCloseTip : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void answers_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("steps"); // what the user clicks or presses, in order
        QTest::addColumn<int>("exitType");
        QTest::addColumn<QString>("opensOn");
        QTest::addColumn<int>("result");
        const QVariant none, two(2);
        QTest::newRow("stored 2") << two << "btn_ok" << 2 << "radio_exit" << 1;
        QTest::newRow("picks quit") << none << "radio_exit btn_ok" << 2 << "radio_min" << 1;
        QTest::newRow("picks quit, escape") << none << "radio_exit escape" << 2 << "radio_min" << 0;
    }

    void answers()
    {
        QFETCH(QVariant, stored);
        QFETCH(QString, steps);
        // Every case starts from a launcher file of its own.
        LauncherConfig::useFile(m_dir.filePath(QTest::currentDataTag()));
        if (stored.isValid())
            LauncherConfig::instance()->setInt("exit_type", stored.toInt(), QString());
        CDlgCloseTip dialog;
        QString checkedAtOpen;
        answerNextDialog<CDlgCloseTip>([&](CDlgCloseTip *shown) {
            for (const char *name : { "radio_min", "radio_exit" }) {
                if (shown->findChild<QRadioButton *>(QLatin1String(name))->isChecked())
                    checkedAtOpen += QLatin1String(name);
            }
            for (const QString &step : steps.split(' ')) {
                auto *button = shown->findChild<QAbstractButton *>(step);
                if (!button)
                    QTest::keyClick(shown, Qt::Key_Escape);
                else
                    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(12, button->height() / 2));
            }
        });
        QTEST(dialog.exec(), "result");
        QTEST(checkedAtOpen, "opensOn");
        QTEST(dialog.exitType(), "exitType");
        // Storing the answer is the caller's business.
        QCOMPARE(LauncherConfig::instance()->getInt("exit_type", QString()), stored.toInt());
    }
};

TESSARIL_GUI_TEST_MAIN(tst_CDlgCloseTip)
#include "tst_cdlgclosetip.moc"
