#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// What a correct installation of the game looks like: every file its
// packages wrote, with the size and CRC32 the archive gave for it. It lives
// beside the game's config.ini, so a damaged file can be found and repaired
// long after the package is gone. Files the player adds are never in it.
class InstallRecord
{
public:
    struct Entry
    {
        qint64 size = 0;
        quint32 crc = 0;
        bool operator==(const Entry &other) const { return size == other.size && crc == other.crc; }
    };

    static const QString kFileName;
    static QString pathIn(const QString &folder);

    // False when the folder has no record or the record is damaged; a
    // damaged record is never half-trusted, the entries are then empty.
    bool load(const QString &folder);
    // Rewrites the record whole, so a crash leaves the old one or the new one.
    bool save(const QString &folder) const;

    // Items a package wrote replace what was recorded under their path;
    // deleted paths leave the record.
    void apply(const QMap<QString, Entry> &written, const QStringList &deleted);
    // Brings the folder's record up to date after an install run. Only a run
    // of a whole package may start a record; a record that cannot be saved
    // is removed, since one that no longer matches would send a later repair
    // after the wrong files, and none at all makes it offer the full repair.
    static void updateAfterRun(const QString &folder, bool mayStart,
        const QMap<QString, Entry> &written, const QStringList &deleted);
    const QMap<QString, Entry> &entries() const { return m_entries; }
    bool isEmpty() const { return m_entries.isEmpty(); }

private:
    QMap<QString, Entry> m_entries;
};
