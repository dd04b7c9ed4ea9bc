// The check of a finished download: against the digest taken while it was
// written when that still holds, else by reading the file on a thread of
// its own.
#include "download/downloadmanager.h"
#include "download/md5checkworker.h"

#include <QThread>

void downloadmanager::fileMd5(const QString &filePath)
{
    const QString written = m_digest.digestFor(filePath);
    if (!written.isEmpty()) {
        // Answered from the event loop, as the worker's answer would be.
        emit md5CheckStart();
        QMetaObject::invokeMethod(
            this, [this, written] { getFileMd5(written); }, Qt::QueuedConnection);
        return;
    }
    auto *thread = new QThread;
    auto *worker = new md5checkworker(filePath);
    worker->moveToThread(thread);
    connect(thread, &QThread::started, worker, &md5checkworker::md5);
    connect(worker, &md5checkworker::md5Checkfinished, this, &downloadmanager::getFileMd5,
        Qt::QueuedConnection);
    connect(worker, &md5checkworker::md5Checkfinished, thread, &QThread::quit);
    connect(thread, &QThread::finished, worker, &QObject::deleteLater);
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start(QThread::InheritPriority);
    emit md5CheckStart();
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
