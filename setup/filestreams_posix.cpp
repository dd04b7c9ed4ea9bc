#include "setup/filestreams.h"

#include "setup/filehelpers.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace engine;

namespace {

HRESULT lastError()
{
    const int code = errno;
    return code == 0 ? kFail : HRESULT(0x80070000u | (unsigned(code) & 0xFFFFu));
}

FILETIME toFiletime(const timespec &time)
{
    const std::uint64_t ticks
        = std::uint64_t(time.tv_sec + kFiletimeUnixOffsetSeconds) * 10000000ull
        + std::uint64_t(time.tv_nsec) / 100;
    return { std::uint32_t(ticks), std::uint32_t(ticks >> 32) };
}

int whenceOf(UInt32 origin)
{
    switch (origin) {
    case 0:
        return SEEK_SET;
    case 1:
        return SEEK_CUR;
    case 2:
        return SEEK_END;
    default:
        return -1;
    }
}

HRESULT seekHandle(std::intptr_t handle, Int64 offset, UInt32 origin, UInt64 *newPosition)
{
    const int whence = whenceOf(origin);
    if (whence < 0)
        return kInvalidFunction;
    errno = 0;
    const off_t position = ::lseek(int(handle), off_t(offset), whence);
    if (position < 0)
        return lastError();
    if (newPosition)
        *newPosition = UInt64(position);
    return kOk;
}

} // namespace

bool CInFileStream::close()
{
    if (m_handle < 0)
        return true;
    const bool closed = ::close(int(m_handle)) == 0;
    m_handle = -1;
    return closed;
}

bool CInFileStream::open(const QString &path, bool whileWritten)
{
    Q_UNUSED(whileWritten) // nothing locks a file here
    if (!close())
        return false;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    m_handle = fd;
    return fd >= 0;
}

HRESULT CInFileStream::Read(void *data, UInt32 size, UInt32 *processed)
{
    if (processed)
        *processed = 0;
    ssize_t got;
    do {
        errno = 0;
        got = ::read(int(m_handle), data, qMin(size, kMaxIoPiece));
    } while (got < 0 && errno == EINTR);
    if (got < 0)
        return lastError();
    if (processed)
        *processed = UInt32(got);
    return kOk;
}

HRESULT CInFileStream::Seek(Int64 offset, UInt32 origin, UInt64 *newPosition)
{
    return seekHandle(m_handle, offset, origin, newPosition);
}

HRESULT CInFileStream::GetSize(UInt64 *size)
{
    struct stat info;
    errno = 0;
    if (::fstat(int(m_handle), &info) != 0)
        return lastError();
    *size = UInt64(info.st_size);
    return kOk;
}

HRESULT CInFileStream::GetProps(
    UInt64 *size, FILETIME *creation, FILETIME *access, FILETIME *write, UInt32 *attributes)
{
    struct stat info;
    errno = 0;
    if (::fstat(int(m_handle), &info) != 0)
        return lastError();
    if (size)
        *size = UInt64(info.st_size);
    if (creation)
        *creation = toFiletime(info.st_ctim);
    if (access)
        *access = toFiletime(info.st_atim);
    if (write)
        *write = toFiletime(info.st_mtim);
    if (attributes)
        *attributes = 0x8000u | (UInt32(info.st_mode) << 16);
    return kOk;
}

HRESULT CInFileStream::GetProps2(StreamProps2 *props)
{
    struct stat info;
    errno = 0;
    if (::fstat(int(m_handle), &info) != 0)
        return lastError();
    props->Size = UInt64(info.st_size);
    props->VolID = UInt64(info.st_dev);
    props->FileID_Low = UInt64(info.st_ino);
    props->FileID_High = 0;
    props->NumLinks = 1;
    props->Attrib = 0x8000u | (UInt32(info.st_mode) << 16);
    props->CTime = toFiletime(info.st_ctim);
    props->ATime = toFiletime(info.st_atim);
    props->MTime = toFiletime(info.st_mtim);
    return kOk;
}

namespace {

// Not 0666: under a lax umask others could change the game's files.
constexpr mode_t kCreatedMode = 0644;

} // namespace

bool COutFileStream::create(const QString &path)
{
    if (Close() != kOk)
        return false;
    const int fd = ::open(QFile::encodeName(path).constData(),
        O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, kCreatedMode);
    m_handle = fd;
    return fd >= 0;
}

bool COutFileStream::createNew(const QString &path, bool &exists)
{
    exists = false;
    if (Close() != kOk)
        return false;
    const int fd = ::open(QFile::encodeName(path).constData(),
        O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, kCreatedMode);
    exists = fd < 0 && errno == EEXIST;
    m_handle = fd;
    return fd >= 0;
}

HRESULT COutFileStream::SetAttributes(UInt32 attributes, std::uint32_t forbiddenModeBits)
{
    // The umask, which the forbidden bits include, is all that took bits
    // from the created mode; most packages ask for just that mode.
    const mode_t created = kCreatedMode & ~mode_t(forbiddenModeBits);
    const mode_t wanted = mode_t(filehelpers::fileModeFor(attributes, created, forbiddenModeBits));
    if (wanted == created)
        return kOk;
    errno = 0;
    return ::fchmod(int(m_handle), wanted) == 0 ? kOk : lastError();
}

HRESULT COutFileStream::Write(const void *data, UInt32 size, UInt32 *processed)
{
    UInt32 done = 0;
    HRESULT result = kOk;
    const char *bytes = static_cast<const char *>(data);
    while (done < size) {
        errno = 0;
        const ssize_t written
            = ::write(int(m_handle), bytes + done, qMin(size - done, kMaxIoPiece));
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0) {
            result = lastError();
            break;
        }
        if (written == 0)
            break;
        done += UInt32(written);
    }
    if (done < size)
        m_writeFailed = true;
    if (processed)
        *processed = done;
    return result;
}

HRESULT COutFileStream::Seek(Int64 offset, UInt32 origin, UInt64 *newPosition)
{
    return seekHandle(m_handle, offset, origin, newPosition);
}

HRESULT COutFileStream::SetSize(UInt64 size)
{
    // ftruncate leaves the file position where it was.
    errno = 0;
    return ::ftruncate(int(m_handle), off_t(size)) == 0 ? kOk : lastError();
}

HRESULT COutFileStream::SetMTime(const FILETIME &time)
{
    const std::int64_t ticks
        = std::int64_t((std::uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime);
    timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = time_t(ticks / 10000000 - kFiletimeUnixOffsetSeconds);
    times[1].tv_nsec = long(ticks % 10000000) * 100;
    errno = 0;
    return ::futimens(int(m_handle), times) == 0 ? kOk : lastError();
}

HRESULT COutFileStream::Close()
{
    if (m_handle < 0)
        return kOk;
    errno = 0;
    const int result = ::close(int(m_handle));
    m_handle = -1;
    return result == 0 ? kOk : lastError();
}
