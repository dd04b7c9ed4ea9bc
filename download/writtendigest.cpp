#include "download/writtendigest.h"

#include <QDir>
#include <QFileInfo>

void WrittenDigest::set(const QString &path, const QString &md5)
{
    m_stamp = stampOf(path);
    m_md5 = m_stamp.size >= 0 ? md5 : QString();
}

void WrittenDigest::drop()
{
    m_md5.clear();
    m_stamp = Stamp();
}

QString WrittenDigest::digestFor(const QString &path) const
{
    if (m_md5.isEmpty() || !(stampOf(path) == m_stamp))
        return QString();
    return m_md5;
}

bool WrittenDigest::Stamp::operator==(const Stamp &other) const
{
    return path == other.path && size == other.size && modified == other.modified
        && changed == other.changed;
}

// The change time moves with any write, rename or change of mode, and no
// program can set it back.
WrittenDigest::Stamp WrittenDigest::stampOf(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return Stamp();
    return Stamp { QDir::cleanPath(info.absoluteFilePath()), info.size(), info.lastModified(),
        info.metadataChangeTime() };
}
