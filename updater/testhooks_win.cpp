#include "updater/testhooks.h"

#include <windows.h>

void TestHooks::killThisProcess()
{
    TerminateProcess(GetCurrentProcess(), 137);
    ExitProcess(137);
}
