#include "setup/filestreams.h"

#include <windows.h>

// No using-directive here: <windows.h> declares HRESULT, GUID and FILETIME too.

namespace {

engine::HRESULT lastError()
{
    const DWORD code = GetLastError();
    return code == 0 ? engine::kFail : engine::HRESULT(0x80070000u | (code & 0xFFFFu));
}

HANDLE native(std::intptr_t handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

engine::FILETIME fromNative(const ::FILETIME &time)
{
    return { time.dwLowDateTime, time.dwHighDateTime };
}

engine::HRESULT seekHandle(
    std::intptr_t handle, engine::Int64 offset, engine::UInt32 origin, engine::UInt64 *newPosition)
{
    if (origin > 2)
        return engine::kInvalidFunction;
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    LARGE_INTEGER position;
    if (!SetFilePointerEx(native(handle), distance, &position, origin))
        return lastError();
    if (newPosition)
        *newPosition = engine::UInt64(position.QuadPart);
    return engine::kOk;
}

} // namespace

bool CInFileStream::close()
{
    if (m_handle == -1)
        return true;
    const bool closed = CloseHandle(native(m_handle)) != 0;
    m_handle = -1;
    return closed;
}

bool CInFileStream::open(const QString &path, bool whileWritten)
{
    if (!close())
        return false;
    // A file still being written is renamed by its writer once complete.
    const DWORD share
        = whileWritten ? FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE : FILE_SHARE_READ;
    HANDLE file = CreateFileW(reinterpret_cast<LPCWSTR>(path.utf16()), GENERIC_READ, share, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    m_handle = file == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<std::intptr_t>(file);
    return m_handle != -1;
}

engine::HRESULT CInFileStream::Read(void *data, engine::UInt32 size, engine::UInt32 *processed)
{
    DWORD got = 0;
    const BOOL ok = ReadFile(native(m_handle), data, qMin(size, kMaxIoPiece), &got, nullptr);
    if (processed)
        *processed = got;
    return ok ? engine::kOk : lastError();
}

engine::HRESULT CInFileStream::Seek(
    engine::Int64 offset, engine::UInt32 origin, engine::UInt64 *newPosition)
{
    return seekHandle(m_handle, offset, origin, newPosition);
}

engine::HRESULT CInFileStream::GetSize(engine::UInt64 *size)
{
    LARGE_INTEGER length;
    if (!GetFileSizeEx(native(m_handle), &length))
        return lastError();
    *size = engine::UInt64(length.QuadPart);
    return engine::kOk;
}

engine::HRESULT CInFileStream::GetProps(engine::UInt64 *size, engine::FILETIME *creation,
    engine::FILETIME *access, engine::FILETIME *write, engine::UInt32 *attributes)
{
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(native(m_handle), &info))
        return lastError();
    if (size)
        *size = (engine::UInt64(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    if (creation)
        *creation = fromNative(info.ftCreationTime);
    if (access)
        *access = fromNative(info.ftLastAccessTime);
    if (write)
        *write = fromNative(info.ftLastWriteTime);
    if (attributes)
        *attributes = info.dwFileAttributes;
    return engine::kOk;
}

engine::HRESULT CInFileStream::GetProps2(engine::StreamProps2 *props)
{
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(native(m_handle), &info))
        return lastError();
    props->Size = (engine::UInt64(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    props->VolID = info.dwVolumeSerialNumber;
    props->FileID_Low = (engine::UInt64(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    props->FileID_High = 0;
    props->NumLinks = 1;
    props->Attrib = info.dwFileAttributes;
    props->CTime = fromNative(info.ftCreationTime);
    props->ATime = fromNative(info.ftLastAccessTime);
    props->MTime = fromNative(info.ftLastWriteTime);
    return engine::kOk;
}

bool COutFileStream::create(const QString &path)
{
    if (Close() != engine::kOk)
        return false;
    HANDLE file = CreateFileW(reinterpret_cast<LPCWSTR>(path.utf16()), GENERIC_WRITE,
        FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    m_handle = file == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<std::intptr_t>(file);
    return m_handle != -1;
}

bool COutFileStream::createNew(const QString &path, bool &exists)
{
    exists = false;
    if (Close() != engine::kOk)
        return false;
    const LPCWSTR name = reinterpret_cast<LPCWSTR>(path.utf16());
    HANDLE file = CreateFileW(
        name, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    // A folder of that name fails with "access denied" rather than "exists".
    exists = file == INVALID_HANDLE_VALUE && GetFileAttributesW(name) != INVALID_FILE_ATTRIBUTES;
    m_handle = file == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<std::intptr_t>(file);
    return m_handle != -1;
}

engine::HRESULT COutFileStream::SetAttributes(engine::UInt32 attributes, std::uint32_t)
{
    if (attributes >= 0x10000000u)
        attributes &= 0x3FFF;
    FILE_BASIC_INFO info = {};
    // Zero would leave the attributes as they are rather than clear them.
    info.FileAttributes = attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
    return SetFileInformationByHandle(native(m_handle), FileBasicInfo, &info, sizeof info)
        ? engine::kOk
        : lastError();
}

engine::HRESULT COutFileStream::Write(
    const void *data, engine::UInt32 size, engine::UInt32 *processed)
{
    engine::UInt32 done = 0;
    engine::HRESULT result = engine::kOk;
    const char *bytes = static_cast<const char *>(data);
    while (done < size) {
        DWORD written = 0;
        if (!WriteFile(native(m_handle), bytes + done, qMin(size - done, kMaxIoPiece), &written,
                nullptr)) {
            result = lastError();
            break;
        }
        if (written == 0)
            break;
        done += written;
    }
    if (done < size)
        m_writeFailed = true;
    if (processed)
        *processed = done;
    return result;
}

engine::HRESULT COutFileStream::Seek(
    engine::Int64 offset, engine::UInt32 origin, engine::UInt64 *newPosition)
{
    return seekHandle(m_handle, offset, origin, newPosition);
}

engine::HRESULT COutFileStream::SetSize(engine::UInt64 size)
{
    engine::UInt64 position = 0;
    engine::HRESULT result = Seek(0, 1, &position);
    if (result != engine::kOk)
        return result;
    if ((result = Seek(engine::Int64(size), 0, nullptr)) != engine::kOk)
        return result;
    const bool ended = SetEndOfFile(native(m_handle)) != 0;
    const engine::HRESULT endResult = ended ? engine::kOk : lastError();
    result = Seek(engine::Int64(position), 0, nullptr);
    return endResult != engine::kOk ? endResult : result;
}

engine::HRESULT COutFileStream::SetMTime(const engine::FILETIME &time)
{
    ::FILETIME write = { time.dwLowDateTime, time.dwHighDateTime };
    return SetFileTime(native(m_handle), nullptr, nullptr, &write) ? engine::kOk : lastError();
}

engine::HRESULT COutFileStream::Close()
{
    if (m_handle == -1)
        return engine::kOk;
    const BOOL closed = CloseHandle(native(m_handle));
    m_handle = -1;
    return closed ? engine::kOk : lastError();
}
