#pragma once

#include <QString>

#include <cstdint>

// File operations of the extraction, on native paths.
namespace filehelpers {

// Creates path and every missing parent. An existing folder is success; an
// existing file of that name is not.
bool createFolderWithParents(const QString &path);

// Removes a file even when it is read-only. Fails on a folder.
bool deleteFileAlways(const QString &path);

// Whether anything (file, folder or link) has this name.
bool lookUp(const QString &path);

// Applies archive attributes: Windows attribute bits, and the POSIX mode in
// the upper half when bit 0x8000 says one is there.
bool setAttributes(const QString &path, std::uint32_t attributes);

} // namespace filehelpers
