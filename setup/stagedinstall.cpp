#include "setup/stagedinstall.h"

#include "setup/pathguard.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <filesystem>

namespace {

constexpr QDir::Filters kEverything
    = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;

std::filesystem::path nativePath(const QString &path)
{
    return std::filesystem::path(path.toStdU16String());
}

bool renameInPlace(const QString &from, const QString &to)
{
    std::error_code error;
    std::filesystem::rename(nativePath(from), nativePath(to), error);
    return !error;
}

bool isLink(const QFileInfo &info)
{
    return info.isSymLink() || info.isJunction();
}

} // namespace

StagedInstall::StagedInstall(const QString &stagingFolder, const QString &installFolder)
    : m_staging(QDir::cleanPath(QFileInfo(stagingFolder).absoluteFilePath()))
    , m_install(QDir::cleanPath(QFileInfo(installFolder).absoluteFilePath()))
{
    const QString inside = QDir(m_install).relativeFilePath(m_staging);
    if (!inside.startsWith(QLatin1String("..")) && !QDir::isAbsolutePath(inside))
        m_stagingInside = inside;
}

bool StagedInstall::fail(const QString &text)
{
    m_errorText = text;
    return false;
}

// Everything is looked at before the first rename, so that a refused commit
// leaves the install folder as it was.
bool StagedInstall::check()
{
    const QFileInfo root(m_staging);
    if (!root.isDir() || isLink(root))
        return fail(QStringLiteral("no staging folder: ") + m_staging);
    if (!QDir().mkpath(m_install))
        return fail(QStringLiteral("cannot create ") + m_install);
    pathguard::Guard guard(m_install);
    QDirIterator it(m_staging, kEverything, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        const QString relative = QDir(m_staging).relativeFilePath(info.filePath());
        if (isLink(info) || (!info.isDir() && !info.isFile()))
            return fail(QStringLiteral("not a file or folder: ") + relative);
        const bool inStaging = !m_stagingInside.isEmpty()
            && (relative.compare(m_stagingInside, Qt::CaseInsensitive) == 0
                || relative.startsWith(m_stagingInside + QLatin1Char('/'), Qt::CaseInsensitive));
        // A link already in the install folder may give way to a file, never
        // lead one elsewhere.
        if (inStaging || !guard.staysInside(relative, info.isFile()))
            return fail(QStringLiteral("outside the install folder: ") + relative);
        const QFileInfo target(m_install + QLatin1Char('/') + relative);
        if (info.isDir() && isLink(target))
            return fail(QStringLiteral("a link where a folder goes: ") + relative);
        if (!isLink(target) && target.exists() && target.isDir() != info.isDir())
            return fail(QStringLiteral("a file and a folder of one name: ") + relative);
    }
    return true;
}

bool StagedInstall::commit()
{
    m_errorText.clear();
    return check() && moveFolderContents(QString()) && discard();
}

bool StagedInstall::moveFolderContents(const QString &relativeFolder)
{
    const QString prefix = relativeFolder.isEmpty() ? QString() : relativeFolder + QLatin1Char('/');
    const QFileInfoList entries
        = QDir(m_staging + QLatin1Char('/') + relativeFolder).entryInfoList(kEverything);
    for (const QFileInfo &entry : entries) {
        if (!moveEntry(prefix + entry.fileName(), entry.isDir()))
            return false;
    }
    return true;
}

bool StagedInstall::moveEntry(const QString &relative, bool isFolder)
{
    const QString from = m_staging + QLatin1Char('/') + relative;
    const QString to = m_install + QLatin1Char('/') + relative;
    const QFileInfo target(to);
    if (isFolder && target.isDir() && !isLink(target))
        return moveFolderContents(relative);
    // A folder the install folder lacks moves whole: one rename for all it holds.
    if (renameInPlace(from, to))
        return true;
    // Windows does not rename over a read-only file; removing it first would
    // leave a kill in between nothing in its place.
    if (!isFolder && target.isFile() && !isLink(target)
        && QFile::setPermissions(to, target.permissions() | QFileDevice::WriteOwner)
        && renameInPlace(from, to))
        return true;
    return fail(QStringLiteral("cannot move into place: ") + relative);
}

bool StagedInstall::discard()
{
    QDir staging(m_staging);
    if (!staging.exists() || staging.removeRecursively())
        return true;
    return fail(QStringLiteral("cannot remove ") + m_staging);
}
