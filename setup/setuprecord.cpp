// The part of a setupmanager run that keeps the game's install record, and
// the choice of items when a repair extracts only some of them.
#include "setup/gamepackagenames.h"
#include "setup/pathguard.h"
#include "setup/setupmanager.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QSet>

using namespace engine;

namespace {

using namespace gamepackagenames;

} // namespace

void setupmanager::reportItemWritten(const QString &relativePath, qint64 size, quint32 crc)
{
    // The delete list is used up by the run that brings it, and a package's
    // own copy of the record is replaced by the record at the end of the run.
    if (m_recordMode != RecordMode::None && relativePath != kDeleteList
        && relativePath != InstallRecord::kFileName)
        m_written.insert(relativePath, { size, crc });
}

QVector<UInt32> setupmanager::chosenItems(IInArchive *archive)
{
    QVector<UInt32> chosen;
    UInt32 items = 0;
    if (m_onlyItems.isEmpty() || archive->GetNumberOfItems(&items) != kOk)
        return chosen;
    const QSet<QString> wanted(m_onlyItems.cbegin(), m_onlyItems.cend());
    // An empty folder in a file's place would stop the extraction; one with
    // anything in it may hold the player's files and stays, failing the item.
    for (const QString &path : wanted) {
        if (!pathguard::safeRelativePath(path).isNull()
            && pathguard::staysInside(m_dir, path, true))
            QDir(m_dir).rmdir(path);
    }
    for (UInt32 i = 0; i < items; ++i) {
        PROPVARIANT path;
        std::memset(&path, 0, sizeof path);
        if (archive->GetProperty(i, kpidPath, &path) != kOk || path.vt != VT_BSTR) {
            continue;
        }
        const QString safe = pathguard::safeRelativePath(
            QString::fromWCharArray(path.bstrVal ? path.bstrVal : L""));
        m_engine.freeString(path.bstrVal);
        if (!safe.isNull() && wanted.contains(QDir::cleanPath(safe)))
            chosen << i;
    }
    return chosen;
}

void setupmanager::updateRecord()
{
    if (m_recordMode == RecordMode::None)
        return;
    InstallRecord record;
    if (!record.load(m_dir) && m_recordMode == RecordMode::Update)
        return;
    record.apply(m_written, m_deleted);
    const auto &entries = record.entries();
    // The clean-up puts the fallback copy in the primary's place when a
    // package brings an empty primary; the record expects what is on disk.
    if (entries.value(kMetadataPrimary).size == 0 && entries.value(kMetadataFallback).size > 0)
        record.apply({ { kMetadataPrimary, entries.value(kMetadataFallback) } }, {});
    // A record that no longer matches would send a later repair after the
    // wrong files; none at all makes it offer the full repair instead.
    if (!record.save(m_dir)) {
        qDebug() << "install record not written in" << m_dir;
        QFile::remove(InstallRecord::pathIn(m_dir));
    }
}
