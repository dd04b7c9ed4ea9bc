#pragma once

#include "core/errordefine.h"
#include "download/resumestore.h"
#include "download/writtendigest.h"

#include <QNetworkReply>
#include <QObject>
#include <QUrl>

#include <functional>

class QFile;
class QNetworkAccessManager;
class downloadtask;

using ErrorCode = ErrorDefine::ErrorCode;

// Downloads one package into a folder, resumably: the size comes from a HEAD
// request, the partial file "<name>_tmp" is preallocated and filled block by
// block, and how far it got is recorded in the per-user settings so a later
// run continues there. The finished file gets its name, then its MD5 check.
// The name is the last segment of the URL as given, whatever the server
// redirects to, and a URL whose name is not a plain file name is refused
// before anything is asked or written.
class downloadmanager : public QObject
{
    Q_OBJECT

public:
    // Redirects followed for one size query before giving up. Only http and
    // https targets are followed.
    static constexpr int kMaxRedirects = 10;

    explicit downloadmanager(QObject *parent = nullptr);
    ~downloadmanager() override;

    bool isDownloading() const { return m_downloading; }
    // Returns once the resume records are on disk; nothing writes them
    // later unless the download starts again.
    void flushRecords() { m_progressStore.flush(); }

    // Where the resume records go; by default the per-user settings of the
    // launcher. A program of its own (the updater) keeps its records apart.
    void setResumeStore(const QString &iniFile);
    // A rule every redirect target must pass as well, for a caller with a
    // stricter rule for its URLs than "http or https".
    void setRedirectFilter(std::function<bool(const QUrl &)> accept)
    {
        m_redirectFilter = std::move(accept);
    }
    // Names this downloader's records in the store (see ResumeStore::setKey).
    void setResumeKey(const QString &key, bool alsoUnkeyed = false)
    {
        m_progressStore.setKey(key, alsoUnkeyed);
    }
    // For tests: the timings of the transfers started from now on (see
    // downloadtask).
    void setInactivityMs(int ms) { m_inactivityMs = ms; }
    void setBackoffBaseMs(int ms) { m_backoffBaseMs = ms; }
    void setStallWindowMs(int ms) { m_stallWindowMs = ms; }
    void setMinimumBytesPerSecond(qint64 rate) { m_minimumBytesPerSecond = rate; }
    void setProgressForFreshAttempts(qint64 bytes) { m_progressForFreshAttempts = bytes; }

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
    void httpReadyRead(const QByteArray &buffer, qlonglong startPosition, int taskId);
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
    void dropSizeReply();
    void failSizeQuery(int status);
    void recordProgress(int taskId, bool force);
    void refuseName();
    void closeFile();
    void dropTasks();
    void completeDownload();
    void failWrite(ErrorCode code, const char *messageId);

    QUrl m_url;
    // Where the size query got to; the transfer fetches from there.
    QUrl m_sourceUrl;
    // Empty when the URL names no plain file; then nothing is fetched.
    QString m_fileName;
    QString m_filePath;
    QFile *m_file = nullptr;
    qint64 m_totalSize = 0;
    QString m_expectedMd5;
    QList<downloadtask *> m_tasks;
    bool m_sizeQueryPending = false;
    QNetworkReply *m_sizeReply = nullptr;
    QNetworkAccessManager *m_network = nullptr;
    bool m_downloading = false;

    int m_redirects = 0;
    std::function<bool(const QUrl &)> m_redirectFilter;
    // A 416 makes the size be asked once more before it counts as a failure.
    bool m_sizeAskedAgain = false;
    bool m_refusalQueued = false;
    ResumeStore m_progressStore;
    // A download written in one pass is checked against this, not read again.
    WrittenDigest m_digest;
    // Consecutive writes that stayed within one second: a disk that keeps up
    // earns the task a larger read buffer again.
    int m_quickWrites = 0;
    int m_inactivityMs;
    int m_backoffBaseMs;
    int m_stallWindowMs;
    qint64 m_minimumBytesPerSecond;
    qint64 m_progressForFreshAttempts;
};
