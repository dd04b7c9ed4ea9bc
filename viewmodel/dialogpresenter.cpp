#include "viewmodel/dialogpresenter.h"

#include "dialogs/cdlgyesno.h"

#include <QDialog>
#include <QEvent>
#include <QScreen>
#include <QWindow>

namespace {

// Keeps a dialog centred over the main window while it runs. The place is
// taken again when the dialog shows and whenever the window moves: a
// question asked right after start-up would otherwise use where the window
// stood before the window manager placed it.
class Placement : public QObject
{
public:
    Placement(QDialog &dialog, QWindow *window)
        : m_dialog(dialog)
        , m_window(window)
    {
        place();
        m_dialog.installEventFilter(this);
        if (m_window) {
            connect(m_window, &QWindow::xChanged, this, &Placement::place);
            connect(m_window, &QWindow::yChanged, this, &Placement::place);
        }
    }

    ~Placement() override { m_dialog.removeEventFilter(this); }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == &m_dialog && event->type() == QEvent::Show)
            place();
        return false;
    }

private:
    void place()
    {
        if (!m_window || m_window->frameGeometry().isEmpty())
            return;
        QRect frame(QPoint(0, 0), m_dialog.frameGeometry().size());
        frame.moveCenter(m_window->frameGeometry().center());
        // On the window's screen, whole, even when the window hangs off it.
        if (m_window->screen()) {
            const QRect screen = m_window->screen()->availableGeometry();
            frame.moveRight(qMin(frame.right(), screen.right()));
            frame.moveBottom(qMin(frame.bottom(), screen.bottom()));
            frame.moveLeft(qMax(frame.left(), screen.left()));
            frame.moveTop(qMax(frame.top(), screen.top()));
        }
        m_dialog.move(frame.topLeft());
    }

    QDialog &m_dialog;
    QPointer<QWindow> m_window;
};

} // namespace

DialogPresenter::DialogPresenter(QObject *parent)
    : QObject(parent)
{
}

void DialogPresenter::showMessage(
    const QString &title, const QString &text, Action action, bool showCancel)
{
    if (m_closed)
        return;
    m_pending = action;
    CDlgYesNo dialog;
    dialog.setOkOnly(!showCancel);
    dialog.resize(460, 300);
    dialog.setTitleAndText(title, text);
    const bool confirmed = exec(dialog) == 1;
    // Another message may have been shown while this one was open; each
    // answer goes to the action its own message came with.
    m_pending = nullptr;
    if (action)
        action(confirmed);
}

int DialogPresenter::exec(QDialog &dialog)
{
    if (m_closed)
        return QDialog::Rejected;
    if (m_open++ == 0)
        emit dimmedChanged();
    int result = 0;
    {
        Placement placement(dialog, m_window);
        result = dialog.exec();
    }
    if (--m_open == 0)
        emit dimmedChanged();
    return result;
}

void DialogPresenter::answer(bool confirmed)
{
    if (m_pending)
        m_pending(confirmed);
}
