#include "platform/crashhandler.h"

#include <windows.h>

// dbghelp.h relies on the types windows.h declares, so it stays in a block
// of its own where include sorting cannot move it first.
#include <dbghelp.h>

namespace platform {

namespace {

using MiniDumpWriteDumpFn
    = BOOL(WINAPI *)(HANDLE, DWORD, HANDLE, MINIDUMP_TYPE, PMINIDUMP_EXCEPTION_INFORMATION,
        PMINIDUMP_USER_STREAM_INFORMATION, PMINIDUMP_CALLBACK_INFORMATION);

LONG WINAPI crashDumpFilter(EXCEPTION_POINTERS *info)
{
    if (IsDebuggerPresent())
        return EXCEPTION_CONTINUE_SEARCH;
    // Whatever fails below, the process must still end, never resume the
    // faulting code: EXCEPTION_EXECUTE_HANDLER does that.
    HMODULE dbghelp = LoadLibraryW(L"DbgHelp.dll");
    if (!dbghelp)
        return EXCEPTION_EXECUTE_HANDLER;
    auto writeDump
        = reinterpret_cast<MiniDumpWriteDumpFn>(GetProcAddress(dbghelp, "MiniDumpWriteDump"));
    if (writeDump) {
        wchar_t name[MAX_PATH] = {};
        SYSTEMTIME now;
        GetLocalTime(&now);
        wsprintfW(name, L"%s-%04d%02d%02d-%02d%02d%02d.dmp", L"DumpFile", now.wYear, now.wMonth,
            now.wDay, now.wHour, now.wMinute, now.wSecond);
        HANDLE file = CreateFileW(name, GENERIC_READ | GENERIC_WRITE,
            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            MINIDUMP_EXCEPTION_INFORMATION exception = {};
            exception.ThreadId = GetCurrentThreadId();
            exception.ExceptionPointers = info;
            exception.ClientPointers = FALSE;
            writeDump(GetCurrentProcess(), GetCurrentProcessId(), file, MiniDumpWithDataSegs,
                info ? &exception : nullptr, nullptr, nullptr);
            CloseHandle(file);
        }
    }
    FreeLibrary(dbghelp);
    return EXCEPTION_EXECUTE_HANDLER;
}

} // namespace

void installCrashHandler()
{
    SetUnhandledExceptionFilter(crashDumpFilter);
}

} // namespace platform
