#pragma once

#include <QString>

namespace platform {

enum class RegistryView {
    Native, // the process's own view
    Wide64, // the 64-bit view, whatever the process is
};

// Where a backend without a system registry keeps its values: a folder named
// after the organisation among the user's settings. Set once by the owner of
// the values before the first read or write; the Windows registry ignores it.
void setRegistryOrganization(const QString &organization);

// key is a full registry path such as "HKEY_LOCAL_MACHINE\Software\launcher".
// A value that is absent or cannot be read gives an empty string.
QString readRegistryString(
    const QString &key, const QString &name, RegistryView view = RegistryView::Wide64);
bool writeRegistryString(const QString &key, const QString &name, const QString &data,
    RegistryView view = RegistryView::Wide64);

// Makes the desktop start command at login, or stop doing so when command is
// empty. Where the Run value is itself what the desktop reads, this is a no-op.
void syncAutoStartEntry(const QString &entryName, const QString &command);

} // namespace platform
