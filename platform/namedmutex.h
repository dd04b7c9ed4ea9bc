#pragma once

#include <QString>

namespace platform {

// Whether some process holds the system-wide lock called name right now.
// A holder that died, however it died, no longer counts.
bool isNamedMutexHeld(const QString &name);

// Holds the system-wide lock called name for the object's life. The updater
// keeps one while it replaces the launcher's files.
class NamedMutexHolder
{
public:
    explicit NamedMutexHolder(const QString &name);
    ~NamedMutexHolder();
    NamedMutexHolder(const NamedMutexHolder &) = delete;
    NamedMutexHolder &operator=(const NamedMutexHolder &) = delete;

    // False when another process holds it already or it could not be made.
    bool isOwner() const;

private:
    void *m_handle = nullptr;
    int m_fd = -1;
    bool m_owner = false;
};

} // namespace platform
