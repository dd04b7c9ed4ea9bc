#include "updater/testhooks.h"

namespace {

int numberFrom(const char *variable, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariable(variable).toInt(&ok);
    return ok ? value : fallback;
}

} // namespace

TestHooks TestHooks::fromEnvironment()
{
    TestHooks hooks;
    const QStringList killAt = qEnvironmentVariable("TESSARIL_UPDATER_KILL_AT").split(':');
    bool ok = false;
    const int step = killAt.value(0).toInt(&ok);
    if (ok) {
        hooks.killStep = step;
        hooks.killOperations = killAt.value(1).toInt();
    }
    hooks.launcherWaitMs = numberFrom("TESSARIL_UPDATER_WAIT_MS", hooks.launcherWaitMs);
    hooks.lingerMs = numberFrom("TESSARIL_UPDATER_LINGER_MS", hooks.lingerMs);
    return hooks;
}

LauncherSwap::Observer TestHooks::swapObserver() const
{
    if (killStep < 0)
        return {};
    const int step = killStep;
    const int operations = killOperations;
    return [step, operations](LauncherSwap::Step reached, int done) {
        if (int(reached) == step && done == operations)
            killThisProcess();
    };
}
