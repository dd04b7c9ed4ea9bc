#pragma once

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <QString>

namespace platform {

// The volume that holds (or would hold) path, for free-space checks. The
// path need not exist yet. An invalid QStorageInfo when there is none.
QStorageInfo volumeOf(const QString &path);

// Whether path can serve as an install folder: it exists, or it names a
// volume that exists and holds no character the file system refuses.
bool isValidInstallPath(const QString &path);

// Whether a folder can still be made at path. Nothing can be created below a
// file, so the nearest part of path that exists must be a folder; a path of
// which nothing exists is left to the other rules.
inline bool canCreateFolderAt(const QString &path)
{
    QFileInfo nearest(QDir::cleanPath(path));
    while (!nearest.exists()) {
        const QString parent = nearest.path();
        if (parent == nearest.filePath())
            return true;
        nearest.setFile(parent);
    }
    return nearest.isDir();
}

} // namespace platform
