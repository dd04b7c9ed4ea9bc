#include "updater/testhooks.h"

#include <windows.h>

void killThisProcess()
{
    TerminateProcess(GetCurrentProcess(), 137);
    ExitProcess(137);
}
