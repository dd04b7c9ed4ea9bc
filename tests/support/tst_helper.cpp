// A child process for the platform tests; the first argument says what it does.
#include "download/downloadmanager.h"
#include "platform/crashhandler.h"
#include "platform/singleapplication.h"
#include "setup/extractjob.h"
#include "setup/setupmanager.h"

#include <QCoreApplication>
#include <QTextStream>
#include <QThread>
#include <QTimer>
#include <QUrl>

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
    say("crashing");
    volatile int *nowhere = nullptr;
    return *nowhere;
}

int singleInstance(int argc, char **argv)
{
    SingleApplication app(argc, argv, false);
    if (app.isRunning()) {
        const bool delivered = app.sendMessage("raise_window_noop", 5000);
        say(delivered ? "second:delivered" : "second:lost");
        return 255;
    }
    say("first");
    QObject::connect(&app, &SingleApplication::messageReceived,
        [](const QString &message) { say("message:" + message); });
    QTimer::singleShot(60000, &app, &QCoreApplication::quit);
    return app.exec();
}

// Downloads URL into DIR and checks MD5, printing how far it got, until done.
int download(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    app.setOrganizationName("Vantor");
    app.setApplicationName("Tessaril");
    const QStringList args = app.arguments();
    downloadmanager manager;
    QObject::connect(&manager, &downloadmanager::downloadReplyProgress,
        [](qlonglong done, qlonglong) { say(QStringLiteral("progress %1").arg(done)); });
    QObject::connect(&manager, &downloadmanager::downloadFinished, [&] {
        say("finished");
        manager.fileMd5(args.at(3) + '/' + QUrl(args.at(2)).fileName());
    });
    QObject::connect(&manager, &downloadmanager::md5CheckFinish, [] {
        say("md5ok");
        QCoreApplication::exit(0);
    });
    auto fail = [](ErrorCode code, const QString &message) {
        say(QStringLiteral("error %1 %2").arg(int(code)).arg(message));
        QCoreApplication::exit(1);
    };
    QObject::connect(&manager, &downloadmanager::downloadError, fail);
    QObject::connect(&manager, &downloadmanager::httpError, fail);
    manager.setUrl(QUrl(args.at(2)));
    manager.setFilePath(args.at(3));
    manager.setFileMD5(args.at(4));
    manager.startDownload();
    say("started");
    return app.exec();
}

} // namespace

// Repairs the named items from the package, and stops dead in the middle of
// the second one, its file created and still empty, to be killed there.
int repairAndHang(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    setupmanager repair;
    repair.setRecordMode(setupmanager::RecordMode::Update);
    const QStringList args = app.arguments();
    repair.setZipFilePath(args.at(2));
    repair.setZipFileName(args.at(3));
    repair.setOnlyItems(args.mid(4));
    int started = 0;
    QObject::connect(
        &repair, &setupmanager::setupUnzipFilePath, &repair,
        [&started](const QString &) {
            if (++started < 2)
                return;
            say("writing");
            QThread::sleep(60);
        },
        Qt::DirectConnection);
    ExtractJob job(&repair);
    QObject::connect(&job, &Job::finished, &app, &QCoreApplication::quit);
    job.start();
    return app.exec();
}

int main(int argc, char **argv)
{
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (mode == "crash" && argc > 2)
        return crash(argv[2]);
    if (mode == "single")
        return singleInstance(argc, argv);
    if (mode == "download" && argc > 4)
        return download(argc, argv);
    if (mode == "repair-and-hang" && argc > 5)
        return repairAndHang(argc, argv);
    if (mode == "sleep") {
        say("sleeping");
        QThread::sleep(60);
        return 0;
    }
    std::fprintf(stderr, "usage: tst_helper crash|single|sleep|download|repair-and-hang\n");
    return 2;
}
