#pragma once

#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

// Bytes that differ from position to position, so a block written at the
// wrong offset is caught.
inline QByteArray patterned(int size)
{
    QByteArray data(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        data[i] = char((i * 13 + i / 509) & 0xFF);
    return data;
}

// The whole file; empty when there is none.
inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes the file, making the folders on the way.
inline bool writeFile(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

// Every entry below folder, sorted: a file with the MD5 of its bytes, a
// folder with a trailing "/", a link with its target.
inline QStringList treeListing(const QString &folder)
{
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
        QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString relative = QDir(folder).relativeFilePath(it.next());
        const QFileInfo info = it.fileInfo();
        if (info.isSymLink())
            entries << relative + QStringLiteral(" -> ") + info.symLinkTarget();
        else if (info.isDir())
            entries << relative + QLatin1Char('/');
        else
            entries << relative + QLatin1Char(' ')
                    + QCryptographicHash::hash(readFile(info.filePath()), QCryptographicHash::Md5)
                          .toHex();
    }
    entries.sort();
    return entries;
}
