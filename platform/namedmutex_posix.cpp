#include "platform/namedmutex.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

// A named mutex is an flock on a file in the user's runtime folder: the
// kernel drops the lock the moment its holder dies, even by SIGKILL, so a
// left-over file never means "held".
namespace platform {

namespace {

QByteArray lockFilePath(const QString &name)
{
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::tempPath();
    QString safeName = name;
    safeName.replace(QLatin1Char('/'), QLatin1Char('_'));
    return QFile::encodeName(folder + QLatin1Char('/') + safeName + QStringLiteral(".lock"));
}

} // namespace

bool isNamedMutexHeld(const QString &name)
{
    const int fd = ::open(lockFilePath(name).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    // A shared probe never collides with another prober, only with the holder.
    int result;
    do {
        result = ::flock(fd, LOCK_SH | LOCK_NB);
    } while (result < 0 && errno == EINTR);
    const bool held = result < 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

NamedMutexHolder::NamedMutexHolder(const QString &name)
{
    m_fd = ::open(lockFilePath(name).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_fd < 0)
        return;
    int result;
    do {
        result = ::flock(m_fd, LOCK_EX | LOCK_NB);
    } while (result < 0 && errno == EINTR);
    m_owner = result == 0;
}

NamedMutexHolder::~NamedMutexHolder()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool NamedMutexHolder::isOwner() const
{
    return m_owner;
}

} // namespace platform
