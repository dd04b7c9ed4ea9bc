#include "platform/systeminfo.h"

#include "platform/registry.h"

#include <windows.h>

namespace platform {

QString processorName()
{
    return readRegistryString(
        QStringLiteral("HKEY_LOCAL_MACHINE\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0"),
        QStringLiteral("ProcessorNameString"), RegistryView::Native);
}

PhysicalMemory physicalMemory()
{
    MEMORYSTATUSEX status = {};
    status.dwLength = sizeof(status);
    if (!GlobalMemoryStatusEx(&status))
        return {};
    return { status.ullAvailPhys, status.ullTotalPhys };
}

} // namespace platform
