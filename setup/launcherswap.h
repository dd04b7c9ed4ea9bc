#pragma once

#include "setup/launcherswapjournal.h"

#include <QCoreApplication>
#include <QString>

#include <functional>

class LauncherSwapPlan;

// Replaces the launcher's program files with a new version's so that, however
// a run ends, the launcher folder holds one whole version, and at no instant
// lacks a program file (above all the launcher, which is what recovers an
// interrupted swap at its next start). The work happens in a staging folder
// beside the launcher folder, on the same volume so that every move is a
// rename: the new version waits unpacked in "new", each old file first gets
// a second name in "old", then each new file is renamed over its old one;
// the old names go only once every new file is in place. A journal records
// each step before it is taken. Only the files a plan names are ever
// touched; the user's files never are.
class LauncherSwap
{
    Q_DECLARE_TR_FUNCTIONS(LauncherSwap)

public:
    using Step = LauncherSwapJournal::Step;
    // Called after each journal write with operations 0, then after each file
    // moved or removed within that step with the running count.
    using Observer = std::function<void(Step step, int operations)>;

    // "<launcher folder>.update"
    static QString stagingFolder(const QString &launcherFolder);
    // Where the new version is unpacked before the swap.
    static QString newFolder(const QString &launcherFolder);

    explicit LauncherSwap(const QString &launcherFolder);

    void setObserver(const Observer &observer) { m_observer = observer; }

    // Swaps in what plan names. On false, error() says why and the old files
    // are back in place (or, should even that fail, the journal stays for
    // recover()).
    bool run(const LauncherSwapPlan &plan);
    QString error() const { return m_error; }

    // Finishes a swap the journal shows as committed, and undoes one that was
    // cut short before; once it is settled the staging folder goes. True when
    // no journal is left: the folder holds one whole version. Safe to repeat,
    // also after being cut short itself.
    static bool recover(const QString &launcherFolder, QString *error = nullptr);

    // Removes what the staging folder holds for a swap ("new" and "old")
    // unless a journal still needs it.
    static void discardUnjournaled(const QString &launcherFolder);

    // For the launcher's start-up: recover() while holding the update lock,
    // or nothing when an updater holds it (it recovers on its own).
    static bool recoverAtStartup(const QString &launcherFolder);

private:
    QString inLauncher(const QString &relative) const;
    QString inOld(const QString &relative) const;
    QString inNew(const QString &relative) const;
    QString journalPath() const;

    bool record(Step step);
    void notify(int operations);
    bool keepOld();
    bool moveIn();
    bool replaceWith(const QString &from, const QString &path);
    bool rollBack();
    bool restoreOld(const QString &path);
    bool finish();
    void removeStaging();
    bool fail(const QString &error);

    QString m_launcher;
    QString m_staging;
    LauncherSwapJournal m_journal;
    Observer m_observer;
    QString m_error;
};
