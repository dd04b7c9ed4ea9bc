#include "dialogs/cdlgyesno.h"
#include "tests/support/guitestenvironment.h"

#include <QPushButton>
#include <QTextBrowser>
#include <QtTest>

class tst_CDlgYesNo : public QObject
{
    Q_OBJECT

private:
    static QPushButton *button(QWidget *dialog, const char *name)
    {
        return dialog->findChild<QPushButton *>(QLatin1String(name));
    }

private slots:
    void answers_data()
    {
        QTest::addColumn<int>("withCancel"); // -1: a dialog of its own with a close button
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("result");
        QTest::newRow("confirm") << -1 << "btn_ok" << 1;
        QTest::newRow("close") << -1 << "btn_close" << 0;
        QTest::newRow("escape") << -1 << "escape" << 0;
        QTest::newRow("message without cancel") << 0 << "btn_ok" << 1;
        QTest::newRow("message with cancel") << 1 << "btn_cancel" << 0;
    }

    void answers()
    {
        QFETCH(int, withCancel);
        QFETCH(QString, how);
        QFETCH(int, result);
        bool cancelShown = false, closeShown = false;
        answerNextDialog<CDlgYesNo>([&](CDlgYesNo *dialog) {
            cancelShown = button(dialog, "btn_cancel")->isVisible();
            closeShown = button(dialog, "btn_close")->isVisible();
            if (how == "escape")
                QTest::keyClick(dialog, Qt::Key_Escape);
            else
                button(dialog, qPrintable(how))->click();
        });
        if (withCancel < 0) {
            CDlgYesNo dialog;
            dialog.setCloseButtonVisible(true);
            dialog.setTitleAndText("title", "text");
            QCOMPARE(dialog.exec(), result);
        } else {
            QCOMPARE(CDlgYesNo::showMessage("t", "text", withCancel), result);
            QCOMPARE(cancelShown, withCancel == 1);
            QVERIFY(!closeShown);
        }
    }

    void messageBoxGrowsWithItsText()
    {
        CDlgYesNo dialog;
        auto *box = dialog.findChild<QTextBrowser *>("textBrowser");
        dialog.setTitleAndText(QString(), "short");
        dialog.show();
        QCoreApplication::processEvents();
        const int oneLine = box->height();
        QCOMPARE(oneLine, int(2 * box->frameWidth() + box->document()->size().height()));
        dialog.setTitleAndText(QString(), "line<br>line<br>line<br>line");
        QCoreApplication::processEvents();
        QCOMPARE(box->height(), int(2 * box->frameWidth() + box->document()->size().height()));
        QVERIFY(box->height() > oneLine);
    }
};

TESSARIL_GUI_TEST_MAIN(tst_CDlgYesNo)
#include "tst_cdlgyesno.moc"
