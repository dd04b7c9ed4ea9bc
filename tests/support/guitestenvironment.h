#pragma once

#include "tests/support/testenvironment.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

// Real windows go to the X server when there is one (the test command starts
// Xvfb), else offscreen. Call before the application object exists.
void chooseWindowPlatform();

// Calls answer(dialog) on the next modal dialog of type Dialog once it shows.
template <typename Dialog, typename Answer> void answerNextDialog(Answer answer)
{
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *dialog = qobject_cast<Dialog *>(widget);
            if (dialog && dialog->isVisible()) {
                timer->stop();
                timer->deleteLater();
                answer(dialog);
                return;
            }
        }
    });
    timer->start(20);
}

// Answers every message (CDlgYesNo) that shows while it lives, with
// confirm or cancel, and keeps what each said: its labels' and text
// browser's texts, one per line, in one entry per message.
class MessageAnswerer : public QObject
{
public:
    explicit MessageAnswerer(bool confirm = false);
    bool confirm;
    QStringList shown;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

// Like QTEST_MAIN, but isolates the user folders before the application object
// exists, since Qt reads some of them at start-up.
#define TESSARIL_GUI_TEST_MAIN(TestClass)                                                          \
    int main(int argc, char **argv)                                                                \
    {                                                                                              \
        IsolatedUserFolders folders;                                                               \
        chooseWindowPlatform();                                                                    \
        QApplication app(argc, argv);                                                              \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        TestClass test;                                                                            \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
