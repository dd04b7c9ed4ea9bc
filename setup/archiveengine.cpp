#include "setup/archiveengine.h"

#include <QCoreApplication>
#include <QDebug>

#include <cstring>

using namespace engine;

QStringList ArchiveEngine::candidatePaths()
{
    const QString chosen = qEnvironmentVariable("TESSARIL_ARCHIVE_ENGINE");
    if (!chosen.isEmpty())
        return { chosen };
    return systemCandidatePaths();
}

const GUID *ArchiveEngine::classIdForSuffix(const QString &suffix)
{
    const QString lower = suffix.toLower();
    if (lower == QLatin1String("7z"))
        return &CLSID_Format7z;
    if (lower == QLatin1String("zip"))
        return &CLSID_FormatZip;
    if (lower == QLatin1String("rar"))
        return &CLSID_FormatRar;
    return nullptr;
}

bool ArchiveEngine::load()
{
    if (m_createObject)
        return true;
    for (const QString &path : candidatePaths()) {
        m_library.setFileName(path);
        if (!m_library.load())
            continue;
        m_createObject = reinterpret_cast<CreateObjectFunc>(m_library.resolve("CreateObject"));
        m_sysFreeString = reinterpret_cast<SysFreeStringFunc>(m_library.resolve("SysFreeString"));
        if (m_createObject)
            return true;
        m_library.unload();
    }
    qDebug() << "archive engine not found in" << candidatePaths();
    return false;
}

HRESULT ArchiveEngine::createObject(const GUID &classId, const GUID &interfaceId, void **out)
{
    const HRESULT created = m_createObject(&classId, &interfaceId, out);
    if (created != kOk || !*out || !(interfaceId == IID_IInArchive) || m_decoderThreads == 0)
        return created;
    auto *archive = static_cast<IInArchive *>(*out);
    ISetProperties *settings = nullptr;
    if (archive->QueryInterface(IID_ISetProperties, reinterpret_cast<void **>(&settings)) != kOk
        || !settings)
        return created;
    const wchar_t *names[] = { L"mt" };
    PROPVARIANT value;
    std::memset(&value, 0, sizeof value);
    value.vt = VT_UI4;
    value.ulVal = m_decoderThreads;
    // A handler that takes no thread count still extracts, with its own.
    if (settings->SetProperties(names, &value, 1) != kOk)
        qDebug() << "archive handler refused a decoder thread count of" << m_decoderThreads;
    settings->Release();
    return created;
}

void ArchiveEngine::freeString(BSTR text)
{
    if (text && m_sysFreeString)
        m_sysFreeString(text);
}
