#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

// What the launcher hands over on the command line: the product name, then a
// compact JSON object with the launcher's executable ("exe_dir", a file
// despite the key), the language code ("lang") and the package's MD5 and
// address ("pkg_md5", "pkg_url").
struct HandOver
{
    QString executable; // absolute, "/" separators
    QString language;
    QString packageMd5; // lower case
    QUrl packageUrl;
    // Why the package cannot be fetched, or empty: the old launcher is
    // started again and the window says why.
    QString refusal;

    QString launcherFolder() const;
    QString launcherFileName() const;
    QString packageFileName() const;

    // Reads the arguments after the program path. False, with error saying
    // what is wrong, only when they name no launcher to go back to: not the
    // two arguments, no JSON object, or an "exe_dir" that is missing, not
    // absolute or in no folder below another. Every other value is checked
    // here too, before anything is fetched or touched, and a value that
    // fails sets refusal.
    static bool parse(const QStringList &arguments, HandOver &handOver, QString &error);

    // Whether executable is the launcher of a launcher folder: a file that
    // the folder's list of program files names. Only such a folder is ever
    // changed or has a program started from it.
    bool namesLauncher(QString &error) const;
};
