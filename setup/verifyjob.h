#pragma once

#include "setup/installrecord.h"

#include <QObject>
#include <QStringList>

#include <atomic>
#include <functional>

class QThread;

// Compares the game folder with its install record on a worker thread: every
// recorded file is read once and its size and CRC32 compared. Files that are
// not recorded are neither read nor reported.
class VerifyJob : public QObject
{
    Q_OBJECT

public:
    explicit VerifyJob(QObject *parent = nullptr);
    ~VerifyJob() override;

    // Checks the recorded files of folder, or only those named in only.
    // finished() follows exactly once, also after abort().
    void start(const QString &folder, const QStringList &only = {});
    void abort();
    bool isRunning() const { return m_thread != nullptr; }

    bool wasAborted() const { return m_aborted; }
    bool hasRecord() const { return m_hasRecord; }
    // Missing or different files, in record order, and their recorded bytes.
    QStringList damaged() const { return m_damaged; }
    qint64 damagedBytes() const { return m_damagedBytes; }

    // The CRC32 and size of a regular file; false when it cannot be read
    // whole or stop became true.
    static bool fileCrc(const QString &path, quint32 &crc, qint64 &size,
        const std::atomic<bool> *stop = nullptr, const std::function<void(qint64)> &read = {});

signals:
    void progress(qint64 done, qint64 total);
    void finished();

private:
    void work(const QString &folder, const QStringList &only);
    void onThreadFinished();

    QThread *m_thread = nullptr;
    std::atomic<bool> m_stop { false };
    bool m_aborted = false;
    bool m_hasRecord = false;
    QStringList m_damaged;
    qint64 m_damagedBytes = 0;
};
