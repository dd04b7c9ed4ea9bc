#include "updater/testhooks.h"

namespace {

int numberFrom(const char *variable, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariable(variable).toInt(&ok);
    return ok ? value : fallback;
}

} // namespace

UpdateController::Options TestHooks::fromEnvironment()
{
    UpdateController::Options options;
    options.launcherWaitMs = numberFrom("TESSARIL_UPDATER_WAIT_MS", options.launcherWaitMs);
    options.lingerMs = numberFrom("TESSARIL_UPDATER_LINGER_MS", options.lingerMs);
    const QStringList killAt = qEnvironmentVariable("TESSARIL_UPDATER_KILL_AT").split(':');
    bool ok = false;
    const int step = killAt.value(0).toInt(&ok);
    if (!ok)
        return options;
    const int operations = killAt.value(1).toInt();
    options.swapObserver = [step, operations](LauncherSwap::Step reached, int done) {
        if (int(reached) == step && done == operations)
            killThisProcess();
    };
    return options;
}
