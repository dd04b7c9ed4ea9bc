#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWindow>

#include <functional>

class QDialog;

// Shows the launcher's dialogs modally over the main window: asks the window
// to dim itself, centres the dialog on it, and lets the dimming go once no
// dialog is left open. One presenter serves every part of the view model, so
// a dialog opened from inside another (a reply handled in its event loop)
// keeps the window dimmed until the last one closes.
class DialogPresenter : public QObject
{
    Q_OBJECT

public:
    // Run with the answer when a message closes.
    using Action = std::function<void(bool confirmed)>;

    explicit DialogPresenter(QObject *parent = nullptr);

    // The window the dialogs are centred over; none centres nothing.
    void setWindow(QWindow *window) { m_window = window; }

    void showMessage(const QString &title, const QString &text, Action action, bool showCancel);
    // Runs dialog over the dimmed window and gives exec()'s result.
    int exec(QDialog &dialog);
    // The answer of a message given from elsewhere (the window's own dialog).
    void answer(bool confirmed);

    bool dimmed() const { return m_open > 0; }
    // Once the program quits, a late reply must not open a dialog that keeps
    // it alive until someone answers: a closed presenter shows nothing.
    void close() { m_closed = true; }

signals:
    void dimmedChanged();

private:
    QPointer<QWindow> m_window;
    Action m_pending;
    int m_open = 0;
    bool m_closed = false;
};
