#include "setup/postinstallcleanup.h"

#include "setup/filehelpers.h"
#include "setup/gamepackagenames.h"
#include "setup/pathguard.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

using namespace gamepackagenames;

// No path is longer; a longer line is damage, and is never held in memory whole.
constexpr int kMaxLineBytes = 4096;

enum class Line { Read, TooLong, End };

Line readLine(QFile &file, QByteArray &line)
{
    char buffer[kMaxLineBytes + 3]; // the longest line, "\r\n" and a terminating zero
    qint64 got = file.readLine(buffer, sizeof buffer);
    if (got <= 0)
        return Line::End;
    if (buffer[got - 1] != '\n' && !file.atEnd()) {
        do
            got = file.readLine(buffer, sizeof buffer);
        while (got > 0 && buffer[got - 1] != '\n');
        return Line::TooLong;
    }
    line = QByteArray(buffer, int(got));
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    return line.size() > kMaxLineBytes ? Line::TooLong : Line::Read;
}

// Packages made on Windows write "\\Data\\old.dll" for a file of the install
// folder, not of the drive.
QString withoutLeadingSeparators(const QString &line)
{
    int start = 0;
    while (start < line.size()
        && (line.at(start) == QLatin1Char('/') || line.at(start) == QLatin1Char('\\')))
        ++start;
    return line.mid(start);
}

bool copyFile(QFile &from, const QString &to)
{
    QSaveFile copy(to);
    if (!copy.open(QIODevice::WriteOnly))
        return false;
    QByteArray piece;
    while (!(piece = from.read(1 << 20)).isEmpty()) {
        if (copy.write(piece) != piece.size())
            return false;
    }
    return from.error() == QFileDevice::NoError && copy.commit();
}

} // namespace

PostInstallCleanup::PostInstallCleanup(const QString &target, std::function<bool()> stopped)
    : m_target(target)
    , m_stopped(std::move(stopped))
{
}

bool PostInstallCleanup::processDeleteList()
{
    const QString listPath = m_target + QLatin1Char('/') + kDeleteList;
    if (!QFile::exists(listPath))
        return true;
    QFile list;
    if (!pathguard::staysInside(m_target, kDeleteList, false)
        || !filehelpers::openRegularFile(list, listPath)) {
        // Never followed, and not left there either: it would stop every
        // later update the same way.
        qDebug() << "deletefiles.txt is no plain file of the folder; removed unread";
        const bool removed = QFileInfo(listPath).isDir() && !QFileInfo(listPath).isSymLink()
            ? QDir(listPath).removeRecursively()
            : filehelpers::deleteFileAlways(listPath);
        if (!removed) {
            m_failedPath = listPath;
            return false;
        }
        return true;
    }
    QByteArray raw;
    for (Line read; (read = readLine(list, raw)) != Line::End;) {
        if (m_stopped && m_stopped())
            return false;
        if (read == Line::TooLong) {
            qDebug() << "deletefiles.txt: skipping a line longer than" << kMaxLineBytes << "bytes";
            continue;
        }
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.isEmpty())
            continue;
        const QString relative = pathguard::safeRelativePath(withoutLeadingSeparators(line));
        if (relative.isNull() || !pathguard::staysInside(m_target, relative, true)) {
            qDebug() << "deletefiles.txt: skipping a path outside the folder:" << line;
            continue;
        }
        m_deleted << QDir::cleanPath(relative);
        const QString target = m_target + QLatin1Char('/') + relative;
        const QFileInfo info(target);
        if (!info.exists() && !info.isSymLink())
            continue;
        if ((info.isDir() && !info.isSymLink()) || !QFile::remove(target)) {
            m_failedPath = target;
            return false;
        }
    }
    list.close();
    if (!QFile::remove(listPath))
        QFile::remove(listPath);
    return true;
}

PostInstallCleanup::Metadata PostInstallCleanup::checkGameMetadata()
{
    const QString primary = m_target + QLatin1Char('/') + kMetadataPrimary;
    const QFileInfo primaryInfo(primary);
    if (pathguard::staysInside(m_target, kMetadataPrimary, false) && primaryInfo.isFile()
        && primaryInfo.size() > 0)
        return Metadata::Present;
    // Repairs stay inside the folder: through a link they would delete or
    // overwrite files elsewhere, or bring them in.
    if (!pathguard::staysInside(m_target, kMetadataPrimary, true)) {
        qDebug() << "Metadata repair refused, the path leaves the folder:" << primary;
        return Metadata::Missing;
    }
    if (filehelpers::lookUp(primary))
        QFile::remove(primary);
    const QString fallbackPath = m_target + QLatin1Char('/') + kMetadataFallback;
    QFile fallback;
    if (!pathguard::staysInside(m_target, kMetadataFallback, false)
        || !filehelpers::openRegularFile(fallback, fallbackPath) || fallback.size() == 0)
        return Metadata::Missing;
    QDir().mkpath(QFileInfo(primary).path());
    return copyFile(fallback, primary) ? Metadata::Restored : Metadata::Missing;
}
