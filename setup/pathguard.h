#pragma once

#include <QString>

// Keeps what a package names inside the folder it is installed into. Item
// paths come from the archive and delete lists from the package, so both are
// untrusted input.
namespace pathguard {

// The path with "\" read as a separator (archives made on Windows use it),
// or a null string when it is absolute, has a drive or UNC prefix, or has a
// ".." component.
QString safeRelativePath(const QString &path);

// Whether root + "/" + relative stays inside root when the symbolic links
// already on disk along the way are followed. A link as the last component
// is allowed when lastMayBeLink: it is replaced or removed, never followed.
bool staysInside(const QString &root, const QString &relative, bool lastMayBeLink);

} // namespace pathguard
