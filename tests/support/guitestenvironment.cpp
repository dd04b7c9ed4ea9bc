#include "tests/support/guitestenvironment.h"

#include "dialogs/cdlgyesno.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>

void chooseWindowPlatform()
{
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return;
    qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("DISPLAY") ? "offscreen" : "xcb");
}

MessageAnswerer::MessageAnswerer(bool confirm)
    : confirm(confirm)
{
    qApp->installEventFilter(this);
}

bool MessageAnswerer::eventFilter(QObject *watched, QEvent *event)
{
    auto *dialog = qobject_cast<CDlgYesNo *>(watched);
    if (event->type() != QEvent::Show || !dialog)
        return false;
    // Answered once the dialog's own event loop runs: a click during the
    // show would close it before exec() waits.
    QPointer<CDlgYesNo> guard(dialog);
    QTimer::singleShot(0, this, [this, guard] {
        if (!guard || !guard->isVisible())
            return;
        QString said;
        for (QLabel *label : guard->findChildren<QLabel *>())
            said += label->text() + '\n';
        for (QTextBrowser *browser : guard->findChildren<QTextBrowser *>())
            said += browser->toPlainText() + '\n';
        shown << said;
        guard->findChild<QPushButton *>(confirm ? "btn_ok" : "btn_cancel")->click();
    });
    return false;
}
