#pragma once

#include "setup/engineabi.h"

#include <QLibrary>
#include <QStringList>

// The 7-Zip engine library, loaded on first use and kept loaded.
class ArchiveEngine
{
public:
    // Where the library is looked for, in order: TESSARIL_ARCHIVE_ENGINE
    // alone when it is set, else beside the program, then the system's copy.
    static QStringList candidatePaths();

    // The handler class for an archive suffix (compared in lower case), or
    // nullptr for a format the launcher does not install from.
    static const engine::GUID *classIdForSuffix(const QString &suffix);

    bool load();
    engine::HRESULT createObject(
        const engine::GUID &classId, const engine::GUID &interfaceId, void **out);
    // Every string the engine hands out goes back through the engine.
    void freeString(engine::BSTR text);

private:
    static QStringList systemCandidatePaths();

    QLibrary m_library;
    engine::CreateObjectFunc m_createObject = nullptr;
    engine::SysFreeStringFunc m_sysFreeString = nullptr;
};
