#include "platform/processes.h"

#include <QDir>
#include <QElapsedTimer>
#include <QList>

#include <windows.h>

#include <tlhelp32.h>

namespace platform {

namespace {

constexpr int kKillWaitMs = 3000;

QString imagePath(HANDLE process)
{
    wchar_t buffer[MAX_PATH * 4];
    DWORD size = DWORD(sizeof buffer / sizeof buffer[0]);
    if (!QueryFullProcessImageNameW(process, 0, buffer, &size))
        return QString();
    return QDir::cleanPath(QDir::fromNativeSeparators(QString::fromWCharArray(buffer, int(size))));
}

// Another user's process is never ours to end, even when an administrator
// could open it.
bool sameUser(HANDLE process)
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token))
        return false;
    HANDLE ownToken = nullptr;
    bool same = false;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &ownToken)) {
        BYTE theirs[256];
        BYTE ours[256];
        DWORD got = 0;
        if (GetTokenInformation(token, TokenUser, theirs, sizeof theirs, &got)
            && GetTokenInformation(ownToken, TokenUser, ours, sizeof ours, &got))
            same = EqualSid(reinterpret_cast<TOKEN_USER *>(theirs)->User.Sid,
                reinterpret_cast<TOKEN_USER *>(ours)->User.Sid);
        CloseHandle(ownToken);
    }
    CloseHandle(token);
    return same;
}

QList<DWORD> findProcesses(const QString &executablePath)
{
    QList<DWORD> found;
    if (executablePath.isEmpty() || !QDir::isAbsolutePath(executablePath))
        return found;
    const QString target = QDir::cleanPath(QDir::fromNativeSeparators(executablePath));
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return found;
    PROCESSENTRY32W entry;
    entry.dwSize = sizeof entry;
    const DWORD self = GetCurrentProcessId();
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry)) {
        if (entry.th32ProcessID == self)
            continue;
        HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID);
        if (!process)
            continue;
        if (imagePath(process).compare(target, Qt::CaseInsensitive) == 0 && sameUser(process))
            found.append(entry.th32ProcessID);
        CloseHandle(process);
    }
    CloseHandle(snapshot);
    return found;
}

} // namespace

bool isProgramRunning(const QString &executablePath)
{
    return !findProcesses(executablePath).isEmpty();
}

void killProgram(const QString &executablePath)
{
    QList<HANDLE> victims;
    for (const DWORD pid : findProcesses(executablePath)) {
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
        if (!process)
            continue;
        TerminateProcess(process, 1);
        victims.append(process);
    }
    QElapsedTimer waited;
    waited.start();
    for (HANDLE process : qAsConst(victims)) {
        const qint64 left = qMax<qint64>(0, kKillWaitMs - waited.elapsed());
        WaitForSingleObject(process, DWORD(left));
        CloseHandle(process);
    }
}

QString executableFileName(const QString &baseName)
{
    return baseName + QStringLiteral(".exe");
}

} // namespace platform
