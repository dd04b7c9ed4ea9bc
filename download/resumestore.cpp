#include "download/resumestore.h"

#include "core/buildinfo.h"
#include "core/filenames.h"
#include "download/settingswriter.h"

#include <QDateTime>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>

#include <algorithm>

namespace {

constexpr int kScratchLifeSecs = 60;

// One task over the whole file is stored as its byte count alone, as
// records were before downloads had segments; any other as "start end done".
QVariant encoded(const DownloadSegment &segment, qint64 size)
{
    if (segment.start == 0 && segment.end == size)
        return segment.done;
    return QStringLiteral("%1 %2 %3").arg(segment.start).arg(segment.end).arg(segment.done);
}

bool decode(const QString &text, qint64 size, DownloadSegment *segment)
{
    const QStringList parts = text.split(QLatin1Char(' '));
    bool ok[3] = { true, true, true };
    if (parts.size() == 1) {
        *segment = { 0, size, parts.first().toLongLong(&ok[0]) };
    } else if (parts.size() == 3) {
        *segment = { parts[0].toLongLong(&ok[0]), parts[1].toLongLong(&ok[1]),
            parts[2].toLongLong(&ok[2]) };
    } else {
        return false;
    }
    return ok[0] && ok[1] && ok[2] && segment->done >= 0
        && segment->done <= segment->end - segment->start;
}

// Records from some other package or a damaged store would write bytes
// where they do not belong.
bool tilesFile(DownloadSegments segments, qint64 size)
{
    std::sort(segments.begin(), segments.end(),
        [](const DownloadSegment &a, const DownloadSegment &b) { return a.start < b.start; });
    qint64 next = 0;
    for (const DownloadSegment &segment : qAsConst(segments)) {
        if (segment.start != next || segment.end <= segment.start)
            return false;
        next = segment.end;
    }
    return next == size;
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

DownloadSegments ResumeStore::segments(const QString &name, qint64 size) const
{
    if (!FileNames::isPlain(name))
        return {};
    QString group = groupOf(name);
    m_settings->beginGroup(group);
    QStringList keys = m_settings->childKeys();
    m_settings->endGroup();
    if (keys.isEmpty() && m_alsoUnkeyed) {
        group = name;
        m_settings->beginGroup(group);
        keys = m_settings->childKeys();
        m_settings->endGroup();
    }
    DownloadSegments found;
    for (int task = 0; task < keys.size(); ++task) {
        const QVariant value = m_settings->value(group + QLatin1Char('/') + QString::number(task));
        DownloadSegment segment;
        if (!value.isValid() || !decode(value.toString(), size, &segment))
            return {};
        found.append(segment);
    }
    return tilesFile(found, size) ? found : DownloadSegments();
}

void ResumeStore::record(const QString &name, const DownloadSegments &segments)
{
    if (!FileNames::isPlain(name) || segments.isEmpty())
        return;
    qint64 size = 0;
    for (const DownloadSegment &segment : segments)
        size = qMax(size, segment.end);
    const QString group = groupOf(name);
    m_settings->remove(group);
    for (int task = 0; task < segments.size(); ++task)
        m_settings->setValue(
            group + QLatin1Char('/') + QString::number(task), encoded(segments.at(task), size));
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
