#include "platform/processes.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QThread>

#include <algorithm>
#include <csignal>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

// Scans /proc. A game may run natively or as a script under an interpreter,
// so a process matches by its executable, or by the script an interpreter
// was given; every candidate path is resolved as the process sees it.
namespace platform {

namespace {

constexpr int kKillWaitMs = 3000;

bool isInterpreter(const QString &path)
{
    static const char *const kInterpreters[]
        = { "sh", "bash", "dash", "zsh", "python", "perl", "wine", "mono", "env" };
    const QString name = QFileInfo(path).fileName();
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

// The file a path names, links resolved; a path that no longer exists (the
// program was replaced while it ran) keeps its cleaned form.
QString realPath(const QString &path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(path) : canonical;
}

QString resolvedArgument(const QString &procDir, const QByteArray &argument)
{
    const QString path = QFile::decodeName(argument);
    if (path.isEmpty())
        return QString();
    if (QDir::isAbsolutePath(path))
        return realPath(path);
    const QString cwd = QFileInfo(procDir + QStringLiteral("/cwd")).symLinkTarget();
    return cwd.isEmpty() ? QString() : realPath(cwd + QLatin1Char('/') + path);
}

bool matches(const QString &procDir, const QString &target)
{
    // The kernel marks an executable replaced while it runs; it is still
    // the program that was started from that path.
    QString executable = QFileInfo(procDir + QStringLiteral("/exe")).symLinkTarget();
    executable.remove(QStringLiteral(" (deleted)"));
    if (!executable.isEmpty() && realPath(executable) == target)
        return true;
    if (!isInterpreter(executable))
        return false;
    const QList<QByteArray> argv = readAll(procDir + QStringLiteral("/cmdline")).split('\0');
    // "sh script" or "env python script": the first argument that is no
    // option and no interpreter is the program.
    for (int i = 1; i < argv.size() && i < 4; ++i) {
        const QByteArray &argument = argv.at(i);
        if (argument.isEmpty() || argument.startsWith('-'))
            continue;
        if (resolvedArgument(procDir, argument) == target)
            return true;
        if (!isInterpreter(QFile::decodeName(argument)))
            return false;
    }
    return false;
}

bool isOwnedByUser(const QString &procDir)
{
    struct stat info;
    return ::stat(QFile::encodeName(procDir).constData(), &info) == 0 && info.st_uid == ::getuid();
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

QList<pid_t> findProcesses(const QString &executablePath)
{
    QList<pid_t> found;
    if (executablePath.isEmpty() || !QDir::isAbsolutePath(executablePath))
        return found;
    const QString target = realPath(executablePath);
    const pid_t self = ::getpid();
    const QStringList entries
        = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        bool isPid = false;
        const pid_t pid = pid_t(entry.toInt(&isPid));
        const QString procDir = QStringLiteral("/proc/") + entry;
        if (!isPid || pid == self || !isOwnedByUser(procDir))
            continue;
        if (matches(procDir, target) && isAlive(pid))
            found.append(pid);
    }
    return found;
}

} // namespace

bool isProgramRunning(const QString &executablePath)
{
    return !findProcesses(executablePath).isEmpty();
}

void killProgram(const QString &executablePath)
{
    QList<pid_t> victims = findProcesses(executablePath);
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
