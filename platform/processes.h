#pragma once

#include <QString>

namespace platform {

// Whether a process of this user runs the program file at executablePath
// (absolute): matched by the real path of the process's executable or, for a
// script run by an interpreter, by its script argument resolved against the
// process's working folder. Names alone never match, so another program that
// happens to share the file name is never taken for ours. The caller's own
// process never counts.
bool isProgramRunning(const QString &executablePath);

// Ends every such process at once, without letting it save, and returns once
// they are gone or after a short wait.
void killProgram(const QString &executablePath);

// The file name of a program called baseName on this system ("base.exe" on
// Windows, "base" elsewhere).
QString executableFileName(const QString &baseName);

} // namespace platform
