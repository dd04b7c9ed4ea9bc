#include "download/resumestore.h"

#include "core/buildinfo.h"
#include "core/filenames.h"

#include <QElapsedTimer>
#include <QSettings>

namespace {

constexpr qint64 kRecordIntervalMs = 500;

qint64 monotonicMs()
{
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return clock.elapsed();
}

QString keyOf(const QString &name, int task)
{
    return name + QLatin1Char('/') + QString::number(task);
}

} // namespace

ResumeStore::ResumeStore()
    : m_settings(new QSettings(QSettings::NativeFormat, QSettings::UserScope,
        QLatin1String(kOrganizationName), QLatin1String(kApplicationName)))
{
}

ResumeStore::~ResumeStore()
{
    m_settings->sync();
}

void ResumeStore::setFile(const QString &iniFile)
{
    m_settings->sync();
    m_settings.reset(new QSettings(iniFile, QSettings::IniFormat));
}

qint64 ResumeStore::progress(const QString &name, int task) const
{
    if (!FileNames::isPlain(name))
        return 0;
    return m_settings->value(keyOf(name, task), 0).toLongLong();
}

void ResumeStore::record(const QString &name, int task, qint64 bytes, bool force)
{
    if (!FileNames::isPlain(name))
        return;
    const qint64 now = monotonicMs();
    if (!force && m_lastRecordMs >= 0 && now - m_lastRecordMs < kRecordIntervalMs)
        return;
    m_lastRecordMs = now;
    m_settings->setValue(keyOf(name, task), bytes);
}

void ResumeStore::forget(const QString &name)
{
    if (!FileNames::isPlain(name))
        return;
    m_settings->remove(name);
    m_settings->sync();
}

void ResumeStore::sync()
{
    m_settings->sync();
}
