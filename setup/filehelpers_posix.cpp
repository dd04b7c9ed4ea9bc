#include "setup/filehelpers.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace filehelpers {

namespace {

constexpr std::uint32_t kHasPosixMode = 0x8000;

} // namespace

bool createFolderWithParents(const QString &path)
{
    const QString clean = QDir::cleanPath(path);
    const QByteArray native = QFile::encodeName(clean);
    struct stat info;
    if (::stat(native.constData(), &info) == 0)
        return S_ISDIR(info.st_mode);
    const int cut = clean.lastIndexOf(QLatin1Char('/'));
    if (cut > 0 && !createFolderWithParents(clean.left(cut)))
        return false;
    // Not 0777 as usual: under a lax umask others could write into the game.
    if (::mkdir(native.constData(), 0755) == 0)
        return true;
    return errno == EEXIST && ::stat(native.constData(), &info) == 0 && S_ISDIR(info.st_mode);
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

std::uint32_t forbiddenModeBits()
{
    // Reading the umask through umask() means setting it for a moment, which
    // other threads creating files would see; /proc tells without that.
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : status.readAll().split('\n')) {
            bool ok = false;
            const uint mask = line.startsWith("Umask:") ? line.mid(6).trimmed().toUInt(&ok, 8) : 0;
            if (ok)
                return mask | S_IWGRP | S_IWOTH;
        }
    }
    // The strictest value for the moment it is in force.
    const mode_t mask = ::umask(S_IRWXG | S_IRWXO);
    ::umask(mask);
    return mask | S_IWGRP | S_IWOTH;
}

std::uint32_t fileModeFor(
    std::uint32_t attributes, std::uint32_t current, std::uint32_t forbiddenModeBits)
{
    if (attributes & kHasPosixMode) {
        const mode_t stored = mode_t(attributes >> 16);
        // A link stored in the archive was written as a plain file: keep the
        // mode it was created with rather than the link's rwx for everyone.
        if (S_ISLNK(stored))
            return current;
        // Permission bits only: a package never makes anything set-uid, and
        // never locks the owner out of reading or replacing its own files.
        return ((stored & 0777) | S_IRUSR | S_IWUSR) & ~mode_t(forbiddenModeBits);
    }
    return current;
}

bool setAttributes(const QString &path, std::uint32_t attributes, std::uint32_t forbiddenModeBits)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat info;
    if (::lstat(native.constData(), &info) != 0 || S_ISLNK(info.st_mode))
        return false;
    // Windows does not stop writes into a read-only folder; here it would
    // lock the folder against the next update.
    if (S_ISDIR(info.st_mode) && !(attributes & kHasPosixMode))
        return true;
    const mode_t current = info.st_mode & 07777;
    mode_t wanted = mode_t(fileModeFor(attributes, current, forbiddenModeBits));
    if (S_ISDIR(info.st_mode))
        wanted |= S_IRWXU & ~mode_t(forbiddenModeBits);
    return wanted == current || ::chmod(native.constData(), wanted) == 0;
}

bool openFolderToOwner(const QString &path, std::uint32_t &previous)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat info;
    if (::lstat(native.constData(), &info) != 0 || !S_ISDIR(info.st_mode)
        || (info.st_mode & S_IRWXU) == S_IRWXU)
        return false;
    previous = info.st_mode & 07777;
    return ::chmod(native.constData(), (info.st_mode & 07777) | S_IRWXU) == 0;
}

void restoreFolderAccess(const QString &path, std::uint32_t previous)
{
    ::chmod(QFile::encodeName(path).constData(), mode_t(previous));
}

bool openRegularFile(QFile &file, const QString &path)
{
    // Without O_NONBLOCK, opening a FIFO waits for a writer that never comes.
    const int fd
        = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)
        || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

} // namespace filehelpers
