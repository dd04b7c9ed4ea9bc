#pragma once

#include <QString>

// Names that arrive from a service reply or a manifest become file names on
// disk only through these checks.
namespace FileNames {

// A single name inside a folder: not empty, not "." or "..", without a path
// separator of either system, a NUL or other control character, or a drive
// prefix ("C:").
bool isPlain(const QString &name);

// True when path, with every link resolved as far as it exists, stays inside
// folder (itself resolved). A path that does not exist yet is judged by its
// nearest existing ancestor.
bool staysInside(const QString &folder, const QString &path);

} // namespace FileNames
