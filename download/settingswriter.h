#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

// Writes whole settings files on a thread of its own, so that a file
// rewritten and flushed to disk while a large download fills the disk cache
// never holds up the caller. Only the newest content waiting is written: a
// write still waiting when a newer one comes is dropped.
class SettingsWriter
{
public:
    using Values = QList<QPair<QString, QVariant>>;

    SettingsWriter();
    // Finishes the write under way and the one waiting.
    ~SettingsWriter();

    // The settings file path (INI, as QSettings writes it) is to hold
    // exactly values. Returns at once.
    void write(const QString &path, const Values &values);
    // Returns once everything handed to write() is on disk.
    void flush();

private:
    struct Job
    {
        QString path;
        Values values;
    };

    void run();
    static void store(const Job &job);

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::optional<Job> m_waiting;
    bool m_writing = false;
    bool m_stopping = false;
    std::thread m_thread;
};
