#include "core/filenames.h"

#include <QDir>
#include <QFileInfo>

namespace FileNames {

bool isPlain(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20
            || c.unicode() == 0x7f)
            return false;
    }
    return !(name.size() >= 2 && name.at(1) == QLatin1Char(':') && name.at(0).isLetter());
}

namespace {

// The canonical form of path, or of its nearest existing ancestor followed
// by the rest, so a file still to be written is judged by where it would go.
QString resolved(const QString &path)
{
    QString existing = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QString rest;
    // A dangling link counts as existing: it has no canonical form, so it is
    // refused rather than judged by the folder that holds it.
    while (
        !existing.isEmpty() && !QFileInfo::exists(existing) && !QFileInfo(existing).isSymLink()) {
        const int slash = existing.lastIndexOf(QLatin1Char('/'));
        if (slash <= 0)
            return QString();
        rest = existing.mid(slash) + rest;
        existing.truncate(slash);
    }
    const QString canonical = QFileInfo(existing).canonicalFilePath();
    return canonical.isEmpty() ? QString() : QDir::cleanPath(canonical + rest);
}

} // namespace

bool staysInside(const QString &folder, const QString &path)
{
    const QString base = resolved(folder);
    const QString target = resolved(path);
    if (base.isEmpty() || target.isEmpty())
        return false;
    return target == base
        || target.startsWith(base.endsWith(QLatin1Char('/')) ? base : base + QLatin1Char('/'));
}

} // namespace FileNames
