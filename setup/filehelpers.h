#pragma once

#include <QString>

#include <cstdint>

class QFile;

// File operations of the extraction, on native paths.
namespace filehelpers {

// Creates path and every missing parent. An existing folder is success; an
// existing file of that name is not.
bool createFolderWithParents(const QString &path);

// Removes a file even when it is read-only. Fails on a folder.
bool deleteFileAlways(const QString &path);

// Whether anything (file, folder or link) has this name.
bool lookUp(const QString &path);

// The permission bits a package may never grant: the process umask, and
// write for group and others. Nothing on Windows.
std::uint32_t forbiddenModeBits();

// Applies archive attributes: Windows attribute bits, and the POSIX mode in
// the upper half when bit 0x8000 says one is there, less forbiddenModeBits.
// The owner keeps read and write on files and everything on folders, so a
// read-only attribute is ignored; a link is never followed.
bool setAttributes(const QString &path, std::uint32_t attributes, std::uint32_t forbiddenModeBits);
inline bool setAttributes(const QString &path, std::uint32_t attributes)
{
    return setAttributes(path, attributes, forbiddenModeBits());
}

// The permission bits those same rules give a file (not a folder) whose bits
// are current now. POSIX only: the streams apply them through the open file.
std::uint32_t fileModeFor(
    std::uint32_t attributes, std::uint32_t current, std::uint32_t forbiddenModeBits);

// Gives the owner read, write and search on a folder (never through a link)
// so an extraction can write into it. True when something had to change:
// previous then holds what restoreFolderAccess puts back.
bool openFolderToOwner(const QString &path, std::uint32_t &previous);
void restoreFolderAccess(const QString &path, std::uint32_t previous);

// Opens path for reading only when it is a regular file, without ever waiting
// on a FIFO or a device on the way.
bool openRegularFile(QFile &file, const QString &path);

} // namespace filehelpers
