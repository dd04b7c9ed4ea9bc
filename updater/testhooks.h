#pragma once

#include "updater/updatecontroller.h"

// Switches for the tests, read from the environment. Compiled only into the
// updater the tests run, never into the one that ships.
//   TESSARIL_UPDATER_KILL_AT=step[:operations]  die at once, as by SIGKILL,
//       right after the swap journals that step (a LauncherSwap::Step
//       number), or after that many files moved or removed within it
//   TESSARIL_UPDATER_WAIT_MS=ms     how long the launcher may take to close
//   TESSARIL_UPDATER_LINGER_MS=ms   close the failure window after this long
namespace TestHooks {

UpdateController::Options fromEnvironment();

// Ends this process at once, running nothing more of it.
[[noreturn]] void killThisProcess();

} // namespace TestHooks
