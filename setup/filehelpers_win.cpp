#include "setup/filehelpers.h"

#include <QDir>
#include <QFile>

#include <windows.h>

namespace filehelpers {

namespace {

LPCWSTR wide(const QString &path)
{
    return reinterpret_cast<LPCWSTR>(path.utf16());
}

bool isFolder(const QString &path)
{
    const DWORD attributes = GetFileAttributesW(wide(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// "C:", "C:\" and "\\?\C:\" name a drive root, which is never created.
bool isDriveRoot(const QString &path)
{
    QString rest = path.startsWith(QLatin1String("\\\\?\\")) ? path.mid(4) : path;
    while (rest.endsWith(QLatin1Char('\\')) || rest.endsWith(QLatin1Char('/')))
        rest.chop(1);
    return rest.size() == 2 && rest.at(1) == QLatin1Char(':');
}

} // namespace

bool createFolderWithParents(const QString &requested)
{
    QString path = QDir::toNativeSeparators(requested);
    if (path.endsWith(QLatin1Char('\\')))
        path.chop(1);
    if (isDriveRoot(path))
        return false;
    if (isFolder(path))
        return true;
    if (CreateDirectoryW(wide(path), nullptr))
        return true;
    if (GetLastError() == ERROR_ALREADY_EXISTS)
        return isFolder(path);
    const int cut = path.lastIndexOf(QLatin1Char('\\'));
    if (cut <= 0 || isDriveRoot(path.left(cut)))
        return false;
    if (!createFolderWithParents(path.left(cut)))
        return false;
    if (CreateDirectoryW(wide(path), nullptr))
        return true;
    return GetLastError() == ERROR_ALREADY_EXISTS && isFolder(path);
}

bool deleteFileAlways(const QString &path)
{
    const DWORD attributes = GetFileAttributesW(wide(path));
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)
        && (attributes & FILE_ATTRIBUTE_READONLY)) {
        if (!SetFileAttributesW(wide(path), attributes & ~DWORD(FILE_ATTRIBUTE_READONLY)))
            return false;
    }
    return DeleteFileW(wide(path)) != 0;
}

// Fetched by name: older systems lack them, and then stream look-ups fail.
using FindFirstStreamFn = HANDLE(WINAPI *)(LPCWSTR, STREAM_INFO_LEVELS, LPVOID, DWORD);
using FindNextStreamFn = BOOL(WINAPI *)(HANDLE, LPVOID);
const auto g_findFirstStream = reinterpret_cast<FindFirstStreamFn>(
    GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "FindFirstStreamW"));
const auto g_findNextStream = reinterpret_cast<FindNextStreamFn>(
    GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "FindNextStreamW"));

bool lookUpStream(const QString &file, QString stream)
{
    if (!g_findFirstStream || !g_findNextStream)
        return false;
    if (!stream.endsWith(QLatin1String(":$DATA"), Qt::CaseInsensitive))
        stream += QLatin1String(":$DATA");
    WIN32_FIND_STREAM_DATA data;
    HANDLE found = g_findFirstStream(wide(file), FindStreamInfoStandard, &data, 0);
    if (found == INVALID_HANDLE_VALUE)
        return false;
    bool match = false;
    do {
        // Names come as ":name:$DATA".
        match
            = QString::fromWCharArray(data.cStreamName).mid(1).compare(stream, Qt::CaseInsensitive)
            == 0;
    } while (!match && g_findNextStream(found, &data));
    FindClose(found);
    return match;
}

bool lookUp(const QString &path)
{
    const int fileStart
        = qMax(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/'))) + 1;
    const int colon = path.indexOf(QLatin1Char(':'), qMax(fileStart, 2));
    const QString file = colon < 0 ? path : path.left(colon);
    WIN32_FIND_DATAW data;
    HANDLE found = FindFirstFileW(wide(file), &data);
    if (found == INVALID_HANDLE_VALUE)
        return false;
    FindClose(found);
    return colon < 0 || lookUpStream(file, path.mid(colon + 1));
}

std::uint32_t forbiddenModeBits()
{
    return 0;
}

bool setAttributes(const QString &path, std::uint32_t attributes, std::uint32_t)
{
    if (attributes >= 0x10000000u)
        attributes &= 0x3FFF;
    // Explorer reads a folder's read-only bit as "customised"; it protects nothing.
    if (isFolder(path))
        attributes &= ~DWORD(FILE_ATTRIBUTE_READONLY);
    return SetFileAttributesW(wide(path), attributes) != 0;
}

bool openFolderToOwner(const QString &, std::uint32_t &)
{
    return false; // a folder's attributes never stop writes into it
}

void restoreFolderAccess(const QString &, std::uint32_t) { }

bool openRegularFile(QFile &file, const QString &path)
{
    const DWORD attributes = GetFileAttributesW(wide(path));
    if (attributes == INVALID_FILE_ATTRIBUTES
        || (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)))
        return false;
    file.setFileName(path);
    return file.open(QIODevice::ReadOnly);
}

} // namespace filehelpers
