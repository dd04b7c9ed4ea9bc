#include "platform/namedmutex.h"

#include <windows.h>

namespace platform {

bool isNamedMutexHeld(const QString &name)
{
    HANDLE mutex = OpenMutexW(MUTEX_ALL_ACCESS, TRUE, reinterpret_cast<LPCWSTR>(name.utf16()));
    if (!mutex)
        return false;
    CloseHandle(mutex);
    return true;
}

NamedMutexHolder::NamedMutexHolder(const QString &name)
{
    m_handle = CreateMutexW(nullptr, TRUE, reinterpret_cast<LPCWSTR>(name.utf16()));
    m_owner = m_handle && GetLastError() != ERROR_ALREADY_EXISTS;
}

NamedMutexHolder::~NamedMutexHolder()
{
    if (!m_handle)
        return;
    if (m_owner)
        ReleaseMutex(static_cast<HANDLE>(m_handle));
    CloseHandle(static_cast<HANDLE>(m_handle));
}

bool NamedMutexHolder::isOwner() const
{
    return m_owner;
}

} // namespace platform
