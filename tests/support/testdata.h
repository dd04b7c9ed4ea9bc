#pragma once

#include <QByteArray>
#include <QDir>
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

// Writes the file, making the folders on the way; executable for everyone
// who may read it when asked.
bool writeFile(const QString &path, const QByteArray &data, bool executable = false);

// The permission bits (with set-id and sticky) of path, links followed;
// 07777, which no test expects, when there is nothing.
uint fileMode(const QString &path);

// The file's MD5 in lower-case hex; empty when it cannot be read.
QString md5Of(const QString &path);

// Every entry below root (hidden ones too), relative and sorted; filters as
// for QDir, plain files only by default.
QStringList fileList(const QString &root, QDir::Filters filters = QDir::Files);

// One line per entry below root, links not followed: path, mode, and the
// MD5, "dir" or "link <target>". Entries at or below a path in skipped are
// left out. Two listings compare equal when nothing changed.
QStringList treeListing(const QString &root, const QStringList &skipped = {});

// Packs folder's contents into archive with the 7-Zip command, stored
// without compression (test data only costs time to compress); options go
// before the names ("-tzip").
bool pack(const QString &folder, const QString &archive, const QStringList &options = {});
