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

    QString launcherFolder() const;
    QString launcherFileName() const;
    QString packageFileName() const;

    // Reads the arguments after the program path. Everything is checked here,
    // before anything is fetched or touched: false, with error saying what
    // is wrong, unless there are exactly the two arguments, the executable
    // exists in a folder below some other, the MD5 is 32 hex digits and the
    // URL is https (or http on loopback) naming a package the extraction
    // reads.
    static bool parse(const QStringList &arguments, HandOver &handOver, QString &error);
};
