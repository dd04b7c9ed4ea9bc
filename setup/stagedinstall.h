#pragma once

#include <QString>

// Files extracted into a staging folder, on the install folder's volume, that
// count only once commit() has moved them into the install folder. Moving is
// renaming: a kill part-way leaves every file either old or new, never half
// written, and the files not yet moved still in the staging, where another
// commit() picks them up. A staged link or special file, or an item whose
// path leaves the install folder, refuses the whole commit before anything
// moves.
class StagedInstall
{
public:
    StagedInstall(const QString &stagingFolder, const QString &installFolder);

    bool commit();
    // Removes the staging; the install folder stays as it is.
    bool discard();
    // What stopped the last commit() or discard().
    QString errorText() const { return m_errorText; }

private:
    bool check();
    bool moveFolderContents(const QString &relativeFolder);
    bool moveEntry(const QString &relative, bool isFolder);
    bool fail(const QString &text);

    QString m_staging;
    QString m_install;
    // The staging as an item path inside the install folder, or empty when
    // it lies elsewhere: no item may be moved into it.
    QString m_stagingInside;
    QString m_errorText;
};
