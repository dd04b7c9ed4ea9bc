#pragma once

#include "setup/engineabi.h"

#include <QLibrary>
#include <QStringList>

// The 7-Zip engine library, loaded on first use and kept loaded.
class ArchiveEngine
{
public:
    // One decoding thread: where cores are few, the engine's default of one
    // per core decoded LZMA2 slower than one alone (measured on two cores),
    // and the download that runs beside the extraction needs a core too.
    static constexpr engine::UInt32 kDefaultDecoderThreads = 1;

    // Where the library is looked for, in order: TESSARIL_ARCHIVE_ENGINE
    // alone when it is set, else beside the program, then the system's copy.
    static QStringList candidatePaths();

    // The handler class for an archive suffix (compared in lower case), or
    // nullptr for a format the launcher does not install from.
    static const engine::GUID *classIdForSuffix(const QString &suffix);

    bool load();
    // An archive handler (IID_IInArchive) comes with decoderThreads() set.
    engine::HRESULT createObject(
        const engine::GUID &classId, const engine::GUID &interfaceId, void **out);
    // Every string the engine hands out goes back through the engine.
    void freeString(engine::BSTR text);

    // 0 leaves the choice to the engine, which takes every core.
    void setDecoderThreads(engine::UInt32 threads) { m_decoderThreads = threads; }
    engine::UInt32 decoderThreads() const { return m_decoderThreads; }

private:
    static QStringList systemCandidatePaths();

    QLibrary m_library;
    engine::CreateObjectFunc m_createObject = nullptr;
    engine::SysFreeStringFunc m_sysFreeString = nullptr;
    engine::UInt32 m_decoderThreads = kDefaultDecoderThreads;
};
