#include "setup/installrecord.h"

#include "setup/gamepackagenames.h"

#include "setup/filehelpers.h"
#include "setup/pathguard.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {

const QByteArray kHeader = QByteArrayLiteral("tessaril-install-record 1");
// Some hundred thousand files; anything larger is not a record we wrote.
constexpr qint64 kMaxRecordBytes = 64 << 20;

// A path is kept only in the form the extraction writes: relative, cleaned,
// "/" separated, and on one line.
bool isRecordablePath(const QString &path)
{
    if (path.isEmpty() || path.contains(QLatin1Char('\n')) || path.contains(QLatin1Char('\r')))
        return false;
    const QString safe = pathguard::safeRelativePath(path);
    return !safe.isNull() && safe == path && QDir::cleanPath(path) == path
        && path != QLatin1String(".");
}

bool parseLine(const QByteArray &line, QString &path, InstallRecord::Entry &entry)
{
    const int firstTab = line.indexOf('\t');
    const int secondTab = line.indexOf('\t', firstTab + 1);
    if (firstTab != 8 || secondTab < 0)
        return false;
    bool crcOk = false;
    bool sizeOk = false;
    entry.crc = line.left(firstTab).toUInt(&crcOk, 16);
    const QByteArray size = line.mid(firstTab + 1, secondTab - firstTab - 1);
    entry.size = size.toLongLong(&sizeOk);
    path = QString::fromUtf8(line.mid(secondTab + 1));
    return crcOk && sizeOk && !size.startsWith('+') && entry.size >= 0 && isRecordablePath(path);
}

} // namespace

const QString InstallRecord::kFileName = QStringLiteral("install-record.txt");

QString InstallRecord::pathIn(const QString &folder)
{
    return folder + QLatin1Char('/') + kFileName;
}

bool InstallRecord::load(const QString &folder)
{
    m_entries.clear();
    QFile file;
    if (!pathguard::staysInside(folder, kFileName, false)
        || !filehelpers::openRegularFile(file, pathIn(folder)) || file.size() > kMaxRecordBytes)
        return false;
    const QList<QByteArray> lines = file.readAll().split('\n');
    if (file.error() != QFileDevice::NoError || lines.size() < 2 || lines.first() != kHeader
        || !lines.last().isEmpty())
        return false;
    for (int i = 1; i < lines.size() - 1; ++i) {
        QString path;
        Entry entry;
        if (!parseLine(lines.at(i), path, entry)) {
            m_entries.clear();
            return false;
        }
        m_entries.insert(path, entry);
    }
    return true;
}

bool InstallRecord::save(const QString &folder) const
{
    QSaveFile file(pathIn(folder));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray text = kHeader + '\n';
    for (auto it = m_entries.cbegin(); it != m_entries.cend(); ++it) {
        text += QByteArray::number(it->crc, 16).rightJustified(8, '0') + '\t'
            + QByteArray::number(it->size) + '\t' + it.key().toUtf8() + '\n';
    }
    return file.write(text) == text.size() && file.commit();
}

void InstallRecord::apply(const QMap<QString, Entry> &written, const QStringList &deleted)
{
    for (auto it = written.cbegin(); it != written.cend(); ++it) {
        if (isRecordablePath(it.key()))
            m_entries.insert(it.key(), it.value());
    }
    // The delete list runs after the extraction, so it wins.
    for (const QString &path : deleted)
        m_entries.remove(path);
}

void InstallRecord::updateAfterRun(const QString &folder, bool mayStart,
    const QMap<QString, Entry> &written, const QStringList &deleted)
{
    using namespace gamepackagenames;
    InstallRecord record;
    if (!record.load(folder) && !mayStart)
        return;
    record.apply(written, deleted);
    const auto &entries = record.entries();
    // The clean-up puts the fallback copy in the primary's place when a
    // package brings an empty primary; the record expects what is on disk.
    if (entries.value(kMetadataPrimary).size == 0 && entries.value(kMetadataFallback).size > 0)
        record.apply({ { kMetadataPrimary, entries.value(kMetadataFallback) } }, {});
    if (!record.save(folder)) {
        qDebug() << "install record not written in" << folder;
        QFile::remove(pathIn(folder));
    }
}
