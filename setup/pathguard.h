#pragma once

#include <QSet>
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

// staysInside for the items of one extraction, which name the same folders
// over and over: the root is resolved once, and a folder found to be a real
// folder inside it, not a link, is not looked at again. The extraction never
// turns a folder into anything else, so what was found stays true.
class Guard
{
public:
    explicit Guard(const QString &root);
    // relative as cleaned by QDir::cleanPath, with no ".." component.
    bool staysInside(const QString &relative, bool lastMayBeLink);

private:
    bool walk(const QString &relative, bool lastMayBeLink);

    QString m_canonicalRoot;
    QSet<QString> m_realFolders;
};

} // namespace pathguard
