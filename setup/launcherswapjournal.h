#pragma once

#include <QString>
#include <QStringList>

// What a swap of the launcher's program files has done so far. It lives in
// the staging folder and is rewritten whole (QSaveFile) before each step, so
// after an interruption it shows the step that was under way and every file
// that step may have touched; what is on disk tells which of them it did.
struct LauncherSwapJournal
{
    enum class Step {
        None = 0,
        // Each old program file gets a second name in "old" (a hard link, or
        // a whole copy where the volume has none); the launcher folder is
        // not touched.
        KeepingOld = 1,
        // New program files are renamed over the old ones, one at a time,
        // and the old files the new version lacks are removed: every path
        // holds either its old or its new content at every instant.
        MovingIn = 2,
        // Every new file is in place: from here on the swap is only finished,
        // never undone, and the old files are removed.
        Committed = 3,
    };
    enum class Read { Absent, Read, Damaged };

    Step step = Step::None;
    // Paths relative to the launcher folder.
    QStringList aside; // present before the swap, kept in "old" until committed
    QStringList incoming; // the new version's files
    QStringList madeFolders; // made for the new files, parents first

    Read read(const QString &path);
    bool write(const QString &path) const;
};
