#pragma once

#include <QNetworkReply>
#include <QObject>
#include <QUrl>

class BandwidthLimit;
class QNetworkAccessManager;
class QTimer;

// Fetches one byte range of one file with a ranged GET and hands every block,
// with the file position it belongs at, to its owner, which writes it and
// calls addDownloaded(). Blocks are large (a few hundred KiB) so that each
// costs one write, and are read only as fast as the bandwidth limit allows:
// what is not read stays in the reply, whose bounded buffer holds back the
// connection. Restarts itself after a failure or a stall, waiting
// longer before each restart, at most four times in a row: a mebibyte that
// arrives between two failures gives the four back, so only a link that
// makes no progress is given up.
class downloadtask : public QObject
{
    Q_OBJECT

public:
    static constexpr int kInactivityMs = 10000;
    static constexpr int kAttemptLimit = 5;
    // What the reply holds at most; a block is read once this much is there,
    // or when the bytes waiting are older than kBlockWaitMs.
    static constexpr qint64 kReadBufferBytes = 1 << 20;
    static constexpr qint64 kBlockBytes = 256 * 1024;
    static constexpr int kBlockWaitMs = 100;
    // The first restart waits about this long, each further one twice as long.
    static constexpr int kBackoffBaseMs = 1000;
    // Less than this rate over one window counts as a stall, even when the
    // bytes keep the inactivity watchdog quiet.
    static constexpr int kStallWindowMs = 30000;
    static constexpr qint64 kMinimumBytesPerSecond = 1024;
    static constexpr qint64 kProgressForFreshAttempts = 1 << 20;

    explicit downloadtask(QObject *parent = nullptr);

    qint64 downloadedSize() const { return m_downloadedSize; }
    // Once the range is whole the reply is closed at once: what the response
    // still does (a body longer than announced, a chunked body that never
    // ends) adds nothing and is not waited for.
    void addDownloaded(qint64 bytes);
    void reset();
    qint64 startPosition() const { return m_startPosition; }
    qint64 endPosition() const { return m_endPosition; }
    bool isFinished() const { return m_finished; }
    bool isStopped() const { return m_stopped; }
    // Gives the range beyond end to another task; bytes past it are not
    // handed over any more.
    void shortenTo(qint64 end);
    void setBandwidthLimit(BandwidthLimit *limit) { m_limit = limit; }
    // For tests: how long the transfer may stay silent before it restarts,
    // the wait before the first restart, the stall rule, and the progress
    // that gives the restarts back.
    void setInactivityMs(int ms);
    void setBackoffBaseMs(int ms) { m_backoffBaseMs = ms; }
    void setStallWindowMs(int ms);
    void setMinimumBytesPerSecond(qint64 rate) { m_minimumBytesPerSecond = rate; }
    void setProgressForFreshAttempts(qint64 bytes) { m_progressForFreshAttempts = bytes; }

signals:
    void progress(qlonglong bytes);
    void readyRead(const QByteArray &block, qlonglong filePosition, int taskIdentifier);
    void networkError(QNetworkReply::NetworkError error, const QString &msg);
    void httpStatusCodeError(int error, const QString &msg);
    // The server answered with the range asked for (206), before any block.
    void rangeConfirmed();

public slots:
    void setUrl(
        const QUrl &requestUrl, qlonglong start, qlonglong end, qlonglong size, int taskIdentifier);
    void start();
    void stop();

private slots:
    void downloadFinished();
    void downloadReadyRead();
    void readBlocks(bool evenSmall = false);
    void networkReplyProgress(qlonglong bytesRead);
    void timeout();
    void checkRate();

private:
    // Ends the task with httpStatusCodeError when the reply's status may not be retried.
    bool failOnStatus();
    void retryOrGiveUp(QNetworkReply::NetworkError error, const QString &text);
    bool restartIfAttemptsLeft();
    int backoffMs() const;
    void concludeReply();
    bool rangeComplete() const { return m_startPosition + m_downloadedSize >= m_endPosition; }

    qint64 m_downloadedSize = 0;
    bool m_stopped = true;
    bool m_finished = false;
    QUrl m_url;
    QNetworkAccessManager *m_manager = nullptr;
    QNetworkReply *m_reply = nullptr;
    int m_taskIdentifier = 0;
    qint64 m_startPosition = 0;
    qint64 m_endPosition = 0;
    int m_attempt = 1;
    QTimer *m_timer = nullptr;
    QTimer *m_restartTimer = nullptr;
    QTimer *m_rateTimer = nullptr;
    // Reads what waits in the reply: when the bandwidth allows it again, or
    // when a small block has waited long enough.
    QTimer *m_readTimer = nullptr;
    BandwidthLimit *m_limit = nullptr;
    bool m_replyEnded = false;
    int m_backoffBaseMs = kBackoffBaseMs;
    qint64 m_minimumBytesPerSecond = kMinimumBytesPerSecond;
    qint64 m_progressForFreshAttempts = kProgressForFreshAttempts;
    // Where the range stood when the current transfer began.
    qint64 m_sizeAtStart = 0;
    // Bytes of the current reply: all of them, and those before the
    // current rate window.
    qint64 m_received = 0;
    qint64 m_receivedBeforeWindow = 0;

    // A server that ignores the range answers 200 with the file from byte 0;
    // this many leading bytes of such a body are already in the file.
    qint64 m_bytesToSkip = 0;
    bool m_statusChecked = false;
};
