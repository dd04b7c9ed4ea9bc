#include "setup/launcherswapplan.h"

#include "core/filenames.h"
#include "setup/filehelpers.h"
#include "setup/pathguard.h"

#include <QFile>
#include <QFileInfo>
#include <QTextCodec>

#include <filesystem>

const QString LauncherSwapPlan::kFileList = QStringLiteral("tessaril-files.txt");

namespace {

// No path is longer, and no launcher has nearly so many files: beyond these
// the list is damage, and is never held in memory whole.
constexpr int kMaxLineBytes = 4096;
constexpr int kMaxLines = 100000;

bool present(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

bool isRealFolder(const QString &path)
{
    const QFileInfo info(path);
    return info.isDir() && !info.isSymLink();
}

// Every folder above relative, shallowest first: "a", "a/b" for "a/b/c".
QStringList ancestors(const QString &relative)
{
    QStringList found;
    for (int slash = relative.indexOf(QLatin1Char('/')); slash > 0;
         slash = relative.indexOf(QLatin1Char('/'), slash + 1))
        found.append(relative.left(slash));
    return found;
}

// A link among the new files may only point to a sibling file by a relative
// target: an absolute one would still point into the staging folder, which
// goes away once the swap is done.
bool isSoundNewEntry(const QString &newFolder, const QString &relative)
{
    const QString path = newFolder + QLatin1Char('/') + relative;
    const QFileInfo info(path);
    for (const QString &folder : ancestors(relative)) {
        if (!isRealFolder(newFolder + QLatin1Char('/') + folder))
            return false;
    }
    if (!info.isSymLink())
        return info.isFile();
    std::error_code error;
    const std::filesystem::path target
        = std::filesystem::read_symlink(std::filesystem::path(path.toStdU16String()), error);
    return !error && target.is_relative() && info.isFile()
        && pathguard::staysInside(newFolder, relative, false);
}

} // namespace

QString LauncherSwapPlan::programPath(const QString &line)
{
    if (line.isEmpty() || pathguard::safeRelativePath(line) != line)
        return QString();
    const QStringList parts = line.split(QLatin1Char('/'));
    for (const QString &part : parts) {
        if (part == QLatin1String(".") || !FileNames::isPlain(part))
            return QString();
    }
    return line;
}

bool LauncherSwapPlan::isUserPath(const QString &path)
{
    const QString top = path.section(QLatin1Char('/'), 0, 0);
    const bool atRoot = top.size() == path.size();
    if (top.compare(QLatin1String("cache"), Qt::CaseInsensitive) == 0
        || top.compare(QLatin1String("Tessaril Game"), Qt::CaseInsensitive) == 0)
        return true;
    if (!atRoot)
        return false;
    return top.compare(QLatin1String("config.ini"), Qt::CaseInsensitive) == 0
        || (top.startsWith(QLatin1String("DumpFile-"), Qt::CaseInsensitive)
            && top.endsWith(QLatin1String(".dmp"), Qt::CaseInsensitive));
}

bool LauncherSwapPlan::readList(const QString &file, QStringList &lines)
{
    lines.clear();
    QFile list;
    if (!filehelpers::openRegularFile(list, file))
        return false;
    QTextCodec *utf8 = QTextCodec::codecForName("UTF-8");
    char buffer[kMaxLineBytes + 3]; // the longest line, "\r\n" and a terminating zero
    for (int count = 0;; ++count) {
        const qint64 got = list.readLine(buffer, sizeof buffer);
        if (got <= 0)
            return list.error() == QFileDevice::NoError;
        QByteArray raw(buffer, int(got));
        if (!raw.endsWith('\n') && !list.atEnd())
            return false;
        if (count >= kMaxLines)
            return false;
        if (raw.endsWith('\n'))
            raw.chop(1);
        if (raw.endsWith('\r'))
            raw.chop(1);
        if (count == 0 && raw.startsWith("\xEF\xBB\xBF"))
            raw.remove(0, 3);
        QTextCodec::ConverterState state;
        const QString line = utf8->toUnicode(raw.constData(), raw.size(), &state);
        if (state.invalidChars > 0 || state.remainingChars > 0)
            return false;
        if (!line.isEmpty())
            lines.append(line);
    }
}

void LauncherSwapPlan::protect(const QString &relativePath)
{
    const QString path = programPath(relativePath);
    if (!path.isNull())
        m_protected.append(path);
}

bool LauncherSwapPlan::isProtected(const QString &path) const
{
    if (isUserPath(path))
        return true;
    for (const QString &folder : m_protected) {
        if (path.compare(folder, Qt::CaseInsensitive) == 0
            || path.startsWith(folder + QLatin1Char('/'), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

bool LauncherSwapPlan::fail(const QString &error)
{
    m_error = error;
    m_aside.clear();
    m_incoming.clear();
    m_madeFolders.clear();
    return false;
}

bool LauncherSwapPlan::build(
    const QString &launcherFolder, const QString &newFolder, const QString &launcherFile)
{
    m_error.clear();
    m_aside.clear();
    m_incoming.clear();
    m_madeFolders.clear();
    if (!readNewList(newFolder, launcherFile))
        return false;

    // The new files are checked first, so a package that cannot go in whole
    // is refused before the installed list is even read.
    for (const QString &path : qAsConst(m_incoming)) {
        const QString target = launcherFolder + QLatin1Char('/') + path;
        if (!pathguard::staysInside(launcherFolder, path, true))
            return fail(QStringLiteral("%1 would leave the launcher folder").arg(path));
        if (isRealFolder(target))
            return fail(QStringLiteral("a folder is in the way of %1").arg(path));
        if (present(target))
            m_aside.append(path);
    }
    readInstalledList(launcherFolder);
    return planFolders(launcherFolder);
}

bool LauncherSwapPlan::readNewList(const QString &newFolder, const QString &launcherFile)
{
    QStringList lines;
    if (!readList(newFolder + QLatin1Char('/') + kFileList, lines))
        return fail(QStringLiteral("the package's %1 is missing or unreadable").arg(kFileList));
    QSet<QString> seen;
    for (const QString &line : qAsConst(lines)) {
        const QString path = programPath(line);
        if (path.isNull())
            return fail(QStringLiteral("the package's list names an unsound path: %1").arg(line));
        if (isProtected(path))
            return fail(
                QStringLiteral("the package's list names a file of the user's: %1").arg(path));
        if (!isSoundNewEntry(newFolder, path))
            return fail(QStringLiteral("the package lacks %1 or it is not a file").arg(path));
        if (!seen.contains(path)) {
            seen.insert(path);
            m_incoming.append(path);
        }
    }
    // The list is what the next update reads as the installed version's.
    if (!seen.contains(kFileList))
        m_incoming.append(kFileList);
    if (!seen.contains(launcherFile))
        return fail(QStringLiteral("the package holds no %1").arg(launcherFile));
    return true;
}

void LauncherSwapPlan::readInstalledList(const QString &launcherFolder)
{
    // Without a list (a version from before lists) only the new version's
    // names are replaced; its other files stay where they are.
    QStringList lines;
    readList(launcherFolder + QLatin1Char('/') + kFileList, lines);
    QSet<QString> planned(m_aside.cbegin(), m_aside.cend());
    for (const QString &line : qAsConst(lines)) {
        const QString path = programPath(line);
        if (path.isNull() || isProtected(path) || planned.contains(path))
            continue;
        const QString target = launcherFolder + QLatin1Char('/') + path;
        if (!present(target) || isRealFolder(target)
            || !pathguard::staysInside(launcherFolder, path, true))
            continue;
        planned.insert(path);
        m_aside.append(path);
    }
}

bool LauncherSwapPlan::planFolders(const QString &launcherFolder)
{
    const QSet<QString> leaving(m_aside.cbegin(), m_aside.cend());
    QSet<QString> made;
    for (const QString &path : qAsConst(m_incoming)) {
        for (const QString &folder : ancestors(path)) {
            const QString target = launcherFolder + QLatin1Char('/') + folder;
            if (made.contains(folder) || QFileInfo(target).isDir())
                continue;
            // A file of the old version may give way to a folder of the new.
            if (present(target) && !leaving.contains(folder))
                return fail(QStringLiteral("a file is in the way of %1").arg(path));
            made.insert(folder);
            m_madeFolders.append(folder);
        }
    }
    return true;
}
