#pragma once

#include <QString>

#include <functional>

class QDialog;
class WindowItems;

// Shows the launcher's dialogs modally over the main window: dims the
// window with its mask, centres the dialog on it, and takes the mask away
// once no dialog is left open. Presenters made for one question share the
// count of open dialogs with the view model's, so the mask stays while any
// of them is open.
class DialogPresenter
{
public:
    // Run with the answer when a message closes.
    using Action = std::function<void(bool confirmed)>;

    explicit DialogPresenter(WindowItems &items);

    void showMessage(const QString &title, const QString &text, Action action, bool showCancel);
    // Runs dialog over the mask and gives exec()'s result.
    int exec(QDialog &dialog);
    // The answer of a message given from elsewhere (the window's own dialog).
    void answer(bool confirmed);

private:
    void showMask();
    void hideMaskUnlessOpen();

    WindowItems &m_items;
    Action m_pending;
};
