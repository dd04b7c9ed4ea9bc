#include "tests/support/zipwriter.h"

#include <QDataStream>
#include <QFile>

#include <zlib.h>

void ZipWriter::addFile(const QByteArray &name, const QByteArray &data, quint32 unixMode)
{
    m_entries.append({ name, data, unixMode });
}

void ZipWriter::addSymlink(const QByteArray &name, const QByteArray &target)
{
    m_entries.append({ name, target, 0120777 });
}

bool ZipWriter::save(const QString &path) const
{
    QByteArray archive;
    QDataStream out(&archive, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    const quint16 dosTime = (12 << 11) | (30 << 5); // 12:30:00
    const quint16 dosDate = ((2024 - 1980) << 9) | (1 << 5) | 31; // 2024-01-31

    const auto crcOf = [](const QByteArray &data) {
        return quint32(::crc32(0, reinterpret_cast<const Bytef *>(data.constData()), data.size()));
    };
    QList<quint32> offsets;
    for (const Entry &entry : m_entries) {
        offsets.append(quint32(archive.size()));
        out << quint32(0x04034b50) << quint16(10) << quint16(0) << quint16(0) << dosTime << dosDate
            << crcOf(entry.data) << quint32(entry.data.size()) << quint32(entry.data.size())
            << quint16(entry.name.size()) << quint16(0);
        out.writeRawData(entry.name.constData(), entry.name.size());
        out.writeRawData(entry.data.constData(), entry.data.size());
    }
    const quint32 directoryStart = quint32(archive.size());
    for (int i = 0; i < m_entries.size(); ++i) {
        const Entry &entry = m_entries.at(i);
        // Made by Unix (3), version 2.0, so the mode in the upper half counts.
        out << quint32(0x02014b50) << quint16(0x031E) << quint16(10) << quint16(0) << quint16(0)
            << dosTime << dosDate << crcOf(entry.data) << quint32(entry.data.size())
            << quint32(entry.data.size()) << quint16(entry.name.size()) << quint16(0) << quint16(0)
            << quint16(0) << quint16(0) << quint32(entry.unixMode << 16) << offsets.at(i);
        out.writeRawData(entry.name.constData(), entry.name.size());
    }
    const quint32 directorySize = quint32(archive.size()) - directoryStart;
    out << quint32(0x06054b50) << quint16(0) << quint16(0) << quint16(m_entries.size())
        << quint16(m_entries.size()) << directorySize << directoryStart << quint16(0);

    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(archive) == archive.size();
}
