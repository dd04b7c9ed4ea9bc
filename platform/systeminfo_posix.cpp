#include "platform/systeminfo.h"

#include <QFile>
#include <QRegularExpression>

namespace platform {

namespace {

QByteArray readProcFile(const char *path)
{
    // /proc files report a size of 0, so read until the end instead of by size.
    QFile file(QString::fromLatin1(path));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace

QString processorName()
{
    const QString cpuinfo = QString::fromUtf8(readProcFile("/proc/cpuinfo"));
    static const QRegularExpression modelName(
        QStringLiteral("^(?:model name|Model|cpu model|Processor)\\s*:\\s*(.+)$"),
        QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = modelName.match(cpuinfo);
    return match.hasMatch() ? match.captured(1).trimmed() : QString();
}

PhysicalMemory physicalMemory()
{
    const QString meminfo = QString::fromLatin1(readProcFile("/proc/meminfo"));
    auto kibibytes = [&meminfo](const char *field) -> quint64 {
        const QRegularExpression line(
            QStringLiteral("^%1:\\s*(\\d+) kB$").arg(QLatin1String(field)),
            QRegularExpression::MultilineOption);
        const QRegularExpressionMatch match = line.match(meminfo);
        return match.hasMatch() ? match.captured(1).toULongLong() : 0;
    };
    return { kibibytes("MemAvailable") * 1024, kibibytes("MemTotal") * 1024 };
}

} // namespace platform
