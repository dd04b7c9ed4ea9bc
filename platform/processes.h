#pragma once

#include <QString>

namespace platform {

// Whether a process of this user's system runs the program called imageName
// (a file name such as "Quorvela.exe"). The caller's own process never counts.
bool isProcessRunning(const QString &imageName);

// Ends every such process at once, without letting it save, and returns once
// they are gone or after a short wait.
void killProcesses(const QString &imageName);

// The file name of a program called baseName on this system ("base.exe" on
// Windows, "base" elsewhere).
QString executableFileName(const QString &baseName);

} // namespace platform
