#include "tests/support/testdata.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QProcess>

#include <algorithm>

#include <sys/stat.h>

bool writeFile(const QString &path, const QByteArray &data, bool executable)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
        return false;
    file.close();
    return !executable
        || file.setPermissions(
            file.permissions() | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
}

uint fileMode(const QString &path)
{
    struct stat info;
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 07777;
}

QString md5Of(const QString &path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Md5);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return QString();
    return QString::fromLatin1(hash.result().toHex());
}

QStringList fileList(const QString &root, QDir::Filters filters)
{
    QStringList found;
    QDirIterator it(root, filters | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
        QDirIterator::Subdirectories);
    while (it.hasNext())
        found.append(QDir(root).relativeFilePath(it.next()));
    found.sort();
    return found;
}

QStringList treeListing(const QString &root, const QStringList &skipped)
{
    QStringList lines;
    for (const QString &relative : fileList(root, QDir::AllEntries)) {
        const bool skip = std::any_of(skipped.begin(), skipped.end(), [&](const QString &prefix) {
            return relative == prefix || relative.startsWith(prefix + QLatin1Char('/'));
        });
        if (skip)
            continue;
        const QString path = root + QLatin1Char('/') + relative;
        struct stat info;
        ::lstat(QFile::encodeName(path).constData(), &info);
        const QFileInfo file(path);
        const QString what = file.isSymLink() ? "link " + file.symLinkTarget()
            : file.isDir()                    ? "dir"
                                              : md5Of(path);
        lines << QStringLiteral("%1 %2 %3").arg(relative).arg(info.st_mode, 0, 8).arg(what);
    }
    return lines;
}

bool pack(const QString &folder, const QString &archive, const QStringList &options)
{
    QFile::remove(archive);
    QProcess sevenZip;
    sevenZip.setWorkingDirectory(folder);
    sevenZip.start("7zz",
        QStringList { "a", "-bso0", "-bsp0", "-mx0" } + options + QStringList { archive, "." });
    return sevenZip.waitForFinished(60000) && sevenZip.exitCode() == 0;
}
