#include "download/resumestore.h"

#include "core/buildinfo.h"
#include "core/filenames.h"
#include "download/settingswriter.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>

namespace {

constexpr qint64 kRecordIntervalMs = 200;
constexpr int kScratchLifeSecs = 60;

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

// QSettings writes its file from the event loop after every change; here
// the writer does that instead.
class HoldWrites : public QObject
{
public:
    bool eventFilter(QObject *, QEvent *event) override
    {
        return event->type() == QEvent::UpdateRequest;
    }
};

bool isRegistry(const QSettings &settings)
{
    return settings.format() == QSettings::NativeFormat
        && settings.fileName().startsWith(QLatin1String("\\HKEY_"));
}

// The writer's scratch copies ("<store>.XXXXXX") live for the moment of a
// write; one a minute old was left by a program killed while writing. A
// younger one may belong to another store writing right now.
void removeScratchFiles(const QString &storeFile)
{
    const QFileInfo store(storeFile);
    const QRegularExpression scratch(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(store.fileName()) + QStringLiteral("\\.[A-Za-z0-9]{6}")));
    const QDateTime abandoned = QDateTime::currentDateTimeUtc().addSecs(-kScratchLifeSecs);
    const QDir folder = store.absoluteDir();
    for (const QFileInfo &file : folder.entryInfoList(QDir::Files | QDir::Hidden)) {
        if (scratch.match(file.fileName()).hasMatch() && file.lastModified() < abandoned)
            QFile::remove(file.filePath());
    }
}

} // namespace

ResumeStore::ResumeStore()
{
    open(new QSettings(QSettings::NativeFormat, QSettings::UserScope,
        QLatin1String(kOrganizationName), QLatin1String(kApplicationName)));
}

ResumeStore::~ResumeStore()
{
    close();
}

void ResumeStore::open(QSettings *settings)
{
    m_settings.reset(settings);
    if (isRegistry(*m_settings))
        return;
    removeScratchFiles(m_settings->fileName());
    m_holdWrites = std::make_unique<HoldWrites>();
    m_settings->installEventFilter(m_holdWrites.get());
    m_writer = std::make_unique<SettingsWriter>();
}

// The write under way lands first; then QSettings writes what changed since
// it was opened, merged with the file as it is, as it always does on closing.
void ResumeStore::close()
{
    m_writer.reset();
    m_settings.reset();
    m_holdWrites.reset();
}

void ResumeStore::setFile(const QString &iniFile)
{
    close();
    open(new QSettings(iniFile, QSettings::IniFormat));
}

void ResumeStore::setKey(const QString &key, bool alsoUnkeyed)
{
    m_key = key;
    m_alsoUnkeyed = alsoUnkeyed;
}

QString ResumeStore::groupOf(const QString &name) const
{
    return m_key.isEmpty() ? name : QStringLiteral("downloads/%1/%2").arg(m_key, name);
}

qint64 ResumeStore::progress(const QString &name, int task) const
{
    if (!FileNames::isPlain(name))
        return 0;
    const qint64 keyed = m_settings->value(keyOf(groupOf(name), task), 0).toLongLong();
    if (keyed != 0 || !m_alsoUnkeyed)
        return keyed;
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
    m_settings->setValue(keyOf(groupOf(name), task), bytes);
    changed();
}

void ResumeStore::forget(const QString &name)
{
    if (!FileNames::isPlain(name))
        return;
    m_settings->remove(groupOf(name));
    if (m_alsoUnkeyed)
        m_settings->remove(name);
    sync();
}

void ResumeStore::sync()
{
    if (!m_writer) {
        m_settings->sync();
        return;
    }
    changed();
}

void ResumeStore::flush()
{
    if (m_writer)
        m_writer->flush();
    m_settings->sync();
}

void ResumeStore::changed()
{
    if (!m_writer)
        return; // the registry has it already
    SettingsWriter::Values values;
    const QStringList keys = m_settings->allKeys();
    values.reserve(keys.size());
    for (const QString &key : keys)
        values.append({ key, m_settings->value(key) });
    m_writer->write(m_settings->fileName(), values);
}
