#pragma once

#include "core/threadjob.h"
#include "setup/installrecord.h"

#include <QStringList>

#include <functional>

// Compares the game folder with its install record on a worker thread: every
// recorded file is read once and its size and CRC32 compared. Files that are
// not recorded are neither read nor reported. A folder without a record is
// no failure: hasRecord() says so.
class VerifyJob : public ThreadJob
{
    Q_OBJECT

public:
    explicit VerifyJob(QObject *parent = nullptr);

    // What the next start() checks: the recorded files of folder, or only
    // those named in only.
    void setTarget(const QString &folder, const QStringList &only = {});
    bool hasRecord() const { return m_hasRecord; }
    // Missing or different files, in record order, and their recorded bytes.
    QStringList damaged() const { return m_damaged; }
    qint64 damagedBytes() const { return m_damagedBytes; }

    // The CRC32 and size of a regular file; false when it cannot be read
    // whole or stopped() became true.
    static bool fileCrc(const QString &path, quint32 &crc, qint64 &size,
        const std::function<bool()> &stopped = {}, const std::function<void(qint64)> &read = {});

protected:
    bool work() override;

private:
    QString m_folder;
    QStringList m_only;
    bool m_hasRecord = false;
    QStringList m_damaged;
    qint64 m_damagedBytes = 0;
};
