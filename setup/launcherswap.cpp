#include "setup/launcherswap.h"

#include "core/buildinfo.h"
#include "platform/namedmutex.h"
#include "setup/launcherswapplan.h"
#include "setup/pathguard.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <filesystem>

namespace {

bool present(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

QString parentOf(const QString &path)
{
    return QFileInfo(path).path();
}

bool isRealFolder(const QString &path)
{
    const QFileInfo info(path);
    return info.isDir() && !info.isSymLink();
}

std::filesystem::path fsPath(const QString &path)
{
    return std::filesystem::path(path.toStdU16String());
}

// Replaces what to holds, if anything, in one step. A link is moved as the
// link.
bool renameOver(const QString &from, const QString &to)
{
    std::error_code error;
    std::filesystem::rename(fsPath(from), fsPath(to), error);
    return !error;
}

// Moves a file to a free name, never over another.
bool moveEntry(const QString &from, const QString &to)
{
    if (!present(from) || present(to) || !QDir().mkpath(parentOf(to)))
        return false;
    return renameOver(from, to);
}

// A second name for an old file that the swap itself never changes: a hard
// link costs nothing; a copy, where the volume has no links, is made under
// another name first so that a copy cut short is never taken for the file.
bool keepSecondName(const QString &file, const QString &secondName)
{
    if (!QDir().mkpath(parentOf(secondName)))
        return false;
    std::error_code error;
    std::filesystem::create_hard_link(fsPath(file), fsPath(secondName), error);
    if (!error)
        return true;
    const QString partial = secondName + QStringLiteral(".part");
    std::filesystem::remove(fsPath(partial), error);
    if (QFileInfo(file).isSymLink())
        std::filesystem::copy_symlink(fsPath(file), fsPath(partial), error);
    else
        std::filesystem::copy_file(fsPath(file), fsPath(partial), error);
    return !error && renameOver(partial, secondName);
}

bool removeFile(const QString &path)
{
    if (QFile::remove(path))
        return true;
    // A read-only file on Windows; a link's target is never changed.
    if (QFileInfo(path).isSymLink())
        return false;
    QFile::setPermissions(path, QFile::permissions(path) | QFile::WriteUser);
    return QFile::remove(path);
}

// Never through a link: the link itself goes, not what it points to.
void removeTree(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymLink())
        QFile::remove(path);
    else if (info.isDir())
        QDir(path).removeRecursively();
}

QStringList ancestorsDeepestFirst(const QStringList &paths)
{
    QStringList folders;
    for (const QString &path : paths) {
        for (int slash = path.lastIndexOf(QLatin1Char('/')); slash > 0;
             slash = path.lastIndexOf(QLatin1Char('/'), slash - 1)) {
            if (!folders.contains(path.left(slash)))
                folders.append(path.left(slash));
        }
    }
    std::sort(folders.begin(), folders.end(), [](const QString &a, const QString &b) {
        return a.count(QLatin1Char('/')) > b.count(QLatin1Char('/'));
    });
    return folders;
}

template <typename Container> auto reversed(const Container &items)
{
    return Container(items.crbegin(), items.crend());
}

} // namespace

QString LauncherSwap::stagingFolder(const QString &launcherFolder)
{
    return QDir::cleanPath(launcherFolder) + QStringLiteral(".update");
}

QString LauncherSwap::newFolder(const QString &launcherFolder)
{
    return stagingFolder(launcherFolder) + QStringLiteral("/new");
}

LauncherSwap::LauncherSwap(const QString &launcherFolder)
    : m_launcher(QDir::cleanPath(launcherFolder))
    , m_staging(stagingFolder(launcherFolder))
{
}

QString LauncherSwap::inLauncher(const QString &relative) const
{
    return m_launcher + QLatin1Char('/') + relative;
}

QString LauncherSwap::inOld(const QString &relative) const
{
    return m_staging + QStringLiteral("/old/") + relative;
}

QString LauncherSwap::inNew(const QString &relative) const
{
    return m_staging + QStringLiteral("/new/") + relative;
}

QString LauncherSwap::journalPath() const
{
    return m_staging + QStringLiteral("/swap-journal.json");
}

bool LauncherSwap::fail(const QString &error)
{
    m_error = error;
    return false;
}

void LauncherSwap::notify(int operations)
{
    if (m_observer)
        m_observer(m_journal.step, operations);
}

bool LauncherSwap::record(Step step)
{
    LauncherSwapJournal next = m_journal;
    next.step = step;
    if (!next.write(journalPath()))
        return fail(tr("swap_error_write").arg(journalPath()));
    m_journal.step = step;
    notify(0);
    return true;
}

bool LauncherSwap::run(const LauncherSwapPlan &plan)
{
    m_error.clear();
    if (present(journalPath()))
        return fail(tr("swap_error_unresolved"));
    m_journal = LauncherSwapJournal();
    m_journal.aside = plan.aside();
    m_journal.incoming = plan.incoming();
    m_journal.madeFolders = plan.madeFolders();
    if (!record(Step::KeepingOld))
        return false;
    if (!keepOld() || !record(Step::MovingIn) || !moveIn() || !record(Step::Committed)) {
        const QString why = m_error;
        rollBack();
        m_error = why;
        return false;
    }
    // The new version is whole from here on; what finish() leaves undone
    // stays journaled for the next recover().
    finish();
    return true;
}

bool LauncherSwap::keepOld()
{
    int operations = 0;
    for (const QString &path : qAsConst(m_journal.aside)) {
        if (!pathguard::staysInside(m_launcher, path, true)
            || !keepSecondName(inLauncher(path), inOld(path)))
            return fail(tr("swap_error_keep_old").arg(path));
        notify(++operations);
    }
    return true;
}

bool LauncherSwap::moveIn()
{
    const QSet<QString> incoming(m_journal.incoming.cbegin(), m_journal.incoming.cend());
    QStringList leaving;
    for (const QString &path : qAsConst(m_journal.aside)) {
        if (!incoming.contains(path))
            leaving.append(path);
    }
    int operations = 0;
    // An old file may have the name of a folder the new version needs; its
    // path becomes that folder, so it cannot stay until the end.
    for (const QString &folder : qAsConst(m_journal.madeFolders)) {
        if (leaving.removeOne(folder)) {
            if (!removeFile(inLauncher(folder)))
                return fail(tr("swap_error_remove").arg(folder));
            notify(++operations);
        }
    }
    for (const QString &folder : qAsConst(m_journal.madeFolders)) {
        if (!pathguard::staysInside(m_launcher, folder, false)
            || (!QDir(m_launcher).mkdir(folder) && !QFileInfo(inLauncher(folder)).isDir()))
            return fail(tr("swap_error_make_folder").arg(folder));
    }
    for (const QString &path : qAsConst(m_journal.incoming)) {
        if (!pathguard::staysInside(m_launcher, path, true) || !replaceWith(inNew(path), path))
            return fail(tr("swap_error_move_in").arg(path));
        notify(++operations);
    }
    for (const QString &path : qAsConst(leaving)) {
        if (!pathguard::staysInside(m_launcher, path, true) || !removeFile(inLauncher(path)))
            return fail(tr("swap_error_remove").arg(path));
        notify(++operations);
    }
    return true;
}

bool LauncherSwap::replaceWith(const QString &from, const QString &path)
{
    const QString target = inLauncher(path);
    if (renameOver(from, target))
        return true;
    // Windows refuses to replace a program that runs, such as the updater
    // itself, yet lets it be renamed: it makes way for a moment, and its
    // second name in "old" still restores it.
    return present(from) && moveEntry(target, m_staging + QStringLiteral("/replaced/") + path)
        && renameOver(from, target);
}

// Old files come home by a rename over whatever holds their path, so the
// path never lacks a file; a new file whose path the old version did not
// have simply goes. Safe to repeat: a second name already used is gone.
bool LauncherSwap::rollBack()
{
    bool complete = true;
    const QSet<QString> aside(m_journal.aside.cbegin(), m_journal.aside.cend());
    if (m_journal.step == Step::MovingIn) {
        for (const QString &path : reversed(m_journal.incoming)) {
            if (!aside.contains(path) && present(inLauncher(path))
                && (!pathguard::staysInside(m_launcher, path, true)
                    || !removeFile(inLauncher(path))))
                complete = false;
        }
    }
    // Before the old files return: an old file may have the name of a
    // folder the new version needed.
    for (const QString &folder : reversed(m_journal.madeFolders))
        QDir(m_launcher).rmdir(folder);
    for (const QString &path : reversed(m_journal.aside)) {
        if (!present(inOld(path)))
            continue;
        if (!pathguard::staysInside(m_launcher, path, true) || isRealFolder(inLauncher(path))
            || !restoreOld(path))
            complete = false;
    }
    if (!complete)
        return fail(tr("swap_error_restore_old").arg(QDir::toNativeSeparators(m_staging)));
    removeStaging();
    return true;
}

bool LauncherSwap::restoreOld(const QString &path)
{
    if (!renameOver(inOld(path), inLauncher(path)))
        return false;
    // Both names of one file: the rename leaves them as they are.
    return !present(inOld(path)) || removeFile(inOld(path));
}

bool LauncherSwap::finish()
{
    int operations = 0;
    bool complete = true;
    for (const QString &path : qAsConst(m_journal.aside)) {
        if (!present(inOld(path)))
            continue;
        if (removeFile(inOld(path)))
            notify(++operations);
        else
            complete = false;
    }
    // Folders the old version had to itself go with it once empty; one that
    // holds anything else stays.
    const QStringList keep = ancestorsDeepestFirst(m_journal.incoming);
    for (const QString &folder : ancestorsDeepestFirst(m_journal.aside)) {
        if (!keep.contains(folder))
            QDir(m_launcher).rmdir(folder);
    }
    if (!complete)
        return fail(tr("swap_error_remove_old").arg(QDir::toNativeSeparators(m_staging)));
    removeStaging();
    return true;
}

// The journal goes first: without it nothing reads the staging folder again,
// so removing it can be cut short harmlessly.
void LauncherSwap::removeStaging()
{
    QFile::remove(journalPath());
    removeTree(m_staging);
}

bool LauncherSwap::recover(const QString &launcherFolder, QString *error)
{
    LauncherSwap swap(launcherFolder);
    auto failed = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (!present(swap.journalPath()))
        return true;
    if (QFileInfo(swap.m_staging).isSymLink())
        return failed(tr("swap_error_link").arg(swap.m_staging));
    switch (swap.m_journal.read(swap.journalPath())) {
    case LauncherSwapJournal::Read::Absent:
        return true;
    case LauncherSwapJournal::Read::Damaged:
        return failed(tr("swap_error_damaged").arg(swap.journalPath()));
    case LauncherSwapJournal::Read::Read:
        break;
    }
    const bool done = swap.m_journal.step == Step::Committed ? swap.finish() : swap.rollBack();
    return done || failed(swap.m_error);
}

void LauncherSwap::discardUnjournaled(const QString &launcherFolder)
{
    LauncherSwap swap(launcherFolder);
    if (QFileInfo(swap.m_staging).isSymLink() || present(swap.journalPath()))
        return;
    removeTree(swap.m_staging + QStringLiteral("/new"));
    removeTree(swap.m_staging + QStringLiteral("/old"));
}

bool LauncherSwap::recoverAtStartup(const QString &launcherFolder)
{
    platform::NamedMutexHolder lock(updateMutexName());
    if (!lock.isOwner())
        return true;
    return recover(launcherFolder);
}
