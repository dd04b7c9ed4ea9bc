#include "setup/filehelpers.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace filehelpers {

namespace {

constexpr std::uint32_t kReadOnly = 0x1;
constexpr std::uint32_t kHasPosixMode = 0x8000;

} // namespace

bool createFolderWithParents(const QString &path)
{
    return QDir().mkpath(path) && QFileInfo(path).isDir();
}

bool deleteFileAlways(const QString &path)
{
    // On POSIX a file's own mode does not stop its removal; the folder's does.
    struct stat info;
    const QByteArray native = QFile::encodeName(path);
    if (::lstat(native.constData(), &info) == 0 && S_ISDIR(info.st_mode))
        return false;
    return ::unlink(native.constData()) == 0;
}

bool lookUp(const QString &path)
{
    struct stat info;
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

bool setAttributes(const QString &path, std::uint32_t attributes)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat info;
    if (::lstat(native.constData(), &info) != 0 || S_ISLNK(info.st_mode))
        return false;
    if (attributes & kHasPosixMode) {
        const mode_t stored = mode_t(attributes >> 16);
        // A link stored in the archive was written as a plain file: keep the
        // mode it was created with rather than the link's rwx for everyone.
        if (S_ISLNK(stored))
            return true;
        // Permission bits only: a package never makes anything set-uid.
        return ::chmod(native.constData(), stored & 0777) == 0;
    }
    if (attributes & kReadOnly)
        return ::chmod(native.constData(), info.st_mode & 07555) == 0;
    return true;
}

} // namespace filehelpers
