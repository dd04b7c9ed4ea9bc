#include "updater/packagefetch.h"

#include "net/serviceaddresses.h"

PackageFetch::PackageFetch(QObject *parent)
    : QObject(parent)
{
    connect(&m_download, &downloadmanager::downloadReplyProgress, this,
        [this](qlonglong done, qlonglong total) { emit progress(done, total); });
    connect(&m_download, &downloadmanager::downloadFinished, this, [this] {
        emit verifying();
        m_download.fileMd5(m_path);
    });
    connect(&m_download, &downloadmanager::md5CheckFinish, this, [this] {
        if (m_done)
            return;
        m_done = true;
        emit fetched();
    });
    connect(&m_download, &downloadmanager::downloadError, this, &PackageFetch::fail);
    connect(&m_download, &downloadmanager::httpError, this, &PackageFetch::fail);
}

void PackageFetch::start(const QUrl &url, const QString &md5, const QString &folder,
    const QString &fileName, const QString &resumeStore)
{
    m_done = false;
    m_path = folder + QLatin1Char('/') + fileName;
    // The launcher's own files come only from where its updates may come
    // from, however the server redirects.
    m_download.setRedirectFilter(&ServiceAddresses::isAcceptableUrl);
    m_download.setResumeStore(resumeStore);
    m_download.setFileMD5(md5);
    m_download.setFilePath(folder);
    m_download.setUrl(url);
    m_download.startDownload();
}

void PackageFetch::fail(ErrorCode code, const QString &message)
{
    if (m_done)
        return;
    m_done = true;
    // Records how far the transfer got, so the next run resumes there.
    m_download.stopDownlaod();
    emit failed(code == ErrorDefine::DOWNLOAD_MD5_ERROR,
        QStringLiteral("[%1]:%2").arg(int(code)).arg(message));
}
