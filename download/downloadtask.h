#pragma once

#include <QNetworkReply>
#include <QObject>
#include <QUrl>

class QNetworkAccessManager;
class QTimer;

// Fetches one byte range of one file with a ranged GET and hands every block,
// with the file position it belongs at, to its owner, which writes it and
// calls addDownloaded(). Restarts itself after a failure or a stall, at most
// four times in its life.
class downloadtask : public QObject
{
    Q_OBJECT

public:
    static constexpr int kInactivityMs = 10000;
    static constexpr int kAttemptLimit = 5;
    static constexpr qint64 kReadBufferBytes = 51200;

    explicit downloadtask(QObject *parent = nullptr);

    qint64 downloadedSize() const { return m_downloadedSize; }
    void addDownloaded(qint64 bytes) { m_downloadedSize += bytes; }
    void reset();
    void setReplyReadBufferSize(qint64 size);
    // For tests: how long the transfer may stay silent before it restarts.
    void setInactivityMs(int ms);

signals:
    void progress(qlonglong bytes);
    void readyRead(const QByteArray &block, qlonglong filePosition, int taskIdentifier);
    void networkError(QNetworkReply::NetworkError error, const QString &msg);
    void httpStatusCodeError(int error, const QString &msg);

public slots:
    void setUrl(
        const QUrl &requestUrl, qlonglong start, qlonglong end, qlonglong size, int taskIdentifier);
    void start();
    void stop();

private slots:
    void downloadFinished();
    void downloadReadyRead();
    void networkReplyProgress(qlonglong bytesRead);
    void timeout();

private:
    void retryOrGiveUp(QNetworkReply::NetworkError error, const QString &text);
    bool restartIfAttemptsLeft();
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

    // A server that ignores the range answers 200 with the file from byte 0;
    // this many leading bytes of such a body are already in the file.
    qint64 m_bytesToSkip = 0;
    bool m_statusChecked = false;
};
