#include "platform/preallocate.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

bool preallocateFile(QFile &file, qint64 size)
{
    if (size < 0)
        return false;
    const qint64 former = file.size();
    if (former == size)
        return true;
    if (!file.flush())
        return false;
    const int fd = file.handle();
    if (fd < 0)
        return false;
    if (former > size)
        return ::ftruncate(fd, off_t(size)) == 0;
    // ftruncate alone would leave a sparse file whose blocks are only found
    // missing when they are written.
    int result;
    do {
        result = ::posix_fallocate(fd, 0, off_t(size));
    } while (result == EINTR);
    if (result == 0)
        return true;
    // A partial reservation may have moved the end; put it back.
    if (::ftruncate(fd, off_t(former)) != 0)
        qWarning("preallocateFile: cannot restore the former length: %s", strerror(errno));
    errno = result;
    return false;
}

} // namespace platform
