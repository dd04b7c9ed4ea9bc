#include "download/settingswriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QSettings>
#include <QTemporaryFile>

#include <cstdio>

namespace {

constexpr int kLockWaitMs = 5000;

} // namespace

SettingsWriter::SettingsWriter()
    : m_thread([this] { run(); })
{
}

SettingsWriter::~SettingsWriter()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void SettingsWriter::write(const QString &path, const Values &values)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_waiting = Job { path, values };
    }
    m_changed.notify_all();
}

void SettingsWriter::flush()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_waiting && !m_writing; });
}

void SettingsWriter::run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_waiting || m_stopping; });
        if (!m_waiting)
            return; // stopping, and nothing is left to write
        const Job job = std::move(*m_waiting);
        m_waiting.reset();
        m_writing = true;
        lock.unlock();
        store(job);
        lock.lock();
        m_writing = false;
        m_changed.notify_all();
    }
}

// Only QSettings knows its file format: it writes a scratch file beside the
// real one (flushed to disk, as it does), which then takes the real one's
// place in one step.
void SettingsWriter::store(const Job &job)
{
    if (!QDir().mkpath(QFileInfo(job.path).absolutePath()))
        return;
    QTemporaryFile scratch(job.path + QStringLiteral(".XXXXXX"));
    if (!scratch.open())
        return;
    scratch.close();
    if (QFile::exists(job.path))
        scratch.setPermissions(QFile::permissions(job.path));
    {
        QSettings out(scratch.fileName(), QSettings::IniFormat);
        out.clear();
        for (const auto &value : job.values)
            out.setValue(value.first, value.second);
        out.sync();
        if (out.status() != QSettings::NoError)
            return;
    }
    // The lock QSettings itself takes for the file, so that its own sync
    // (when the store closes, or in another program) never interleaves.
    QLockFile lock(job.path + QStringLiteral(".lock"));
    if (!lock.tryLock(kLockWaitMs))
        return;
    if (std::rename(QFile::encodeName(scratch.fileName()).constData(),
            QFile::encodeName(job.path).constData())
        == 0)
        return;
    // Where renaming does not replace a file (Windows), its bytes do.
    QFile written(scratch.fileName());
    if (!written.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = written.readAll();
    QSaveFile file(job.path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size())
        file.commit();
}
