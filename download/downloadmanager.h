#pragma once

#include "core/errordefine.h"
#include "download/downloadtransfer.h"
#include "download/resumestore.h"
#include "download/sizequery.h"
#include "download/writtendigest.h"

#include <QNetworkReply>
#include <QObject>
#include <QUrl>

#include <functional>

class QThread;

using ErrorCode = ErrorDefine::ErrorCode;

// Downloads one package into a folder, resumably: the size comes from a HEAD
// request, the partial file "<name>_tmp" is preallocated and filled by the
// transfer on a thread of its own, in several segments at once when the
// server honours ranges and one connection proves slow, and how far each got
// is recorded in the per-user settings so a later run continues there. The
// finished file gets its name, then its MD5 check. The name is the last
// segment of the URL as given, whatever the server redirects to, and a URL
// whose name is not a plain file name is refused before anything is asked or
// written.
class downloadmanager : public QObject
{
    Q_OBJECT

public:
    static constexpr int kMaxRedirects = sizequery::kMaxRedirects;
    static constexpr int kDefaultSegments = 4;
    static constexpr int kMostSegments = 8;

    explicit downloadmanager(QObject *parent = nullptr);
    ~downloadmanager() override;

    bool isDownloading() const { return m_downloading; }
    // Returns once the resume records are on disk; nothing writes them
    // later unless the download starts again.
    void flushRecords() { m_progressStore.flush(); }

    // Where the resume records go; by default the per-user settings of the
    // launcher. A program of its own (the updater) keeps its records apart.
    void setResumeStore(const QString &iniFile);
    // Names this downloader's records in the store (see ResumeStore::setKey).
    void setResumeKey(const QString &key, bool alsoUnkeyed = false)
    {
        m_progressStore.setKey(key, alsoUnkeyed);
    }
    // A rule every redirect target must pass as well, for a caller with a
    // stricter rule for its URLs than "http or https".
    void setRedirectFilter(std::function<bool(const QUrl &)> accept)
    {
        m_sizeQuery->setRedirectFilter(std::move(accept));
    }
    // How many ranges of a download are fetched at once, from the next
    // start on; 1 fetches it in one. By default the launcher's setting.
    void setSegments(int count) { m_segments = qBound(1, count, kMostSegments); }
    // The launcher's setting, for the managers made from now on.
    static void setDefaultSegments(int count);
    // For tests: the timings of the transfers started from now on (see
    // downloadtask), the shortest segment worth a connection, and when one
    // connection is split (see downloadtransfer).
    void setInactivityMs(int ms) { m_plan.inactivityMs = ms; }
    void setBackoffBaseMs(int ms) { m_plan.backoffBaseMs = ms; }
    void setStallWindowMs(int ms) { m_plan.stallWindowMs = ms; }
    void setMinimumBytesPerSecond(qint64 rate) { m_plan.minimumBytesPerSecond = rate; }
    void setProgressForFreshAttempts(qint64 bytes) { m_plan.progressForFreshAttempts = bytes; }
    void setSmallestSegment(qint64 bytes) { m_plan.smallestSegment = bytes; }
    void setSplitRule(qint64 belowBytesPerSecond, int probeMs)
    {
        m_plan.splitBelowBytesPerSecond = belowBytesPerSecond;
        m_plan.splitProbeMs = probeMs;
    }
    // Told of every range of the partial file once it is written, on the
    // transfer's thread, from the next start on; empty for none.
    void setWrittenObserver(std::function<void(qint64 offset, qint64 length)> written)
    {
        m_plan.written = std::move(written);
    }
    // Fetches the bytes from offset on next, beside what is under way: what
    // a reader of the partial file waits for. Ignored when the server does
    // not honour ranges or nothing is being fetched.
    void fetchFrom(qint64 offset);

signals:
    void downloadReplyProgress(qlonglong bytesRead, qlonglong totalBytes);
    void downloadFinished();
    void downloadError(ErrorCode error, const QString &msg);
    void httpError(ErrorCode error, const QString &msg);
    void md5CheckStart();
    void md5CheckFinish();

public slots:
    void setUrl(const QUrl &requestUrl);
    void setFilePath(const QString &path);
    void initTasks();
    void startDownload();
    void stopDownlaod();
    void resetDownload();
    void networkReplyProgress(qlonglong size);
    void httpNetworkError(QNetworkReply::NetworkError error, const QString &msg);
    void httpStatusCodeError(int error, const QString &msg);
    qlonglong getDownloadedSize();
    qlonglong getTotalSize();
    void setFileMD5(const QString &md5);
    void headerResponseFinished();
    void getFileMd5(const QString &fileMD5);
    void fileMd5(const QString &filePath);

private:
    QString finalPath() const;
    QString partialPath() const { return finalPath() + QStringLiteral("_tmp"); }
    void querySize();
    void refuseName();
    void startTransfer();
    void stopTransfer();
    void store(const DownloadSegments &segments);
    void completeDownload(const QString &md5);
    void onFileFailed(int code);
    bool current(quint64 generation) const { return generation == m_plan.generation; }

    QUrl m_url;
    // Where the size query got to; the transfer fetches from there.
    QUrl m_sourceUrl;
    // Empty when the URL names no plain file; then nothing is fetched.
    QString m_fileName;
    QString m_filePath;
    qint64 m_totalSize = 0;
    qint64 m_written = 0;
    QString m_expectedMd5;
    // Where each segment stands, as last heard from the transfer; empty
    // until the download is prepared and after it completed.
    DownloadSegments m_done;
    bool m_downloading = false;
    sizequery *m_sizeQuery = nullptr;
    // A 416 makes the size be asked once more before it counts as a failure.
    bool m_sizeAskedAgain = false;
    bool m_refusalQueued = false;
    int m_segments;
    ResumeStore m_progressStore;
    // A download written in one pass is checked against this, not read again.
    WrittenDigest m_digest;
    // What the transfer is asked to do; its generation tells its reports
    // from those of a transfer stopped since.
    downloadtransfer::Plan m_plan;
    QThread *m_thread = nullptr;
    downloadtransfer *m_transfer = nullptr;
};
