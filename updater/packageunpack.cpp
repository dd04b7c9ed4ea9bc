#include "updater/packageunpack.h"

#include "setup/archiveengine.h"

#include <QFileInfo>

PackageUnpack::PackageUnpack(QObject *parent)
    : QObject(parent)
{
    connect(&m_setup, &setupmanager::setupProgress, this,
        [this](qlonglong done, qlonglong total) { emit progress(done, total); });
    connect(
        &m_setup, &setupmanager::setupError, this, [this](ErrorCode code, const QString &message) {
            if (m_firstError.isEmpty())
                m_firstError = QStringLiteral("[%1]:%2").arg(int(code)).arg(message);
        });
    connect(&m_setup, &setupmanager::setupFinished, this, [this] { m_finished = true; });
    // The worker reports errors and goes on, so only its end says how it went.
    connect(&m_setup, &QThread::finished, this, &PackageUnpack::workerEnded);
}

void PackageUnpack::useEngineBeside(const QString &launcherFolder)
{
    const QStringList candidates = ArchiveEngine::candidatePaths();
    if (qEnvironmentVariableIsSet("TESSARIL_ARCHIVE_ENGINE") || candidates.isEmpty())
        return;
    const QString beside
        = launcherFolder + QLatin1Char('/') + QFileInfo(candidates.constFirst()).fileName();
    if (QFileInfo(beside).isFile())
        qputenv("TESSARIL_ARCHIVE_ENGINE", QFile::encodeName(beside));
}

void PackageUnpack::start(const QString &folder, const QString &packageName)
{
    m_firstError.clear();
    m_finished = false;
    m_setup.setZipFilePath(folder);
    m_setup.setZipFileName(packageName);
    m_setup.start();
}

void PackageUnpack::workerEnded()
{
    if (m_finished && m_firstError.isEmpty())
        emit unpacked();
    else
        emit failed(m_firstError);
}
