#include "dialogs/cdlgyesno.h"
#include "tests/support/guitestenvironment.h"

#include <QGraphicsDropShadowEffect>
#include <QMouseEvent>
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
    void oneAndTwoButtonLayouts()
    {
        QRect okOnly, ok, cancel;
        bool cancelShown = true;
        answerNextDialog<CDlgYesNo>([&](CDlgYesNo *dialog) {
            cancelShown = button(dialog, "btn_cancel")->isVisible();
            okOnly = button(dialog, "btn_ok")->geometry();
            QVERIFY(!button(dialog, "btn_close")->isVisible());
            button(dialog, "btn_ok")->click();
        });
        QCOMPARE(
            CDlgYesNo::showMessage(QStringLiteral("t"), QStringLiteral("one button"), false), 1);
        QVERIFY(!cancelShown);

        answerNextDialog<CDlgYesNo>([&](CDlgYesNo *dialog) {
            ok = button(dialog, "btn_ok")->geometry();
            cancel = button(dialog, "btn_cancel")->geometry();
            button(dialog, "btn_cancel")->click();
        });
        QCOMPARE(
            CDlgYesNo::showMessage(QStringLiteral("t"), QStringLiteral("two buttons"), true), 0);
        QVERIFY(cancel.right() < ok.left());
        QCOMPARE(ok.left() - cancel.right() - 1, 12);
        QCOMPARE(cancel.height(), 48);
        QCOMPARE(okOnly.width(), ok.right() - cancel.left() + 1); // alone it takes the whole row
    }

    void resultCodesAndOpenCount_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("result");
        QTest::newRow("confirm") << "btn_ok" << 1;
        QTest::newRow("cancel") << "btn_cancel" << 0;
        QTest::newRow("close") << "btn_close" << 0;
        QTest::newRow("escape") << "escape" << 0;
    }

    void resultCodesAndOpenCount()
    {
        QFETCH(QString, how);
        QFETCH(int, result);
        CDlgYesNo dialog;
        dialog.setCloseButtonVisible(true);
        dialog.setTitleAndText(QStringLiteral("title"), QStringLiteral("text"));
        QCOMPARE(CDlgYesNo::openCount(), 0);
        int countWhileOpen = -1;
        QTimer::singleShot(50, [&] {
            countWhileOpen = CDlgYesNo::openCount();
            if (how == QLatin1String("escape"))
                QTest::keyClick(&dialog, Qt::Key_Escape);
            else
                button(&dialog, qPrintable(how))->click();
        });
        QCOMPARE(dialog.exec(), result);
        QCOMPARE(countWhileOpen, 1);
        QCOMPARE(CDlgYesNo::openCount(), 0);
    }

    void messageBoxGrowsWithItsText()
    {
        CDlgYesNo dialog;
        auto *box = dialog.findChild<QTextBrowser *>(QStringLiteral("textBrowser"));
        dialog.setTitleAndText(QString(), QStringLiteral("short"));
        dialog.show();
        QCoreApplication::processEvents();
        const int oneLine = box->height();
        QCOMPARE(oneLine, int(2 * box->frameWidth() + box->document()->size().height()));
        dialog.setTitleAndText(QString(), QStringLiteral("line<br>line<br>line<br>line"));
        QCoreApplication::processEvents();
        QCOMPARE(box->height(), int(2 * box->frameWidth() + box->document()->size().height()));
        QVERIFY(box->height() > oneLine);
        dialog.close();
    }

    void shadowMargins()
    {
        CDlgYesNo surrounded;
        auto *effect = qobject_cast<QGraphicsDropShadowEffect *>(surrounded.graphicsEffect());
        QVERIFY(effect);
        QCOMPARE(effect->offset(), QPointF(0, 0));
        QCOMPARE(surrounded.size(), QSize(490, 316));

        CDlgFramelessWindow corner;
        corner.resize(100, 100);
        corner.setShadowMargins(0, 0, 10, 10);
        effect = qobject_cast<QGraphicsDropShadowEffect *>(corner.graphicsEffect());
        QVERIFY(effect);
        QCOMPARE(effect->offset(), QPointF(10, 10));
        QCOMPARE(corner.size(), QSize(110, 110));

        CDlgFramelessWindow refused;
        refused.resize(100, 100);
        refused.setShadowMargins(-1, 10, 10, 10);
        QVERIFY(!refused.graphicsEffect());
        QCOMPARE(refused.size(), QSize(100, 100));
    }

    void ninePatchKeepsCorners()
    {
        const QImage frame(QStringLiteral(":/pic/dlg_bg.png"));
        QCOMPARE(frame.size(), QSize(460, 270));
        const QImage scaled
            = CDlgFramelessWindow::scaleNinePatch(QPixmap::fromImage(frame), 50, 50, 470, 296)
                  .toImage()
                  .convertToFormat(frame.format());
        QCOMPARE(scaled.size(), QSize(470, 296));
        QCOMPARE(scaled.copy(0, 0, 50, 50), frame.copy(0, 0, 50, 50));
        QCOMPARE(scaled.copy(420, 0, 50, 50), frame.copy(410, 0, 50, 50));
        QCOMPARE(scaled.copy(0, 246, 50, 50), frame.copy(0, 220, 50, 50));
        QCOMPARE(scaled.copy(420, 246, 50, 50), frame.copy(410, 220, 50, 50));
        QCOMPARE(
            scaled.pixel(235, 148), frame.pixel(230, 135)); // the centre is stretched, not tiled
    }

    void dragsOnlyWithTheLeftButton()
    {
        CDlgYesNo dialog;
        dialog.move(100, 100);
        dialog.show();
        QCoreApplication::processEvents();
        const QPoint start = dialog.frameGeometry().topLeft();
        auto send = [&dialog](QEvent::Type type, const QPoint &global, Qt::MouseButton button,
                        Qt::MouseButtons buttons) {
            QMouseEvent event(
                type, dialog.mapFromGlobal(global), global, button, buttons, Qt::NoModifier);
            QApplication::sendEvent(&dialog, &event);
        };
        const QPoint grip = start + QPoint(30, 20);
        send(QEvent::MouseButtonPress, grip, Qt::RightButton, Qt::RightButton);
        send(QEvent::MouseMove, grip + QPoint(40, 40), Qt::NoButton, Qt::RightButton);
        send(QEvent::MouseButtonRelease, grip + QPoint(40, 40), Qt::RightButton, Qt::NoButton);
        QCOMPARE(dialog.frameGeometry().topLeft(), start);

        send(QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
        send(QEvent::MouseMove, grip + QPoint(55, 33), Qt::NoButton, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, grip + QPoint(55, 33), Qt::LeftButton, Qt::NoButton);
        QTRY_COMPARE(dialog.pos(), start + QPoint(55, 33));
        dialog.close();
    }
};

TESSARIL_GUI_TEST_MAIN(tst_CDlgYesNo)
#include "tst_cdlgyesno.moc"
