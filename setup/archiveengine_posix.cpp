#include "setup/archiveengine.h"

#include <QCoreApplication>

QStringList ArchiveEngine::systemCandidatePaths()
{
    return { QCoreApplication::applicationDirPath() + QStringLiteral("/7z.so"),
        QStringLiteral("/usr/lib/p7zip/7z.so") };
}
