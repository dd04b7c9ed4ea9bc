// The part of a setupmanager run after extraction: the package's delete list
// and the game's metadata file.
#include "setup/pathguard.h"
#include "setup/setupmanager.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace {

const QString kDeleteList = QStringLiteral("/deletefiles.txt");
const QString kMetadataPrimary
    = QStringLiteral("/Quorvela_Data/Managed/Metadata/global-metadata.dat");
const QString kMetadataFallback
    = QStringLiteral("/Quorvela_Data/Native/Data/Metadata/global-metadata.dat");

} // namespace

bool setupmanager::processDeleteList()
{
    const QString listPath = m_dir + kDeleteList;
    if (!QFile::exists(listPath))
        return true;
    QFile list(listPath);
    if (!list.open(QIODevice::ReadOnly | QIODevice::Text)) {
        // Ending silently would leave the caller waiting for a signal forever.
        raiseError(ErrorDefine::SETUP_DELETE_OLD_FILE_ERROR,
            listPath + QLatin1Char(' ') + tr("message_setup_delete_old_file_error"));
        return false;
    }
    while (!list.atEnd()) {
        const QString line = QString::fromUtf8(list.readLine()).trimmed();
        if (line.isEmpty())
            continue;
        const QString relative = pathguard::safeRelativePath(line);
        if (relative.isNull() || !pathguard::staysInside(m_dir, relative, true)) {
            qDebug() << "deletefiles.txt: skipping a path outside the folder:" << line;
            continue;
        }
        const QString target = m_dir + QLatin1Char('/') + relative;
        const QFileInfo info(target);
        if (!info.exists() && !info.isSymLink())
            continue;
        if (info.isDir() && !info.isSymLink()) {
            raiseError(ErrorDefine::SETUP_DELETE_OLD_FILE_ERROR,
                target + QLatin1Char(' ') + tr("message_setup_delete_old_file_error"));
            return false;
        }
        if (!QFile::remove(target)) {
            raiseError(ErrorDefine::SETUP_DELETE_OLD_FILE_ERROR,
                target + QLatin1Char(' ') + tr("message_setup_delete_old_file_error"));
            return false;
        }
    }
    list.close();
    if (!QFile::remove(listPath))
        QFile::remove(listPath);
    return true;
}

void setupmanager::checkGameMetadata()
{
    const QString primary = m_dir + kMetadataPrimary;
    const QFileInfo primaryInfo(primary);
    if (primaryInfo.exists() && primaryInfo.size() > 0)
        return;
    emit globalMetaDataDismiss();
    if (primaryInfo.exists())
        QFile::remove(primary);
    const QString fallback = m_dir + kMetadataFallback;
    const QFileInfo fallbackInfo(fallback);
    if (fallbackInfo.exists() && fallbackInfo.size() > 0) {
        QDir().mkpath(QFileInfo(primary).path());
        if (!QFile::copy(fallback, primary))
            emit globalMetaDataError();
        return;
    }
    emit globalMetaDataError();
}
