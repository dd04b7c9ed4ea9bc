#include "download/downloadmanager.h"

#include "core/filenames.h"
#include "download/downloadtask.h"
#include "download/md5checkworker.h"

#include <QFile>
#include <QThread>

#include <atomic>

Q_DECLARE_METATYPE(DownloadSegments)

namespace {

std::atomic_int defaultSegments { downloadmanager::kDefaultSegments };

// The last path segment, decoded once and only after the path was split, so
// an encoded "/" or "\" cannot hide a path inside the name.
QString plainFileName(const QUrl &url)
{
    const QString name = QUrl::fromPercentEncoding(url.fileName(QUrl::FullyEncoded).toUtf8());
    return FileNames::isPlain(name) ? name : QString();
}

qint64 writtenIn(const DownloadSegments &segments)
{
    qint64 sum = 0;
    for (const DownloadSegment &segment : segments)
        sum += segment.done;
    return sum;
}

} // namespace

void downloadmanager::setDefaultSegments(int count)
{
    defaultSegments = qBound(1, count, kMostSegments);
}

downloadmanager::downloadmanager(QObject *parent)
    : QObject(parent)
    , m_sizeQuery(new sizequery(this))
    , m_segments(defaultSegments)
{
    ErrorDefine::registerMetaTypes();
    qRegisterMetaType<DownloadSegments>("DownloadSegments");
    m_plan.inactivityMs = downloadtask::kInactivityMs;
    m_plan.backoffBaseMs = downloadtask::kBackoffBaseMs;
    m_plan.stallWindowMs = downloadtask::kStallWindowMs;
    m_plan.minimumBytesPerSecond = downloadtask::kMinimumBytesPerSecond;
    m_plan.progressForFreshAttempts = downloadtask::kProgressForFreshAttempts;
    connect(m_sizeQuery, &sizequery::finished, this, &downloadmanager::headerResponseFinished);
}

downloadmanager::~downloadmanager()
{
    if (!m_thread)
        return;
    stopTransfer();
    downloadtransfer *transfer = m_transfer;
    QMetaObject::invokeMethod(
        transfer, [transfer] { delete transfer; }, Qt::BlockingQueuedConnection);
    m_thread->quit();
    m_thread->wait();
    m_progressStore.flush();
}

void downloadmanager::setResumeStore(const QString &iniFile)
{
    m_progressStore.setFile(iniFile);
}

QString downloadmanager::finalPath() const
{
    return m_filePath + QLatin1Char('/') + m_fileName;
}

void downloadmanager::setUrl(const QUrl &requestUrl)
{
    const QString name = plainFileName(requestUrl);
    if (name.isEmpty() || name != m_fileName) {
        // A transfer or size query still going for an earlier URL would
        // finish under this one; the earlier download keeps its record.
        stopTransfer();
        m_done.clear();
        if (name.isEmpty()) {
            m_sizeQuery->cancel();
            m_totalSize = 0;
        }
    }
    m_digest.drop();
    m_url = requestUrl;
    m_sourceUrl = requestUrl;
    m_fileName = name;
    m_sizeAskedAgain = false;
    if (name.isEmpty()) {
        refuseName();
        return;
    }
    if (!m_sizeQuery->isPending())
        querySize();
}

// Reported from the event loop, as a failed size query would be, so the
// caller's usual sequence (URL, folder, start) yields one report, not two.
void downloadmanager::refuseName()
{
    m_downloading = false;
    if (m_refusalQueued)
        return;
    m_refusalQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_refusalQueued = false;
            if (m_fileName.isEmpty())
                emit downloadError(
                    ErrorDefine::DOWNLOAD_OPEN_FILE_ERROR, tr("message_error_download_bad_name"));
        },
        Qt::QueuedConnection);
}

void downloadmanager::setFilePath(const QString &path)
{
    m_filePath = path;
}

void downloadmanager::setFileMD5(const QString &md5)
{
    m_expectedMd5 = md5;
}

void downloadmanager::querySize()
{
    m_sizeQuery->ask(m_url);
}

void downloadmanager::headerResponseFinished()
{
    if (m_sizeQuery->size() <= 0) {
        emit downloadError(ErrorDefine::DOWNLOAD_NETWORK_GETHEADER_ERROR,
            tr("message_error_resource_acquisition_failed")
                + QStringLiteral("(%1)").arg(m_sizeQuery->status()));
        return;
    }
    m_sourceUrl = m_sizeQuery->source();
    if (m_totalSize != m_sizeQuery->size())
        m_done.clear();
    m_totalSize = m_sizeQuery->size();
    if (m_downloading)
        startDownload();
}

void downloadmanager::initTasks()
{
    if (m_fileName.isEmpty() || m_filePath.isEmpty())
        return;
    if (!QFile::exists(partialPath())) {
        m_progressStore.forget(m_fileName);
        m_done.clear();
    }
    if (m_done.isEmpty())
        m_done = m_progressStore.segments(m_fileName, m_totalSize);
    if (m_done.isEmpty())
        m_done = { { 0, m_totalSize, 0 } };
    m_written = writtenIn(m_done);
    emit downloadReplyProgress(m_written, m_totalSize);
}

void downloadmanager::startDownload()
{
    if (m_fileName.isEmpty()) {
        refuseName();
        return;
    }
    m_downloading = true;
    if (m_sizeQuery->isPending())
        return;
    if (m_totalSize <= 0) {
        // The size query failed earlier. Starting now would cut the partial
        // file down to nothing; ask again and start once the size is known.
        querySize();
        return;
    }
    initTasks();
    if (!m_done.isEmpty())
        startTransfer();
}

void downloadmanager::startTransfer()
{
    if (!m_thread) {
        m_thread = new QThread(this);
        m_thread->setObjectName(QStringLiteral("download"));
        m_transfer = new downloadtransfer;
        m_transfer->moveToThread(m_thread);
        connect(m_transfer, &downloadtransfer::progressed, this,
            [this](quint64 generation, qint64 written) {
                if (current(generation))
                    networkReplyProgress(written);
            });
        connect(m_transfer, &downloadtransfer::recorded, this,
            [this](quint64 generation, const DownloadSegments &segments) {
                if (current(generation))
                    store(segments);
            });
        connect(
            m_transfer, &downloadtransfer::fileFailed, this, [this](quint64 generation, int code) {
                if (current(generation))
                    onFileFailed(code);
            });
        connect(
            m_transfer, &downloadtransfer::taskFailed, this, [this](quint64 generation, int error) {
                if (current(generation))
                    httpNetworkError(QNetworkReply::NetworkError(error), QString());
            });
        connect(m_transfer, &downloadtransfer::statusFailed, this,
            [this](quint64 generation, int status) {
                if (current(generation))
                    httpStatusCodeError(status, QString());
            });
        connect(m_transfer, &downloadtransfer::completed, this,
            [this](quint64 generation, const QString &md5) {
                if (current(generation))
                    completeDownload(md5);
            });
        m_thread->start();
    }
    m_plan.url = m_sourceUrl;
    m_plan.path = partialPath();
    m_plan.size = m_totalSize;
    m_plan.segments = m_done;
    m_plan.segmentCount = m_segments;
    const downloadtransfer::Plan plan = m_plan;
    downloadtransfer *transfer = m_transfer;
    QMetaObject::invokeMethod(transfer, [transfer, plan] { transfer->begin(plan); });
}

void downloadmanager::fetchFrom(qint64 offset)
{
    if (!m_transfer || !m_downloading || offset < 0 || offset >= m_totalSize)
        return;
    downloadtransfer *transfer = m_transfer;
    QMetaObject::invokeMethod(transfer, [transfer, offset] { transfer->fetchFrom(offset); });
}

// Waits for the transfer, so that what it wrote is recorded before this
// returns and nothing it reported earlier counts any more.
void downloadmanager::stopTransfer()
{
    if (!m_transfer)
        return;
    DownloadSegments written;
    downloadtransfer *transfer = m_transfer;
    QMetaObject::invokeMethod(
        transfer, [transfer, &written] { written = transfer->stop(); },
        Qt::BlockingQueuedConnection);
    ++m_plan.generation;
    if (written.isEmpty())
        return;
    m_done = written;
    m_written = writtenIn(written);
    m_progressStore.record(m_fileName, written);
}

void downloadmanager::stopDownlaod()
{
    m_downloading = false;
    stopTransfer();
    m_progressStore.sync();
}

void downloadmanager::store(const DownloadSegments &segments)
{
    m_done = segments;
    m_progressStore.record(m_fileName, segments);
}

void downloadmanager::resetDownload()
{
    if (m_fileName.isEmpty())
        return;
    m_digest.drop();
    const QString path = finalPath();
    if (!QFile::remove(path) && QFile::exists(path))
        QFile::remove(path);
}

qlonglong downloadmanager::getDownloadedSize()
{
    return m_written;
}

qlonglong downloadmanager::getTotalSize()
{
    return m_totalSize;
}

void downloadmanager::networkReplyProgress(qlonglong size)
{
    m_written = size;
    emit downloadReplyProgress(size, m_totalSize);
}

void downloadmanager::onFileFailed(int code)
{
    const char *message = code == ErrorDefine::DOWNLOAD_OPEN_FILE_ERROR
        ? QT_TR_NOOP("message_error_open_file_failed")
        : code == ErrorDefine::DOWNLOAD_EXIST_SIZE_ERROR
        ? QT_TR_NOOP("message_disk_not_enough_space")
        : code == ErrorDefine::DOWNLOAD_FLUSH_ERROR
        ? QT_TR_NOOP("message_error_download_flush")
        : QT_TR_NOOP("message_error_download_write_buffer");
    m_progressStore.flush();
    emit downloadError(ErrorCode(code), tr(message));
    if (code == ErrorDefine::DOWNLOAD_WRITE_BUFFER_ERROR
        || code == ErrorDefine::DOWNLOAD_FLUSH_ERROR)
        stopDownlaod();
}

// The records go once the file has its final name, and reach the disk before
// anyone hears of the end: a run that stops in between, or a rename that
// fails, keeps a partial file that the records still say is whole.
void downloadmanager::completeDownload(const QString &md5)
{
    m_downloading = false;
    // An older file of the final name (a package from an earlier run) would
    // block the rename and be checked in place of the new one.
    if (QFile::exists(finalPath()))
        QFile::remove(finalPath());
    if (!QFile::rename(partialPath(), finalPath())) {
        m_digest.drop();
        emit downloadError(
            ErrorDefine::DOWNLOAD_WRITE_BUFFER_ERROR, tr("message_error_download_write_buffer"));
        return;
    }
    m_progressStore.forget(m_fileName);
    m_progressStore.flush();
    m_done.clear();
    m_digest.set(finalPath(), md5);
    m_written = m_totalSize;
    emit downloadReplyProgress(m_totalSize, m_totalSize);
    emit downloadFinished();
}

void downloadmanager::httpNetworkError(QNetworkReply::NetworkError error, const QString &)
{
    m_digest.drop();
    m_progressStore.flush();
    emit httpError(ErrorDefine::DOWNLOAD_NETWORK_REPLY_ERROR,
        QStringLiteral("%1(%2)").arg(tr("message_error_network_reply")).arg(int(error)));
}

void downloadmanager::httpStatusCodeError(int error, const QString &)
{
    m_digest.drop();
    stopTransfer();
    if (error == 416 && !m_sizeAskedAgain) {
        // The size the server announced was wrong (or the file changed):
        // asked once more, and the transfer starts over from what it says.
        m_sizeAskedAgain = true;
        m_totalSize = 0;
        m_done.clear();
        startDownload();
        return;
    }
    if (error >= 300 && error < 400 && m_written == 0) {
        // Nothing came: a preallocated file of zeros is no part of a download.
        m_progressStore.forget(m_fileName);
        m_done.clear();
        QFile::remove(partialPath());
    }
    m_progressStore.flush();
    resetDownload();
    emit downloadError(ErrorDefine::DOWNLOAD_NETWORK_ERROR,
        QStringLiteral("%1(%2)").arg(tr("message_error_network_statuscode")).arg(error));
}

void downloadmanager::fileMd5(const QString &filePath)
{
    emit md5CheckStart();
    const QString written = m_digest.digestFor(filePath);
    if (!written.isEmpty()) {
        // Answered from the event loop, as a check that reads would be.
        QMetaObject::invokeMethod(
            this, [this, written] { getFileMd5(written); }, Qt::QueuedConnection);
        return;
    }
    auto *check = new md5checkworker(filePath, this);
    connect(check, &md5checkworker::md5Checkfinished, this, [this, check](const QString &md5) {
        check->deleteLater();
        getFileMd5(md5);
    });
    check->start();
}

void downloadmanager::getFileMd5(const QString &fileMD5)
{
    if (m_expectedMd5.isEmpty() || fileMD5.toLower() == m_expectedMd5.toLower()) {
        emit md5CheckFinish();
        return;
    }
    resetDownload();
    emit downloadError(ErrorDefine::DOWNLOAD_MD5_ERROR, tr("message_error_download_md5"));
}
