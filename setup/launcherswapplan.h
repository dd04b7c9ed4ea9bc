#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

// Which files a launcher swap moves. Program files are exactly those the new
// version's file list names and those the installed version's list names;
// everything else in the launcher folder is the user's. Both lists come from
// files on disk, so every line is checked before it is used: the new list
// must be wholly sound, while an unsound line of the installed list is left
// alone, since that only leaves a stray file behind.
class LauncherSwapPlan
{
public:
    // In the program folder and in a package: one path per line, relative,
    // "/" separators, UTF-8. It names itself.
    static const QString kFileList;

    // The path in a list line as it is used on disk, or a null string when it
    // is absolute, has a drive, "..", ".", an empty part, a "\" or a control
    // character.
    static QString programPath(const QString &line);
    // Whether path lies among what a launcher folder always keeps for its
    // user: "config.ini", "cache/", the default game folder "Tessaril Game/"
    // and crash dumps. Even a list naming them does not make them program
    // files.
    static bool isUserPath(const QString &path);
    // Reads a list file; false when it cannot be read, is not a regular file
    // or has a line too long to be a path.
    static bool readList(const QString &file, QStringList &lines);

    // Another folder of the user's inside the launcher folder (the game
    // folder when it was installed elsewhere than the default).
    void protect(const QString &relativePath);

    // Plans replacing the program files of launcherFolder with those unpacked
    // in newFolder, whose list must name launcherFile (the executable's name).
    // False, with error() saying why, when the new version cannot be swapped
    // in whole; nothing is changed on disk either way.
    bool build(
        const QString &launcherFolder, const QString &newFolder, const QString &launcherFile);

    QString error() const { return m_error; }
    // Files now in the launcher folder that leave it: the installed list's
    // and any file of the new list's names.
    QStringList aside() const { return m_aside; }
    QStringList incoming() const { return m_incoming; }
    // Folders the new files need that the launcher folder does not have
    // yet, parents first.
    QStringList madeFolders() const { return m_madeFolders; }

private:
    bool fail(const QString &error);
    bool isProtected(const QString &path) const;
    bool readNewList(const QString &newFolder, const QString &launcherFile);
    void readInstalledList(const QString &launcherFolder);
    bool planFolders(const QString &launcherFolder);

    QStringList m_protected;
    QString m_error;
    QStringList m_aside;
    QStringList m_incoming;
    QStringList m_madeFolders;
};
