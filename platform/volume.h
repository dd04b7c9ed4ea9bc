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

} // namespace platform
