#pragma once

#include "core/job.h"

class downloadmanager;

// A download with its MD5 check as a job. It drives a manager the caller has
// given the URL, folder and expected MD5, or a manager of its own. An abort
// stops the transfer where it is and records the resume point, so the next
// start continues there; a failure does the same.
class DownloadJob : public Job
{
    Q_OBJECT

public:
    explicit DownloadJob(QObject *parent = nullptr);
    // The manager stays the caller's.
    explicit DownloadJob(downloadmanager *manager, QObject *parent = nullptr);

    downloadmanager *manager() const { return m_manager; }
    // The finished file, whose MD5 is checked: the manager's folder and the
    // file name it takes from the URL.
    void setPackagePath(const QString &path) { m_packagePath = path; }

protected:
    void doStart() override;
    void doAbort() override;

private:
    void connectManager();
    void onDownloaded();
    void onChecked();
    void onError(ErrorDefine::ErrorCode code, const QString &text);

    downloadmanager *m_manager;
    QString m_packagePath;
    // A check still under way from an earlier run must not end this one.
    bool m_verifying = false;
};
