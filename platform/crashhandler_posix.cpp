#include "platform/crashhandler.h"

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <execinfo.h>
#include <fcntl.h>
#include <unistd.h>

// Everything reached from the signal handler is async-signal-safe: no
// allocation, no stdio, no locale or time-zone look-up. The local-time offset
// is taken once at install time for that reason.
namespace platform {

namespace {

constexpr int kCrashSignals[] = { SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT };
constexpr int kMaxFrames = 64;

long g_utcOffsetSeconds = 0;
char g_alternateStack[64 * 1024];

class Writer
{
public:
    explicit Writer(int fd)
        : m_fd(fd)
    {
    }

    Writer &text(const char *s)
    {
        write(s, std::strlen(s));
        return *this;
    }

    Writer &number(uint64_t value, unsigned base = 10, int minDigits = 1)
    {
        char digits[24];
        int count = 0;
        do {
            digits[count++] = "0123456789abcdef"[value % base];
            value /= base;
        } while (value != 0 && count < 24);
        while (count < minDigits && count < 24)
            digits[count++] = '0';
        char ordered[24];
        for (int i = 0; i < count; ++i)
            ordered[i] = digits[count - 1 - i];
        write(ordered, size_t(count));
        return *this;
    }

    void write(const char *data, size_t size)
    {
        while (size > 0) {
            const ssize_t written = ::write(m_fd, data, size);
            if (written <= 0)
                return;
            data += written;
            size -= size_t(written);
        }
    }

private:
    int m_fd;
};

const char *signalName(int signal)
{
    switch (signal) {
    case SIGSEGV:
        return "SIGSEGV";
    case SIGBUS:
        return "SIGBUS";
    case SIGFPE:
        return "SIGFPE";
    case SIGILL:
        return "SIGILL";
    case SIGABRT:
        return "SIGABRT";
    default:
        return "signal";
    }
}

struct CivilTime
{
    int64_t year;
    unsigned month, day, hour, minute, second;
};

// Days-to-date conversion after Howard Hinnant's civil_from_days.
CivilTime civilTime(int64_t secondsSinceEpoch)
{
    int64_t days = secondsSinceEpoch / 86400;
    int64_t rest = secondsSinceEpoch % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned dayOfEra = unsigned(days - era * 146097);
    const unsigned yearOfEra
        = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned mp = (5 * dayOfYear + 2) / 153;
    const unsigned day = dayOfYear - (153 * mp + 2) / 5 + 1;
    const unsigned month = mp < 10 ? mp + 3 : mp - 9;
    const int64_t year = int64_t(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0);
    return { year, month, day, unsigned(rest / 3600), unsigned(rest / 60 % 60),
        unsigned(rest % 60) };
}

void copyFile(const char *path, Writer &out)
{
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    char buffer[4096];
    ssize_t got;
    while ((got = ::read(fd, buffer, sizeof buffer)) > 0)
        out.write(buffer, size_t(got));
    ::close(fd);
}

void writeDump(int signal, const siginfo_t *info)
{
    const CivilTime now = civilTime(int64_t(::time(nullptr)) + g_utcOffsetSeconds);
    char name[64];
    {
        // Built by hand: snprintf is not async-signal-safe.
        char *p = name;
        auto append = [&p](const char *s) {
            while (*s)
                *p++ = *s++;
        };
        auto digits = [&p](uint64_t value, int count) {
            for (int i = count - 1; i >= 0; --i) {
                p[i] = char('0' + value % 10);
                value /= 10;
            }
            p += count;
        };
        append("DumpFile-");
        digits(uint64_t(now.year), 4);
        digits(now.month, 2);
        digits(now.day, 2);
        append("-");
        digits(now.hour, 2);
        digits(now.minute, 2);
        digits(now.second, 2);
        append(".dmp");
        *p = '\0';
    }
    const int fd = ::open(name, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    Writer out(fd);
    out.text("signal ").number(uint64_t(signal)).text(" (").text(signalName(signal)).text(")\n");
    out.text("code ").number(uint64_t(uint32_t(info ? info->si_code : 0))).text("\n");
    out.text("address 0x")
        .number(uint64_t(uintptr_t(info ? info->si_addr : nullptr)), 16)
        .text("\n");
    out.text("pid ").number(uint64_t(::getpid())).text("\n\nbacktrace:\n");
    void *frames[kMaxFrames];
    const int frameCount = ::backtrace(frames, kMaxFrames);
    ::backtrace_symbols_fd(frames, frameCount, fd);
    out.text("\nmaps:\n");
    copyFile("/proc/self/maps", out);
    ::close(fd);
}

void onCrashSignal(int signal, siginfo_t *info, void *)
{
    const int savedErrno = errno;
    writeDump(signal, info);
    errno = savedErrno;
    // Default action back, then re-raise: it is delivered when the handler
    // returns (or the fault repeats), and the process ends by the signal.
    struct sigaction fallback = {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    ::sigaction(signal, &fallback, nullptr);
    ::raise(signal);
}

} // namespace

void installCrashHandler()
{
    ::tzset();
    const time_t now = ::time(nullptr);
    struct tm local = {};
    ::localtime_r(&now, &local);
    g_utcOffsetSeconds = local.tm_gmtoff;

    // backtrace() loads its unwinder on first use; do that now, not in the handler.
    void *warmUp[1];
    ::backtrace(warmUp, 1);

    // A stack overflow leaves no stack for the handler, so give it its own.
    stack_t alternate = {};
    alternate.ss_sp = g_alternateStack;
    alternate.ss_size = sizeof g_alternateStack;
    ::sigaltstack(&alternate, nullptr);

    struct sigaction action = {};
    action.sa_sigaction = onCrashSignal;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (const int signal : kCrashSignals)
        ::sigaction(signal, &action, nullptr);
}

} // namespace platform
