#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Writes a stored (uncompressed) zip archive entry by entry, with any names
// and Unix modes at all: the tests need hostile names that no archiver would
// write.
class ZipWriter
{
public:
    void addFile(const QByteArray &name, const QByteArray &data, quint32 unixMode = 0100644);
    void addSymlink(const QByteArray &name, const QByteArray &target);
    bool save(const QString &path) const;

private:
    struct Entry
    {
        QByteArray name;
        QByteArray data;
        quint32 unixMode;
    };
    QList<Entry> m_entries;
};
