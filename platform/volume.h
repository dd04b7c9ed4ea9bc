#pragma once

#include <QStorageInfo>
#include <QString>

namespace platform {

// The volume that holds (or would hold) path, for free-space checks. The
// path need not exist yet. An invalid QStorageInfo when there is none.
QStorageInfo volumeOf(const QString &path);

// Whether path can serve as an install folder: it exists, or it names a
// volume that exists and holds no character the file system refuses.
bool isValidInstallPath(const QString &path);

// Whether the launcher can make a folder at path and write into it: the
// nearest part of path that exists must be a folder that takes a new file.
// A path of which nothing exists is left to the other rules.
bool canCreateFolderAt(const QString &path);

} // namespace platform
