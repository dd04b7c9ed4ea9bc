#include "setup/filestreams.h"

#include <windows.h>

using namespace engine;

namespace {

HRESULT lastError()
{
    const DWORD code = GetLastError();
    return code == 0 ? E_FAIL : HRESULT(0x80070000u | (code & 0xFFFFu));
}

HANDLE native(std::intptr_t handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

engine::FILETIME fromNative(const ::FILETIME &time)
{
    return {time.dwLowDateTime, time.dwHighDateTime};
}

HRESULT seekHandle(std::intptr_t handle, Int64 offset, UInt32 origin, UInt64 *newPosition)
{
    if (origin > 2)
        return STG_E_INVALIDFUNCTION;
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    LARGE_INTEGER position;
    if (!SetFilePointerEx(native(handle), distance, &position, origin))
        return lastError();
    if (newPosition)
        *newPosition = UInt64(position.QuadPart);
    return S_OK;
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

bool CInFileStream::open(const QString &path)
{
    if (!close())
        return false;
    HANDLE file = CreateFileW(reinterpret_cast<LPCWSTR>(path.utf16()), GENERIC_READ, FILE_SHARE_READ,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    m_handle = file == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<std::intptr_t>(file);
    return m_handle != -1;
}

HRESULT CInFileStream::Read(void *data, UInt32 size, UInt32 *processed)
{
    DWORD got = 0;
    const BOOL ok = ReadFile(native(m_handle), data, qMin(size, kMaxIoPiece), &got, nullptr);
    if (processed)
        *processed = got;
    return ok ? S_OK : lastError();
}

HRESULT CInFileStream::Seek(Int64 offset, UInt32 origin, UInt64 *newPosition)
{
    return seekHandle(m_handle, offset, origin, newPosition);
}

HRESULT CInFileStream::GetSize(UInt64 *size)
{
    LARGE_INTEGER length;
    if (!GetFileSizeEx(native(m_handle), &length))
        return lastError();
    *size = UInt64(length.QuadPart);
    return S_OK;
}

HRESULT CInFileStream::GetProps(UInt64 *size, engine::FILETIME *creation, engine::FILETIME *access,
                                engine::FILETIME *write, UInt32 *attributes)
{
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(native(m_handle), &info))
        return lastError();
    if (size)
        *size = (UInt64(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    if (creation)
        *creation = fromNative(info.ftCreationTime);
    if (access)
        *access = fromNative(info.ftLastAccessTime);
    if (write)
        *write = fromNative(info.ftLastWriteTime);
    if (attributes)
        *attributes = info.dwFileAttributes;
    return S_OK;
}

HRESULT CInFileStream::GetProps2(StreamProps2 *props)
{
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(native(m_handle), &info))
        return lastError();
    props->Size = (UInt64(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    props->VolID = info.dwVolumeSerialNumber;
    props->FileID_Low = (UInt64(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    props->FileID_High = 0;
    props->NumLinks = 1;
    props->Attrib = info.dwFileAttributes;
    props->CTime = fromNative(info.ftCreationTime);
    props->ATime = fromNative(info.ftLastAccessTime);
    props->MTime = fromNative(info.ftLastWriteTime);
    return S_OK;
}

bool COutFileStream::create(const QString &path)
{
    if (Close() != S_OK)
        return false;
    HANDLE file = CreateFileW(reinterpret_cast<LPCWSTR>(path.utf16()), GENERIC_WRITE, FILE_SHARE_READ,
                              nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    m_handle = file == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<std::intptr_t>(file);
    return m_handle != -1;
}

HRESULT COutFileStream::Write(const void *data, UInt32 size, UInt32 *processed)
{
    UInt32 done = 0;
    HRESULT result = S_OK;
    const char *bytes = static_cast<const char *>(data);
    while (done < size) {
        DWORD written = 0;
        if (!WriteFile(native(m_handle), bytes + done, qMin(size - done, kMaxIoPiece), &written, nullptr)) {
            result = lastError();
            break;
        }
        if (written == 0)
            break;
        done += written;
    }
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
    UInt64 position = 0;
    HRESULT result = Seek(0, 1, &position);
    if (result != S_OK)
        return result;
    if ((result = Seek(Int64(size), 0, nullptr)) != S_OK)
        return result;
    const bool ended = SetEndOfFile(native(m_handle)) != 0;
    const HRESULT endResult = ended ? S_OK : lastError();
    result = Seek(Int64(position), 0, nullptr);
    return endResult != S_OK ? endResult : result;
}

HRESULT COutFileStream::SetMTime(const engine::FILETIME &time)
{
    ::FILETIME write = {time.dwLowDateTime, time.dwHighDateTime};
    return SetFileTime(native(m_handle), nullptr, nullptr, &write) ? S_OK : lastError();
}

HRESULT COutFileStream::Close()
{
    if (m_handle == -1)
        return S_OK;
    const BOOL closed = CloseHandle(native(m_handle));
    m_handle = -1;
    return closed ? S_OK : lastError();
}
