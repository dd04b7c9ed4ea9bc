#pragma once

namespace platform {

// From here on, a crash writes "DumpFile-YYYYMMDD-HHMMSS.dmp" (local time)
// into the current folder and the process then ends the system's way.
void installCrashHandler();

} // namespace platform
