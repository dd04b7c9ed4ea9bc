#include "download/downloadmanager.h"

#include "core/filenames.h"
#include "download/downloadtask.h"
#include "platform/preallocate.h"

#include <QDateTime>
#include <QFile>
#include <QNetworkAccessManager>

namespace {

constexpr qint64 kSlowWriteBufferBytes = 1024;
constexpr int kQuickWritesToGrow = 50;

// The last path segment, decoded once and only after the path was split, so
// an encoded "/" or "\" cannot hide a path inside the name.
QString plainFileName(const QUrl &url)
{
    const QString name = QUrl::fromPercentEncoding(url.fileName(QUrl::FullyEncoded).toUtf8());
    return FileNames::isPlain(name) ? name : QString();
}

bool followable(const QUrl &target)
{
    const QString scheme = target.scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

} // namespace

downloadmanager::downloadmanager(QObject *parent)
    : QObject(parent)
    , m_network(new QNetworkAccessManager(this))
    , m_inactivityMs(downloadtask::kInactivityMs)
    , m_backoffBaseMs(downloadtask::kBackoffBaseMs)
    , m_stallWindowMs(downloadtask::kStallWindowMs)
    , m_minimumBytesPerSecond(downloadtask::kMinimumBytesPerSecond)
    , m_progressForFreshAttempts(downloadtask::kProgressForFreshAttempts)
{
    ErrorDefine::registerMetaTypes();
}

downloadmanager::~downloadmanager()
{
    closeFile();
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
    if (name.isEmpty()) {
        // A transfer or size query still going for an earlier URL would
        // finish under this one; the earlier download keeps its record.
        stopDownlaod();
        dropSizeReply();
        m_sizeQueryPending = false;
        m_totalSize = 0;
    }
    m_digest.drop();
    m_url = requestUrl;
    m_sourceUrl = requestUrl;
    m_fileName = name;
    m_redirects = 0;
    m_sizeAskedAgain = false;
    if (name.isEmpty()) {
        refuseName();
        return;
    }
    if (m_sizeQueryPending)
        return;
    m_sizeQueryPending = true;
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
    qDebug() << "Getting the file size...";
    m_sizeReply = m_network->head(QNetworkRequest(m_sourceUrl));
    connect(m_sizeReply, &QNetworkReply::finished, this, &downloadmanager::headerResponseFinished);
}

// Deleted later: this may run inside the reply's own finished signal.
void downloadmanager::dropSizeReply()
{
    if (!m_sizeReply)
        return;
    m_sizeReply->disconnect(this);
    m_sizeReply->abort();
    m_sizeReply->deleteLater();
    m_sizeReply = nullptr;
}

void downloadmanager::failSizeQuery(int status)
{
    dropSizeReply();
    emit downloadError(ErrorDefine::DOWNLOAD_NETWORK_GETHEADER_ERROR,
        tr("message_error_resource_acquisition_failed") + QStringLiteral("(%1)").arg(status));
}

void downloadmanager::headerResponseFinished()
{
    if (!m_sizeReply || sender() != m_sizeReply)
        return;
    m_sizeQueryPending = false;
    const int status = m_sizeReply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (m_sizeReply->error() != QNetworkReply::NoError) {
        failSizeQuery(status);
        return;
    }

    if (status == 200 || status == 206) {
        // Without a usable length there is nothing to preallocate or to
        // know completion by, so it counts as a failed query.
        bool ok = false;
        const qint64 size = m_sizeReply->rawHeader("Content-Length").trimmed().toLongLong(&ok);
        if (!ok || size <= 0) {
            failSizeQuery(status);
            return;
        }
        qDebug() << "The file size is: " << size;
        dropSizeReply();
        m_totalSize = size;
        if (m_downloading)
            startDownload();
        return;
    }

    static const QList<int> kRedirects = { 301, 302, 303, 305, 307, 308 };
    if (kRedirects.contains(status)) {
        const QUrl target
            = m_sizeReply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
        qDebug() << "redirectionTarget:" << target;
        const QUrl next = m_sourceUrl.resolved(target);
        if (target.isValid() && !target.isEmpty() && followable(next)
            && (!m_redirectFilter || m_redirectFilter(next)) && m_redirects < kMaxRedirects) {
            ++m_redirects;
            m_sourceUrl = next;
            dropSizeReply();
            m_sizeQueryPending = true;
            querySize();
            return;
        }
    }
    failSizeQuery(status);
}

void downloadmanager::initTasks()
{
    if (m_fileName.isEmpty() || m_filePath.isEmpty())
        return;
    if (!QFile::exists(partialPath()))
        m_progressStore.forget(m_fileName);

    qint64 sum = 0;
    for (const downloadtask *task : qAsConst(m_tasks))
        sum += task->downloadedSize();

    if (m_tasks.isEmpty()) {
        qint64 stored = m_progressStore.progress(m_fileName, 0);
        // A record beyond the file's end belongs to some other package.
        if (stored < 0 || stored > m_totalSize)
            stored = 0;
        auto *task = new downloadtask(this);
        task->setUrl(m_sourceUrl, 0, m_totalSize, stored, 0);
        task->setInactivityMs(m_inactivityMs);
        task->setBackoffBaseMs(m_backoffBaseMs);
        task->setStallWindowMs(m_stallWindowMs);
        task->setMinimumBytesPerSecond(m_minimumBytesPerSecond);
        task->setProgressForFreshAttempts(m_progressForFreshAttempts);
        connect(task, &downloadtask::progress, this, &downloadmanager::networkReplyProgress);
        connect(task, &downloadtask::readyRead, this, &downloadmanager::httpReadyRead);
        connect(task, &downloadtask::networkError, this, &downloadmanager::httpNetworkError);
        connect(
            task, &downloadtask::httpStatusCodeError, this, &downloadmanager::httpStatusCodeError);
        m_tasks.append(task);
        sum += stored;
    }
    emit downloadReplyProgress(sum, m_totalSize);
}

void downloadmanager::startDownload()
{
    if (m_fileName.isEmpty()) {
        refuseName();
        return;
    }
    m_downloading = true;
    if (m_sizeQueryPending)
        return;
    if (m_totalSize <= 0) {
        // The size query failed earlier. Starting now would cut the partial
        // file down to nothing; ask again and start once the size is known.
        m_sizeQueryPending = true;
        m_sourceUrl = m_url;
        m_redirects = 0;
        querySize();
        return;
    }
    initTasks();
    if (m_tasks.isEmpty())
        return;

    if (!m_file) {
        m_file = new QFile(partialPath());
        if (!m_file->open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
            qDebug() << m_file->errorString();
            closeFile();
            emit downloadError(
                ErrorDefine::DOWNLOAD_OPEN_FILE_ERROR, tr("message_error_open_file_failed"));
            return;
        }
        if (!platform::preallocateFile(*m_file, m_totalSize)) {
            qDebug() << "preallocation of" << m_totalSize << "bytes failed";
            closeFile();
            emit downloadError(
                ErrorDefine::DOWNLOAD_EXIST_SIZE_ERROR, tr("message_disk_not_enough_space"));
            return;
        }
        // Restarts inside the task continue the same pass: every byte still
        // comes through here, in order. A resumed file was partly written by
        // an earlier pass, which is not known here.
        if (getDownloadedSize() == 0)
            m_digest.begin();
        else
            m_digest.drop();
    }
    // Every byte may already be there (the last run ended between the last
    // write and the rename); no transfer would start to notice that.
    if (getDownloadedSize() >= m_totalSize) {
        completeDownload();
        return;
    }
    for (downloadtask *task : qAsConst(m_tasks))
        task->start();
}

void downloadmanager::stopDownlaod()
{
    m_downloading = false;
    m_digest.drop();
    for (downloadtask *task : qAsConst(m_tasks)) {
        task->stop();
        recordProgress(m_tasks.indexOf(task), true);
    }
    m_progressStore.sync();
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
    qint64 sum = 0;
    for (const downloadtask *task : qAsConst(m_tasks))
        sum += task->downloadedSize();
    return sum;
}

qlonglong downloadmanager::getTotalSize()
{
    return m_totalSize;
}

void downloadmanager::recordProgress(int taskId, bool force)
{
    if (taskId < 0 || taskId >= m_tasks.size())
        return;
    m_progressStore.record(m_fileName, taskId, m_tasks.at(taskId)->downloadedSize(), force);
}

void downloadmanager::dropTasks()
{
    for (downloadtask *task : qAsConst(m_tasks)) {
        task->stop();
        task->deleteLater();
    }
    m_tasks.clear();
    closeFile();
}

void downloadmanager::closeFile()
{
    if (!m_file)
        return;
    m_file->close();
    delete m_file;
    m_file = nullptr;
}

void downloadmanager::failWrite(ErrorCode code, const char *messageId)
{
    emit downloadError(code, tr(messageId));
    stopDownlaod();
}

void downloadmanager::httpReadyRead(const QByteArray &buffer, qlonglong startPosition, int taskId)
{
    downloadtask *task = m_tasks.value(taskId);
    if (!m_file || !task || !m_file->seek(startPosition)) {
        failWrite(ErrorDefine::DOWNLOAD_WRITE_BUFFER_ERROR,
            QT_TR_NOOP("message_error_download_write_buffer"));
        return;
    }
    // A server that sends more than it announced must not grow the file.
    const qint64 room = qMax<qint64>(0, m_totalSize - startPosition);
    const qint64 length = qMin<qint64>(buffer.size(), room);
    if (length == 0)
        return;

    const qint64 before = QDateTime::currentSecsSinceEpoch();
    const qint64 written = m_file->write(buffer.constData(), length);
    const qint64 after = QDateTime::currentSecsSinceEpoch();
    if (before != after) {
        m_quickWrites = 0;
        task->setReplyReadBufferSize(kSlowWriteBufferBytes);
    } else if (++m_quickWrites > kQuickWritesToGrow) {
        task->setReplyReadBufferSize(downloadtask::kReadBufferBytes);
    }

    if (written < 0) {
        failWrite(ErrorDefine::DOWNLOAD_WRITE_BUFFER_ERROR,
            QT_TR_NOOP("message_error_download_write_buffer"));
        return;
    }
    if (written == length)
        m_digest.add(startPosition, buffer, written);
    else
        m_digest.drop();
    if (!m_file->flush()) {
        failWrite(ErrorDefine::DOWNLOAD_FLUSH_ERROR, QT_TR_NOOP("message_error_download_flush"));
        return;
    }
    task->addDownloaded(written);
    recordProgress(taskId, false);
    if (getDownloadedSize() >= m_totalSize)
        completeDownload();
}

void downloadmanager::networkReplyProgress(qlonglong size)
{
    if (size <= 0)
        return;
    const qint64 sum = getDownloadedSize();
    emit downloadReplyProgress(sum, m_totalSize);
    if (sum >= m_totalSize && m_file)
        completeDownload();
}

void downloadmanager::completeDownload()
{
    m_progressStore.forget(m_fileName);
    for (downloadtask *task : qAsConst(m_tasks)) {
        // Stopped first: a server that sends more than announced must not
        // deliver blocks after the file is closed.
        task->stop();
        task->reset();
    }
    // An older file of the final name (a package from an earlier run) would
    // block the rename and be checked in place of the new one.
    if (QFile::exists(finalPath()))
        QFile::remove(finalPath());
    const bool renamed = m_file->rename(finalPath());
    closeFile();
    m_downloading = false;
    m_tasks.clear();
    if (!renamed) {
        m_digest.drop();
        emit downloadError(
            ErrorDefine::DOWNLOAD_WRITE_BUFFER_ERROR, tr("message_error_download_write_buffer"));
        return;
    }
    m_digest.finish(finalPath(), m_totalSize);
    emit downloadReplyProgress(m_totalSize, m_totalSize);
    emit downloadFinished();
}

void downloadmanager::httpNetworkError(QNetworkReply::NetworkError error, const QString &)
{
    m_digest.drop();
    recordProgress(m_tasks.indexOf(qobject_cast<downloadtask *>(sender())), true);
    m_progressStore.sync();
    emit httpError(ErrorDefine::DOWNLOAD_NETWORK_REPLY_ERROR,
        QStringLiteral("%1(%2)").arg(tr("message_error_network_reply")).arg(int(error)));
}

void downloadmanager::httpStatusCodeError(int error, const QString &)
{
    m_digest.drop();
    if (error == 416 && !m_sizeAskedAgain) {
        // The size the server announced was wrong (or the file changed):
        // asked once more, and the transfer starts over from what it says.
        m_sizeAskedAgain = true;
        dropTasks();
        m_totalSize = 0;
        startDownload();
        return;
    }
    recordProgress(m_tasks.indexOf(qobject_cast<downloadtask *>(sender())), true);
    if (error >= 300 && error < 400 && getDownloadedSize() == 0) {
        // Nothing came: a preallocated file of zeros is no part of a download.
        dropTasks();
        m_progressStore.forget(m_fileName);
        QFile::remove(partialPath());
    }
    m_progressStore.sync();
    resetDownload();
    emit downloadError(ErrorDefine::DOWNLOAD_NETWORK_ERROR,
        QStringLiteral("%1(%2)").arg(tr("message_error_network_statuscode")).arg(error));
}
