#include "platform/volume.h"

#include <QDir>
#include <QFileInfo>

namespace platform {

namespace {

// "D:\Games\x" -> "D:"; a path without a colon has no drive.
QString driveOf(const QString &path)
{
    return path.mid(0, path.indexOf(QLatin1Char(':')) + 1);
}

} // namespace

QStorageInfo volumeOf(const QString &path)
{
    return QStorageInfo(driveOf(path));
}

bool isValidInstallPath(const QString &path)
{
    if (path.isEmpty())
        return false;
    if (QFileInfo::exists(path))
        return true;
    const QString drive = driveOf(path);
    if (drive.size() <= 1 || !QDir(drive + QLatin1Char('/')).exists())
        return false;
    const QString rest = path.mid(drive.size());
    static const QString forbidden = QStringLiteral("\uFF1F*><|:\"");
    for (const QChar c : rest) {
        if (forbidden.contains(c))
            return false;
    }
    return true;
}

} // namespace platform
