#pragma once

#include "setup/launcherswap.h"

// Switches for the tests, read from the environment; unset, they change
// nothing.
//   TESSARIL_UPDATER_KILL_AT=step[:operations]  die at once, as by SIGKILL,
//       right after the swap journals that step (a LauncherSwap::Step
//       number), or after that many files moved or removed within it
//   TESSARIL_UPDATER_WAIT_MS=ms     how long the launcher may take to close
//   TESSARIL_UPDATER_LINGER_MS=ms   close the failure window after this long
struct TestHooks
{
    int killStep = -1;
    int killOperations = 0;
    int launcherWaitMs = 30000;
    int lingerMs = -1; // the user closes it

    static TestHooks fromEnvironment();
    LauncherSwap::Observer swapObserver() const;
};

// Ends this process at once, running nothing more of it.
[[noreturn]] void killThisProcess();
