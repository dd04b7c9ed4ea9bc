// A child process for the platform tests; the first argument says what it does.
#include "platform/crashhandler.h"
#include "platform/namedmutex.h"
#include "platform/singleapplication.h"

#include <QCoreApplication>
#include <QTextStream>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

namespace {

void say(const QString &line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

int crash(const char *folder)
{
    platform::installCrashHandler();
    if (::chdir(folder) != 0)
        return 2;
    say(QStringLiteral("crashing"));
    volatile int *nowhere = nullptr;
    return *nowhere;
}

int holdMutex(const QString &name)
{
    platform::NamedMutexHolder holder(name);
    say(holder.isOwner() ? QStringLiteral("owner") : QStringLiteral("not-owner"));
    QThread::sleep(60);
    return 0;
}

int singleInstance(int argc, char **argv)
{
    SingleApplication app(argc, argv, false);
    if (app.isRunning()) {
        const bool delivered = app.sendMessage(QStringLiteral("raise_window_noop"), 5000);
        say(delivered ? QStringLiteral("second:delivered") : QStringLiteral("second:lost"));
        return 255;
    }
    say(QStringLiteral("first"));
    QObject::connect(&app, &SingleApplication::messageReceived, [](const QString &message) {
        say(QStringLiteral("message:") + message);
    });
    QTimer::singleShot(60000, &app, &QCoreApplication::quit);
    return app.exec();
}

} // namespace

int main(int argc, char **argv)
{
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (mode == QLatin1String("crash") && argc > 2)
        return crash(argv[2]);
    if (mode == QLatin1String("hold-mutex") && argc > 2)
        return holdMutex(QString::fromLocal8Bit(argv[2]));
    if (mode == QLatin1String("single"))
        return singleInstance(argc, argv);
    if (mode == QLatin1String("sleep")) {
        say(QStringLiteral("sleeping"));
        QThread::sleep(60);
        return 0;
    }
    std::fprintf(stderr, "usage: tst_helper crash DIR | hold-mutex NAME | single | sleep\n");
    return 2;
}
