#include "setup/verifyjob.h"

#include "setup/filehelpers.h"
#include "setup/pathguard.h"

#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <zlib.h>

namespace {

constexpr qint64 kBufferBytes = 1 << 20;
// Progress often enough for a smooth bar, rarely enough not to flood the
// window's event queue.
constexpr qint64 kProgressStepBytes = 16 << 20;

} // namespace

VerifyJob::VerifyJob(QObject *parent)
    : ThreadJob(parent)
{
    // Reading the whole game must not make the window stutter.
    setWorkerPriority(QThread::LowPriority);
}

void VerifyJob::setTarget(const QString &folder, const QStringList &only)
{
    m_folder = folder;
    m_only = only;
}

bool VerifyJob::fileCrc(const QString &path, quint32 &crc, qint64 &size,
    const std::function<bool()> &stopped, const std::function<void(qint64)> &read)
{
    QFile file;
    if (!filehelpers::openRegularFile(file, path))
        return false;
    QByteArray buffer(int(kBufferBytes), Qt::Uninitialized);
    uLong sum = crc32(0L, Z_NULL, 0);
    size = 0;
    for (;;) {
        if (stopped && stopped())
            return false;
        const qint64 got = file.read(buffer.data(), kBufferBytes);
        if (got < 0)
            return false;
        if (got == 0)
            break;
        sum = crc32(sum, reinterpret_cast<const Bytef *>(buffer.constData()), uInt(got));
        size += got;
        if (read)
            read(got);
    }
    crc = quint32(sum);
    return true;
}

// Runs on the worker thread; the results are read only after finished().
bool VerifyJob::work()
{
    const QString folder = m_folder;
    const QStringList only = m_only;
    m_damaged.clear();
    m_damagedBytes = 0;
    InstallRecord record;
    m_hasRecord = record.load(folder);
    if (!m_hasRecord)
        return true;
    QMap<QString, InstallRecord::Entry> wanted = record.entries();
    if (!only.isEmpty()) {
        QMap<QString, InstallRecord::Entry> chosen;
        for (const QString &path : only) {
            if (wanted.contains(path))
                chosen.insert(path, wanted.value(path));
        }
        wanted = chosen;
    }
    qint64 total = 0;
    for (const InstallRecord::Entry &entry : wanted)
        total += entry.size;
    qint64 done = 0;
    qint64 reported = 0;
    reportProgress(0, total);
    const auto advance = [&](qint64 bytes) {
        done += bytes;
        if (done - reported >= kProgressStepBytes) {
            reported = done;
            reportProgress(done, total);
        }
    };
    const auto stopped = [this] { return stopRequested(); };
    for (auto it = wanted.cbegin(); it != wanted.cend() && !stopRequested(); ++it) {
        const QString path = folder + QLatin1Char('/') + it.key();
        const QFileInfo info(path);
        quint32 crc = 0;
        qint64 size = -1;
        // Never read through a link: what it points to is not the game's.
        const bool good = !info.isSymLink() && info.isFile() && info.size() == it->size
            && pathguard::staysInside(folder, it.key(), false)
            && fileCrc(path, crc, size, stopped, advance) && size == it->size && crc == it->crc;
        if (stopRequested())
            return false;
        if (!good) {
            m_damaged << it.key();
            m_damagedBytes += it->size;
        }
        // What was not read still counts, so the bar ends at its end.
        advance(qMax<qint64>(it->size - qMax<qint64>(size, 0), 0));
    }
    reportProgress(done, total);
    return !stopRequested();
}
