#include "platform/volume.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace platform {

bool canCreateFolderAt(const QString &path)
{
    QFileInfo nearest(QDir::cleanPath(path));
    while (!nearest.exists()) {
        const QString parent = nearest.path();
        if (parent == nearest.filePath())
            return true;
        nearest.setFile(parent);
    }
    if (!nearest.isDir())
        return false;
    // Permission bits do not tell it all (a read-only mount, access lists,
    // a quota): only a file really made there, and removed again, does.
    QTemporaryFile probe(nearest.filePath() + QStringLiteral("/.tessaril-probe-XXXXXX"));
    return probe.open();
}

} // namespace platform
