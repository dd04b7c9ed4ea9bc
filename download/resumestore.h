#pragma once

#include <QString>

#include <memory>

class QSettings;

// How far each download got, kept across runs so the next one continues
// there: one group per destination file name, one value per task. Only a
// plain file name is ever used as a group, since removing the empty group
// would remove every record in the store.
class ResumeStore
{
public:
    // The per-user settings of the launcher.
    ResumeStore();
    ~ResumeStore();

    // A program of its own (the updater) keeps its records apart.
    void setFile(const QString &iniFile);

    // 0 when nothing is stored.
    qint64 progress(const QString &name, int task) const;
    // Unless forced, stores at most every half second: the file is
    // rewritten on each store, and the record may lag the partial file (the
    // resumed range fetches those bytes again) but never lead it.
    void record(const QString &name, int task, qint64 bytes, bool force);
    void forget(const QString &name);
    void sync();

private:
    // Held for the store's life so Qt batches the writes instead of
    // rewriting the settings file for every block.
    std::unique_ptr<QSettings> m_settings;
    qint64 m_lastRecordMs = -1;
};
