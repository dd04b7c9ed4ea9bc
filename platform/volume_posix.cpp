#include "platform/volume.h"

#include <QDir>
#include <QFileInfo>

namespace platform {

namespace {

// Install folders are usually created after the check, so climb to the
// nearest folder that exists: it is on the volume the new one will be on.
QString nearestExistingAncestor(const QString &absolutePath)
{
    QString candidate = QDir::cleanPath(absolutePath);
    while (!QFileInfo::exists(candidate)) {
        const QString parent = QFileInfo(candidate).path();
        if (parent == candidate)
            break;
        candidate = parent;
    }
    return candidate;
}

} // namespace

QStorageInfo volumeOf(const QString &path)
{
    if (!QDir::isAbsolutePath(path))
        return QStorageInfo();
    return QStorageInfo(nearestExistingAncestor(path));
}

bool isValidInstallPath(const QString &path)
{
    if (path.isEmpty())
        return false;
    if (QFileInfo::exists(path))
        return true;
    if (!QDir::isAbsolutePath(path))
        return false;
    static const QString forbidden = QStringLiteral("\uFF1F*><|:\"");
    for (const QChar c : path.mid(1)) {
        if (forbidden.contains(c))
            return false;
    }
    return true;
}

} // namespace platform
