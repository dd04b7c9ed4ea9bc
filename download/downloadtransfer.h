#pragma once

#include "download/resumestore.h"

#include <QElapsedTimer>
#include <QList>
#include <QNetworkReply>
#include <QObject>
#include <QUrl>

#include <functional>

class QFile;
class QTimer;
class downloadtask;
class md5checkworker;

// The work of one download on its own thread: the tasks that fetch the
// segments, the writes of their blocks at their offsets, the digest taken
// as the file is written, and when the owner hears how far it got. The owner
// hears of progress at most ten times a second and of what is written (after
// a flush, so a record never claims a byte not yet in the file) at most five
// times a second, and always when the transfer stops, ends or fails.
class downloadtransfer : public QObject
{
    Q_OBJECT

public:
    static constexpr int kProgressIntervalMs = 100;
    static constexpr int kRecordIntervalMs = 200;
    // A segment shorter than this is not worth a connection of its own.
    static constexpr qint64 kSmallestSegmentBytes = 4 << 20;
    // A download starts on one connection and is split only when that one
    // carries less than this over its first moments: a connection that fast
    // is not held back by the server, and segments would then only cost
    // (more connections, and a checksum that can follow just the first one).
    static constexpr qint64 kSplitBelowBytesPerSecond = 64 << 20;
    static constexpr int kSplitProbeMs = 500;

    struct Plan
    {
        QUrl url;
        QString path; // the partial file
        qint64 size = 0;
        DownloadSegments segments;
        int segmentCount = 1;
        qint64 smallestSegment = kSmallestSegmentBytes;
        qint64 splitBelowBytesPerSecond = kSplitBelowBytesPerSecond;
        int splitProbeMs = kSplitProbeMs;
        int inactivityMs = 0;
        int backoffBaseMs = 0;
        int stallWindowMs = 0;
        qint64 minimumBytesPerSecond = 0;
        qint64 progressForFreshAttempts = 0;
        quint64 generation = 0;
        // Told of every range once it is in the file, those of an earlier run
        // included, for a reader that follows the download; called on the
        // transfer's thread.
        std::function<void(qint64 offset, qint64 length)> written;
    };

    explicit downloadtransfer(QObject *parent = nullptr);
    ~downloadtransfer() override;

    // Opens the file and starts the tasks of the plan; while running, only
    // restarts the tasks that gave up.
    void begin(const Plan &plan);
    // Stops every task and closes the file; returns what is written.
    DownloadSegments stop();
    // Has the bytes from offset on fetched by a connection of their own
    // unless a running one is about to reach them: a reader waits there.
    void fetchFrom(qint64 offset);

signals:
    void progressed(quint64 generation, qint64 written, qint64 size);
    void recorded(quint64 generation, const DownloadSegments &segments);
    void fileFailed(quint64 generation, int code);
    void taskFailed(quint64 generation, int networkError);
    void statusFailed(quint64 generation, int status);
    // The file is closed with every byte; the digest is empty when it was
    // not taken while the file was written.
    void completed(quint64 generation, const QString &md5);

private:
    void addTask(const DownloadSegment &segment);
    void onBlock(const QByteArray &block, qlonglong position, int taskId);
    void onTaskEnded(downloadtask *task);
    void probeForSplit();
    void split(downloadtask *first);
    void stealFor();
    // The unfinished task with the most bytes still to come, and how many
    // tasks are unfinished.
    downloadtask *largestRemaining(qint64 &left, int &unfinished) const;
    void reportNow();
    void record();
    void progress();
    void finishAll();
    void failFile(int code);
    void closeFile();
    void dropTasks();
    void dropDigest();
    qint64 writtenPrefix() const;
    DownloadSegments segments() const;

    Plan m_plan;
    QFile *m_file = nullptr;
    QList<downloadtask *> m_tasks;
    md5checkworker *m_digest = nullptr;
    bool m_running = false;
    bool m_rangesHonoured = false;
    bool m_rangeConfirmed = false;
    qint64 m_written = 0;
    QElapsedTimer m_sinceProgress;
    QElapsedTimer m_sinceRecord;
    QTimer *m_progressTimer = nullptr;
    QTimer *m_recordTimer = nullptr;
    // Measures the one connection a download starts with.
    QTimer *m_probeTimer = nullptr;
    QElapsedTimer m_sinceProbe;
    qint64 m_writtenAtProbe = 0;
};
