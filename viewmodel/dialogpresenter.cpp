#include "viewmodel/dialogpresenter.h"

#include "dialogs/cdlgyesno.h"
#include "viewmodel/windowitems.h"

#include <QDialog>

namespace {

const QString kMask = QStringLiteral("bgMask_msgbox");

} // namespace

DialogPresenter::DialogPresenter(WindowItems &items)
    : m_items(items)
{
}

void DialogPresenter::showMessage(
    const QString &title, const QString &text, Action action, bool showCancel)
{
    m_pending = action;
    showMask();
    ++m_open;
    const bool confirmed
        = CDlgYesNo::showMessage(title, text, showCancel, nullptr, m_items.rootRect()) == 1;
    --m_open;
    // Another message may have been shown while this one was open; each
    // answer goes to the action its own message came with.
    m_pending = nullptr;
    if (action)
        action(confirmed);
    hideMaskUnlessOpen();
}

int DialogPresenter::exec(QDialog &dialog)
{
    const QRect over = m_items.rootRect();
    if (!over.isEmpty())
        dialog.move(over.center() - dialog.rect().center());
    showMask();
    ++m_open;
    const int result = dialog.exec();
    --m_open;
    hideMaskUnlessOpen();
    return result;
}

void DialogPresenter::answer(bool confirmed)
{
    if (m_pending)
        m_pending(confirmed);
}

void DialogPresenter::showMask()
{
    m_items.set(kMask, "visible", true);
}

void DialogPresenter::hideMaskUnlessOpen()
{
    if (m_open == 0 && CDlgYesNo::openCount() == 0)
        m_items.set(kMask, "visible", false);
}
