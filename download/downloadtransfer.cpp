#include "download/downloadtransfer.h"

#include "core/errordefine.h"
#include "download/downloadtask.h"
#include "download/md5checkworker.h"
#include "platform/preallocate.h"

#include <QFile>
#include <QTimer>

downloadtransfer::downloadtransfer(QObject *parent)
    : QObject(parent)
    , m_progressTimer(new QTimer(this))
    , m_recordTimer(new QTimer(this))
    , m_probeTimer(new QTimer(this))
{
    m_probeTimer->setSingleShot(true);
    connect(m_probeTimer, &QTimer::timeout, this, &downloadtransfer::probeForSplit);
    m_progressTimer->setSingleShot(true);
    connect(m_progressTimer, &QTimer::timeout, this, &downloadtransfer::progress);
    m_recordTimer->setSingleShot(true);
    connect(m_recordTimer, &QTimer::timeout, this, &downloadtransfer::record);
}

downloadtransfer::~downloadtransfer()
{
    stop();
}

void downloadtransfer::begin(const Plan &plan)
{
    if (m_running) {
        m_plan.generation = plan.generation;
        for (downloadtask *task : qAsConst(m_tasks))
            task->start();
        return;
    }
    m_plan = plan;
    m_file = new QFile(plan.path, this);
    if (!m_file->open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        qDebug() << m_file->errorString();
        failFile(ErrorDefine::DOWNLOAD_OPEN_FILE_ERROR);
        return;
    }
    if (!platform::preallocateFile(*m_file, plan.size)) {
        qDebug() << "preallocation of" << plan.size << "bytes failed";
        failFile(ErrorDefine::DOWNLOAD_EXIST_SIZE_ERROR);
        return;
    }
    m_running = true;
    m_rangesHonoured = plan.segments.size() > 1;
    m_rangeConfirmed = false;
    m_written = 0;
    for (const DownloadSegment &segment : plan.segments) {
        addTask(segment);
        m_written += segment.done;
        if (plan.written && segment.done > 0)
            plan.written(segment.start, segment.done);
    }
    // Retries inside the tasks keep the pass; a file partly written by an
    // earlier run is read whole by the check instead.
    if (m_written == 0) {
        m_digest = new md5checkworker(plan.path, this);
        m_digest->follow();
        m_digest->start();
    }
    m_sinceProgress.start();
    m_sinceRecord.invalidate();
    // Every byte may already be there (the last run ended between the last
    // write and the rename); no transfer would start to notice that.
    if (m_written >= plan.size) {
        finishAll();
        return;
    }
    for (downloadtask *task : qAsConst(m_tasks))
        task->start();
}

void downloadtransfer::addTask(const DownloadSegment &segment)
{
    auto *task = new downloadtask(this);
    task->setUrl(m_plan.url, segment.start, segment.end, segment.done, m_tasks.size());
    task->setInactivityMs(m_plan.inactivityMs);
    task->setBackoffBaseMs(m_plan.backoffBaseMs);
    task->setStallWindowMs(m_plan.stallWindowMs);
    task->setMinimumBytesPerSecond(m_plan.minimumBytesPerSecond);
    task->setProgressForFreshAttempts(m_plan.progressForFreshAttempts);
    connect(task, &downloadtask::readyRead, this, &downloadtransfer::onBlock);
    connect(task, &downloadtask::rangeConfirmed, this, [this, task] {
        m_rangeConfirmed = true;
        if (m_rangesHonoured || m_plan.segmentCount < 2 || m_probeTimer->isActive())
            return;
        if (m_plan.splitProbeMs <= 0) {
            split(task);
            return;
        }
        m_writtenAtProbe = m_written;
        m_sinceProbe.start();
        m_probeTimer->start(m_plan.splitProbeMs);
    });
    connect(task, &downloadtask::networkError, this, [this](QNetworkReply::NetworkError error) {
        reportNow();
        emit taskFailed(m_plan.generation, int(error));
    });
    connect(task, &downloadtask::httpStatusCodeError, this, [this](int status) {
        reportNow();
        emit statusFailed(m_plan.generation, status);
    });
    m_tasks.append(task);
}

DownloadSegments downloadtransfer::stop()
{
    if (!m_running) {
        closeFile();
        return {};
    }
    const DownloadSegments written = segments();
    dropDigest();
    closeFile();
    dropTasks();
    m_progressTimer->stop();
    m_recordTimer->stop();
    m_probeTimer->stop();
    m_running = false;
    return written;
}

void downloadtransfer::onBlock(const QByteArray &block, qlonglong position, int taskId)
{
    downloadtask *task = m_tasks.value(taskId);
    if (!task || !m_running)
        return;
    if (!m_file->seek(position)) {
        failFile(ErrorDefine::DOWNLOAD_WRITE_BUFFER_ERROR);
        return;
    }
    const qint64 written = m_file->write(block);
    if (written > 0) {
        task->addDownloaded(written);
        m_written += written;
        if (m_plan.written)
            m_plan.written(position, written);
        if (m_digest)
            m_digest->setWritten(writtenPrefix());
    }
    if (written != block.size()) {
        failFile(ErrorDefine::DOWNLOAD_WRITE_BUFFER_ERROR);
        return;
    }
    if (m_sinceProgress.elapsed() >= kProgressIntervalMs)
        progress();
    else if (!m_progressTimer->isActive())
        m_progressTimer->start(kProgressIntervalMs - int(m_sinceProgress.elapsed()));
    // The first write of a run, or of new segments, is recorded at once: a
    // run killed early keeps what it fetched.
    if (!m_sinceRecord.isValid() || m_sinceRecord.elapsed() >= kRecordIntervalMs)
        record();
    else if (!m_recordTimer->isActive())
        m_recordTimer->start(kRecordIntervalMs - int(m_sinceRecord.elapsed()));
    if (task->isFinished())
        onTaskEnded(task);
}

// The connection honours ranges; it is measured once, over the moments
// after its answer. On a fast link the bytes keep coming in order, so the
// checksum follows them and needs no read of the file at the end. A reader
// of the partial file may have opened a second connection meanwhile (an
// archive's tail): the rate is then per connection, and the range with the
// most still to come is the one shared out.
void downloadtransfer::probeForSplit()
{
    if (!m_running || m_rangesHonoured)
        return;
    qint64 largestLeft = 0;
    int connections = 0;
    downloadtask *largest = largestRemaining(largestLeft, connections);
    if (!largest)
        return;
    const qint64 ms = qMax<qint64>(1, m_sinceProbe.elapsed());
    const qint64 rate = (m_written - m_writtenAtProbe) * 1000 / ms / connections;
    qDebug() << "One connection carries" << rate << "bytes/s";
    if (rate < m_plan.splitBelowBytesPerSecond)
        split(largest);
}

void downloadtransfer::fetchFrom(qint64 offset)
{
    // A server that answers ranges with the whole file gets no second one.
    if (!m_running || !(m_rangesHonoured || m_rangeConfirmed))
        return;
    for (downloadtask *task : qAsConst(m_tasks)) {
        const qint64 reached = task->startPosition() + task->downloadedSize();
        if (task->isFinished() || offset < reached || offset >= task->endPosition())
            continue;
        if (offset - reached < m_plan.smallestSegment)
            return;
        const qint64 end = task->endPosition();
        task->shortenTo(offset);
        addTask({ offset, end, 0 });
        m_tasks.last()->start();
        m_sinceRecord.invalidate();
        return;
    }
}

// What is left of the file is shared out.
void downloadtransfer::split(downloadtask *first)
{
    m_rangesHonoured = true;
    const qint64 from = first->startPosition() + first->downloadedSize();
    const qint64 left = first->endPosition() - from;
    const qint64 parts = qMin<qint64>(m_plan.segmentCount, left / m_plan.smallestSegment);
    if (parts < 2)
        return;
    const qint64 share = left / parts;
    const qint64 end = first->endPosition();
    first->shortenTo(from + share);
    for (qint64 part = 1; part < parts; ++part) {
        const qint64 start = from + part * share;
        addTask({ start, part == parts - 1 ? end : start + share, 0 });
        m_tasks.last()->start();
    }
    m_sinceRecord.invalidate();
}

void downloadtransfer::onTaskEnded(downloadtask *task)
{
    Q_UNUSED(task)
    for (const downloadtask *each : qAsConst(m_tasks)) {
        if (!each->isFinished()) {
            if (m_rangesHonoured)
                stealFor();
            return;
        }
    }
    finishAll();
}

// A task that is done takes half of the largest range still to come, so no
// connection idles while one slow segment is left.
void downloadtransfer::stealFor()
{
    qint64 largestLeft = 0;
    int connections = 0;
    downloadtask *largest = largestRemaining(largestLeft, connections);
    if (!largest || largestLeft < 2 * m_plan.smallestSegment)
        return;
    const qint64 end = largest->endPosition();
    const qint64 middle = end - largestLeft / 2;
    largest->shortenTo(middle);
    addTask({ middle, end, 0 });
    m_tasks.last()->start();
    m_sinceRecord.invalidate();
}

downloadtask *downloadtransfer::largestRemaining(qint64 &left, int &unfinished) const
{
    downloadtask *largest = nullptr;
    left = 0;
    unfinished = 0;
    for (downloadtask *task : m_tasks) {
        if (task->isFinished())
            continue;
        ++unfinished;
        const qint64 taskLeft
            = task->endPosition() - task->startPosition() - task->downloadedSize();
        if (taskLeft > left) {
            largest = task;
            left = taskLeft;
        }
    }
    return largest;
}

void downloadtransfer::finishAll()
{
    progress();
    closeFile();
    dropTasks();
    m_progressTimer->stop();
    m_recordTimer->stop();
    m_probeTimer->stop();
    m_running = false;
    const quint64 generation = m_plan.generation;
    if (!m_digest) {
        emit completed(generation, QString());
        return;
    }
    // The hash may still be behind the writes; the file is given its name
    // once it has caught up, as a file being read may not be renamed
    // everywhere.
    md5checkworker *digest = m_digest;
    m_digest = nullptr;
    connect(digest, &Job::finished, this, [this, digest, generation] {
        digest->deleteLater();
        emit completed(generation, digest->succeeded() ? digest->result() : QString());
    });
    digest->setSize(m_plan.size);
}

void downloadtransfer::reportNow()
{
    progress();
    record();
}

void downloadtransfer::progress()
{
    m_progressTimer->stop();
    m_sinceProgress.restart();
    emit progressed(m_plan.generation, m_written, m_plan.size);
}

void downloadtransfer::record()
{
    m_recordTimer->stop();
    m_sinceRecord.start();
    if (!m_file || !m_file->flush()) {
        failFile(ErrorDefine::DOWNLOAD_FLUSH_ERROR);
        return;
    }
    emit recorded(m_plan.generation, segments());
}

void downloadtransfer::failFile(int code)
{
    const quint64 generation = m_plan.generation;
    if (m_running)
        emit recorded(generation, stop());
    closeFile();
    emit fileFailed(generation, code);
}

void downloadtransfer::closeFile()
{
    if (!m_file)
        return;
    m_file->close();
    delete m_file;
    m_file = nullptr;
}

// Deleted later: a task may be inside its own signal here.
void downloadtransfer::dropTasks()
{
    for (downloadtask *task : qAsConst(m_tasks)) {
        task->stop();
        task->disconnect(this);
        task->deleteLater();
    }
    m_tasks.clear();
}

void downloadtransfer::dropDigest()
{
    if (!m_digest)
        return;
    m_digest->abort();
    delete m_digest;
    m_digest = nullptr;
}

qint64 downloadtransfer::writtenPrefix() const
{
    qint64 prefix = 0;
    bool grew = true;
    while (grew) {
        grew = false;
        for (const downloadtask *task : m_tasks) {
            if (task->startPosition() == prefix && task->downloadedSize() > 0) {
                prefix += task->downloadedSize();
                grew = task->startPosition() + task->downloadedSize() == task->endPosition();
                if (!grew)
                    return prefix;
                break;
            }
        }
    }
    return prefix;
}

DownloadSegments downloadtransfer::segments() const
{
    DownloadSegments all;
    for (const downloadtask *task : m_tasks)
        all.append({ task->startPosition(), task->endPosition(), task->downloadedSize() });
    return all;
}
