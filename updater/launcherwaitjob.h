#pragma once

#include "core/job.h"

#include <QElapsedTimer>
#include <QTimer>

// Waits until no process runs the launcher's executable, for a limited time:
// the launcher quits right after starting the updater, and a launcher that
// never does must not have its files moved under it. Fails when the time is
// up, with the executable's path as its text.
class LauncherWaitJob : public Job
{
    Q_OBJECT

public:
    // executablePath: the launcher file itself, so that an unrelated program
    // of the same name never holds the update.
    LauncherWaitJob(const QString &executablePath, int limitMs, QObject *parent = nullptr);

protected:
    void doStart() override;
    void doAbort() override;

private:
    void poll();

    QTimer m_timer;
    QElapsedTimer m_elapsed;
    QString m_executablePath;
    int m_limitMs;
};
