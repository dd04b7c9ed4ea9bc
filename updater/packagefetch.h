#pragma once

#include "download/downloadmanager.h"

#include <QObject>
#include <QUrl>

// Downloads the launcher package into a folder of its own, resumably (a run
// cut short continues where it stopped), and checks its MD5.
class PackageFetch : public QObject
{
    Q_OBJECT

public:
    explicit PackageFetch(QObject *parent = nullptr);

    // fileName is the name the download manager gives the package: the last
    // segment of the URL.
    void start(const QUrl &url, const QString &md5, const QString &folder, const QString &fileName,
        const QString &resumeStore);

    // Once this returns, the resume store is not written again.
    void flushRecords() { m_download.flushRecords(); }

signals:
    void progress(qint64 done, qint64 total);
    void verifying();
    void fetched();
    // damaged: the whole package arrived but its MD5 is not the expected one.
    void failed(bool damaged, const QString &detail);

private:
    void fail(ErrorCode code, const QString &message);

    downloadmanager m_download;
    QString m_path;
    bool m_done = false;
};
