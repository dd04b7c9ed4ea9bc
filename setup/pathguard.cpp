#include "setup/pathguard.h"

#include <QFileInfo>
#include <QStringList>

namespace pathguard {

QString safeRelativePath(const QString &path)
{
    QString normalized = path;
    normalized.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (normalized.startsWith(QLatin1Char('/')))
        return QString();
    if (normalized.size() >= 2 && normalized.at(1) == QLatin1Char(':'))
        return QString();
    const QStringList parts = normalized.split(QLatin1Char('/'));
    for (const QString &part : parts) {
        if (part == QLatin1String(".."))
            return QString();
    }
    return normalized;
}

bool staysInside(const QString &root, const QString &relative, bool lastMayBeLink)
{
    const QString canonicalRoot = QFileInfo(root).canonicalFilePath();
    if (canonicalRoot.isEmpty())
        return true; // a folder still to be made holds no links yet
    auto inside = [&canonicalRoot](const QString &path) {
        return path == canonicalRoot || path.startsWith(canonicalRoot + QLatin1Char('/'));
    };
    const QStringList parts = relative.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString current = canonicalRoot;
    for (int i = 0; i < parts.size(); ++i) {
        if (parts.at(i) == QLatin1String("."))
            continue;
        const QString next = current + QLatin1Char('/') + parts.at(i);
        const QFileInfo info(next);
        if (!info.isSymLink()) {
            if (!info.exists())
                return true; // nothing below a missing name can be a link
            current = next;
            continue;
        }
        if (i == parts.size() - 1 && lastMayBeLink)
            return true;
        const QString target = info.canonicalFilePath();
        if (target.isEmpty() || !inside(target))
            return false;
        current = target;
    }
    return true;
}

Guard::Guard(const QString &root)
    : m_canonicalRoot(QFileInfo(root).canonicalFilePath())
{
}

bool Guard::staysInside(const QString &relative, bool lastMayBeLink)
{
    if (m_canonicalRoot.isEmpty())
        return true; // a folder still to be made holds no links yet
    // The last component of a file may be anything; only the folders above
    // it count, and most items sit in a folder an earlier item was checked in.
    const int cut = relative.lastIndexOf(QLatin1Char('/'));
    const QString folders = lastMayBeLink ? relative.left(qMax(cut, 0)) : relative;
    if (folders.isEmpty() || folders == QLatin1String(".") || m_realFolders.contains(folders))
        return true;
    return walk(relative, lastMayBeLink);
}

bool Guard::walk(const QString &relative, bool lastMayBeLink)
{
    auto inside = [this](const QString &path) {
        return path == m_canonicalRoot || path.startsWith(m_canonicalRoot + QLatin1Char('/'));
    };
    const QStringList parts = relative.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString current = m_canonicalRoot;
    QString known; // the folders walked so far, while none was a link
    bool throughLink = false;
    for (int i = 0; i < parts.size(); ++i) {
        if (parts.at(i) == QLatin1String("."))
            continue;
        const bool last = i == parts.size() - 1;
        if (last && lastMayBeLink)
            return true;
        const QString next = current + QLatin1Char('/') + parts.at(i);
        if (!throughLink)
            known = known.isEmpty() ? parts.at(i) : known + QLatin1Char('/') + parts.at(i);
        const QFileInfo info(next);
        if (!info.isSymLink()) {
            if (!info.exists())
                return true; // nothing below a missing name can be a link
            if (!throughLink && info.isDir())
                m_realFolders.insert(known);
            current = next;
            continue;
        }
        const QString target = info.canonicalFilePath();
        if (target.isEmpty() || !inside(target))
            return false;
        throughLink = true;
        current = target;
    }
    return true;
}

} // namespace pathguard
