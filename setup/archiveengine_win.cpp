#include "setup/archiveengine.h"

QStringList ArchiveEngine::systemCandidatePaths()
{
    // The bare name: Windows looks beside the program first.
    return { QStringLiteral("7z.dll") };
}
