#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QVariant>

// The named items of the main window that the view model writes directly.
// An item the window does not have (yet) is skipped, so a window without
// its root or a trimmed document never breaks the flow.
class WindowItems
{
public:
    void setRoot(QObject *root) { m_root = root; }
    QObject *root() const { return m_root; }

    QObject *find(const QString &objectName) const;
    bool set(const QString &objectName, const char *property, const QVariant &value);
    bool invoke(const QString &objectName, const char *method,
        Qt::ConnectionType type = Qt::DirectConnection);
    // Once the program quits, a late reply must not open a dialog that keeps
    // it alive until someone answers: closed items show no dialog.
    void close() { m_closed = true; }
    bool isClosed() const { return m_closed; }
    // The window's geometry on screen, for placing dialogs over it.
    QRect rootRect() const;

private:
    QPointer<QObject> m_root;
    bool m_closed = false;
};
