#include "platform/processes.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QThread>

#include <algorithm>
#include <csignal>
#include <sys/types.h>
#include <unistd.h>

// Scans /proc. A game may run natively, as a script, or under an interpreter
// such as wine (whose argv[0] then carries a Windows path), so a process
// matches by its executable, its argv[0] or, for interpreters, its argv[1].
namespace platform {

namespace {

constexpr int kKillWaitMs = 3000;

QString baseName(const QByteArray &path)
{
    QString name = QFile::decodeName(path);
    const int cut = qMax(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\')));
    return name.mid(cut + 1);
}

bool isInterpreter(const QString &name)
{
    static const char *const kInterpreters[]
        = { "sh", "bash", "dash", "zsh", "python", "perl", "wine", "mono", "env" };
    for (const char *interpreter : kInterpreters) {
        if (name.startsWith(QLatin1String(interpreter)))
            return true;
    }
    return false;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool matches(const QString &procDir, const QString &imageName)
{
    const QString executable
        = baseName(QFile::encodeName(QFileInfo(procDir + QStringLiteral("/exe")).symLinkTarget()));
    if (executable == imageName)
        return true;
    const QList<QByteArray> argv = readAll(procDir + QStringLiteral("/cmdline")).split('\0');
    if (!argv.isEmpty() && baseName(argv.at(0)) == imageName)
        return true;
    const bool scriptHost
        = isInterpreter(executable) || (!argv.isEmpty() && isInterpreter(baseName(argv.at(0))));
    return scriptHost && argv.size() > 1 && baseName(argv.at(1)) == imageName;
}

// A zombie has ended; only its parent has not collected it yet.
bool isAlive(pid_t pid)
{
    const QByteArray stat = readAll(QStringLiteral("/proc/%1/stat").arg(pid));
    if (stat.isEmpty())
        return false;
    const int afterName = stat.lastIndexOf(')');
    return afterName < 0 || stat.mid(afterName + 2, 1) != "Z";
}

QList<pid_t> findProcesses(const QString &imageName)
{
    QList<pid_t> found;
    if (imageName.isEmpty())
        return found;
    const pid_t self = ::getpid();
    const QStringList entries
        = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        bool isPid = false;
        const pid_t pid = pid_t(entry.toInt(&isPid));
        if (!isPid || pid == self)
            continue;
        if (matches(QStringLiteral("/proc/") + entry, imageName) && isAlive(pid))
            found.append(pid);
    }
    return found;
}

} // namespace

bool isProcessRunning(const QString &imageName)
{
    return !findProcesses(imageName).isEmpty();
}

void killProcesses(const QString &imageName)
{
    QList<pid_t> victims = findProcesses(imageName);
    for (const pid_t pid : victims)
        ::kill(pid, SIGKILL);
    QElapsedTimer waited;
    waited.start();
    while (!victims.isEmpty() && waited.elapsed() < kKillWaitMs) {
        victims.erase(
            std::remove_if(victims.begin(), victims.end(), [](pid_t pid) { return !isAlive(pid); }),
            victims.end());
        if (!victims.isEmpty())
            QThread::msleep(20);
    }
}

QString executableFileName(const QString &baseName)
{
    return baseName;
}

} // namespace platform
