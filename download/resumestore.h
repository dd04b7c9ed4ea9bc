#pragma once

#include <QList>
#include <QString>

#include <memory>

class QObject;
class QSettings;
class SettingsWriter;

// One task's share of a download: the bytes [start, end) of the file, of
// which the first done are written.
struct DownloadSegment
{
    qint64 start = 0;
    qint64 end = 0;
    qint64 done = 0;
    bool operator==(const DownloadSegment &other) const
    {
        return start == other.start && end == other.end && done == other.done;
    }
};
using DownloadSegments = QList<DownloadSegment>;

// How far each download got, kept across runs so the next one continues
// there: one group per downloader and destination file name, one value per
// task, so that two downloaders never share a record. Only a plain file name
// is ever used in a group, since removing the empty group would remove every
// record in the store.
class ResumeStore
{
public:
    // The per-user settings of the launcher.
    ResumeStore();
    ~ResumeStore();

    // A program of its own (the updater) keeps its records apart.
    void setFile(const QString &iniFile);
    // The downloader the records belong to. With alsoUnkeyed, a record kept
    // under the bare file name (as written before records had keys) is still
    // found, and forgotten with the keyed one.
    void setKey(const QString &key, bool alsoUnkeyed = false);

    // The segments of a file of size bytes, in task order; empty when
    // nothing is stored or the records do not cover the file exactly once.
    DownloadSegments segments(const QString &name, qint64 size) const;
    // The records may lag the partial file (the resumed range fetches those
    // bytes again) but never lead it: the caller stores what is written.
    void record(const QString &name, const DownloadSegments &segments);
    void forget(const QString &name);
    // Has what is recorded written to disk. A store that is a file is
    // written off the calling thread, and the call returns at once; every
    // QSettings of this program sees the records at once all the same.
    void sync();
    // Returns once every record is on disk and nothing is left for the
    // store to write later, so that the file can be removed for good.
    void flush();

private:
    void open(QSettings *settings);
    void close();
    void changed();
    QString groupOf(const QString &name) const;

    // Held for the store's life; it never writes on its own. A store that
    // is a file is rewritten whole on every sync, and under a large download
    // the flush to disk can take far longer than a frame of the window, so
    // the writer does it; the Windows registry writes each value in place.
    std::unique_ptr<QSettings> m_settings;
    std::unique_ptr<QObject> m_holdWrites;
    std::unique_ptr<SettingsWriter> m_writer;
    QString m_key;
    bool m_alsoUnkeyed = false;
};
