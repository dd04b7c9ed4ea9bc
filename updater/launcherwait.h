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

    // executablePath: the launcher file itself, so that an unrelated program
    // of the same name never holds the update.
    void start(const QString &executablePath, int limitMs);

signals:
    void ended();
    void stillRunning();

private:
    void poll();

    QTimer m_timer;
    QElapsedTimer m_elapsed;
    QString m_executablePath;
    int m_limitMs = 0;
};
