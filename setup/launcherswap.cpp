#include "setup/launcherswap.h"

#include "core/buildinfo.h"
#include "platform/namedmutex.h"
#include "setup/launcherswapplan.h"
#include "setup/pathguard.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

// A rename and nothing else: the staging folder sits on the launcher
// folder's volume, and a copy that is cut short would leave half a file
// where a whole one is expected. A link is moved as the link.
bool moveEntry(const QString &from, const QString &to)
{
    if (!present(from) || present(to) || !QDir().mkpath(parentOf(to)))
        return false;
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(from.toStdU16String()),
        std::filesystem::path(to.toStdU16String()), error);
    return !error;
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
        return fail(QStringLiteral("could not write %1").arg(journalPath()));
    m_journal.step = step;
    notify(0);
    return true;
}

bool LauncherSwap::run(const LauncherSwapPlan &plan)
{
    m_error.clear();
    if (present(journalPath()))
        return fail(QStringLiteral("an earlier swap is still unresolved"));
    m_journal = LauncherSwapJournal();
    m_journal.aside = plan.aside();
    m_journal.incoming = plan.incoming();
    m_journal.madeFolders = plan.madeFolders();
    if (!record(Step::MovingAside))
        return false;
    if (!moveAside() || !record(Step::MovingIn) || !moveIn() || !record(Step::Committed)) {
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

bool LauncherSwap::moveAside()
{
    int operations = 0;
    for (const QString &path : qAsConst(m_journal.aside)) {
        if (!pathguard::staysInside(m_launcher, path, true)
            || !moveEntry(inLauncher(path), inOld(path)))
            return fail(QStringLiteral("could not move %1 aside").arg(path));
        notify(++operations);
    }
    return true;
}

bool LauncherSwap::moveIn()
{
    for (const QString &folder : qAsConst(m_journal.madeFolders)) {
        if (!pathguard::staysInside(m_launcher, folder, false)
            || (!QDir(m_launcher).mkdir(folder) && !QFileInfo(inLauncher(folder)).isDir()))
            return fail(QStringLiteral("could not make the folder %1").arg(folder));
    }
    int operations = 0;
    for (const QString &path : qAsConst(m_journal.incoming)) {
        if (!pathguard::staysInside(m_launcher, path, true)
            || !moveEntry(inNew(path), inLauncher(path)))
            return fail(QStringLiteral("could not move %1 in").arg(path));
        notify(++operations);
    }
    return true;
}

// Each new file goes back to "new" before its old version comes home, so a
// rollback cut short and repeated still tells the two apart: a new file
// missing from "new" is the one in the launcher folder.
bool LauncherSwap::rollBack()
{
    bool complete = true;
    if (m_journal.step == Step::MovingIn) {
        for (const QString &path : reversed(m_journal.incoming)) {
            if (present(inLauncher(path)) && !present(inNew(path))
                && !moveEntry(inLauncher(path), inNew(path)))
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
        if (present(inLauncher(path)) || !pathguard::staysInside(m_launcher, path, true)
            || !moveEntry(inOld(path), inLauncher(path)))
            complete = false;
    }
    if (!complete)
        return fail(QStringLiteral("could not put every old file back; %1 keeps them")
                        .arg(QDir::toNativeSeparators(m_staging)));
    removeStaging();
    return true;
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
        return fail(QStringLiteral("could not remove every old file from %1")
                        .arg(QDir::toNativeSeparators(m_staging)));
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
        return failed(QStringLiteral("%1 is a link").arg(swap.m_staging));
    switch (swap.m_journal.read(swap.journalPath())) {
    case LauncherSwapJournal::Read::Absent:
        return true;
    case LauncherSwapJournal::Read::Damaged:
        return failed(QStringLiteral("%1 is damaged").arg(swap.journalPath()));
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
