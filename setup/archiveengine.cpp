#include "setup/archiveengine.h"

#include <QCoreApplication>
#include <QDebug>

QStringList ArchiveEngine::candidatePaths()
{
    const QString chosen = qEnvironmentVariable("TESSARIL_ARCHIVE_ENGINE");
    if (!chosen.isEmpty())
        return { chosen };
    return systemCandidatePaths();
}

const engine::GUID *ArchiveEngine::classIdForSuffix(const QString &suffix)
{
    const QString lower = suffix.toLower();
    if (lower == QLatin1String("7z"))
        return &engine::CLSID_Format7z;
    if (lower == QLatin1String("zip"))
        return &engine::CLSID_FormatZip;
    if (lower == QLatin1String("rar"))
        return &engine::CLSID_FormatRar;
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
        m_createObject
            = reinterpret_cast<engine::CreateObjectFunc>(m_library.resolve("CreateObject"));
        m_sysFreeString
            = reinterpret_cast<engine::SysFreeStringFunc>(m_library.resolve("SysFreeString"));
        if (m_createObject)
            return true;
        m_library.unload();
    }
    qDebug() << "archive engine not found in" << candidatePaths();
    return false;
}

engine::HRESULT ArchiveEngine::createObject(
    const engine::GUID &classId, const engine::GUID &interfaceId, void **out)
{
    return m_createObject(&classId, &interfaceId, out);
}

void ArchiveEngine::freeString(engine::BSTR text)
{
    if (text && m_sysFreeString)
        m_sysFreeString(text);
}
