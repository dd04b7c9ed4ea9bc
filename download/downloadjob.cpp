#include "download/downloadjob.h"

#include "download/downloadmanager.h"

#include <QFileInfo>

DownloadJob::DownloadJob(QObject *parent)
    : Job(parent)
    , m_manager(new downloadmanager(this))
{
    connectManager();
}

DownloadJob::DownloadJob(downloadmanager *manager, QObject *parent)
    : Job(parent)
    , m_manager(manager)
{
    connectManager();
}

void DownloadJob::connectManager()
{
    connect(m_manager, &downloadmanager::downloadReplyProgress, this,
        [this](qlonglong done, qlonglong total) {
            if (isRunning() && !m_verifying)
                emit progress(done, total);
        });
    connect(m_manager, &downloadmanager::downloadFinished, this, &DownloadJob::onDownloaded);
    connect(m_manager, &downloadmanager::md5CheckFinish, this, &DownloadJob::onChecked);
    connect(m_manager, &downloadmanager::downloadError, this, &DownloadJob::onError);
    connect(m_manager, &downloadmanager::httpError, this, &DownloadJob::onError);
}

void DownloadJob::doStart()
{
    m_verifying = false;
    // A whole package left by an earlier run is only checked again.
    if (!m_packagePath.isEmpty() && QFileInfo(m_packagePath).isFile()) {
        onDownloaded();
        return;
    }
    m_manager->startDownload();
}

void DownloadJob::doAbort()
{
    m_manager->stopDownlaod();
    finishAborted();
}

void DownloadJob::onDownloaded()
{
    if (!isRunning() || m_verifying)
        return;
    m_verifying = true;
    m_manager->fileMd5(m_packagePath);
}

void DownloadJob::onChecked()
{
    if (isRunning() && m_verifying)
        succeed();
}

void DownloadJob::onError(ErrorDefine::ErrorCode code, const QString &text)
{
    if (!isRunning() || (code == ErrorDefine::DOWNLOAD_MD5_ERROR) != m_verifying)
        return;
    // Records how far the transfer got, so the next start resumes there.
    m_manager->stopDownlaod();
    fail(code, text);
}
