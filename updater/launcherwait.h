#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// Waits until no process runs the launcher's executable, for a limited time:
// the launcher quits right after starting the updater, and a launcher that
// never does must not have its files moved under it.
class LauncherWait : public QObject
{
    Q_OBJECT

public:
    explicit LauncherWait(QObject *parent = nullptr);

    void start(const QString &imageName, int limitMs);

signals:
    void ended();
    void stillRunning();

private:
    void poll();

    QTimer m_timer;
    QElapsedTimer m_elapsed;
    QString m_imageName;
    int m_limitMs = 0;
};
