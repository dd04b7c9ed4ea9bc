// bench_download download URL DIR [MD5] - downloads with downloadmanager, prints seconds
//                                         (a file already there is not fetched again);
//                                         with MD5, then checks the file as the launcher
//                                         does after a download, prints check_seconds
// bench_download md5 FILE                - checks a file the manager did not download
//                                         (read on md5checkworker's thread), prints seconds
// Both end with the peak resident memory growth over the program's start and
// the longest the event loop went without turning (longest_stall_ms).
// TESSARIL_BENCH_SEGMENTS and TESSARIL_BENCH_LIMIT_MBPS (MB/s) set the
// download's segments and speed limit.
#include "download/bandwidthlimit.h"
#include "download/downloadmanager.h"

#include "bench/procstatus.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    app.setOrganizationName(QStringLiteral("Vantor"));
    app.setApplicationName(QStringLiteral("TessarilBench"));
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: bench_download download URL DIR [MD5] | md5 FILE\n");
        return 2;
    }
    const qint64 baseKib = procStatusKib("VmRSS:");
    downloadmanager manager;
    if (qEnvironmentVariableIsSet("TESSARIL_BENCH_SEGMENTS"))
        manager.setSegments(qEnvironmentVariableIntValue("TESSARIL_BENCH_SEGMENTS"));
    BandwidthLimit::shared().setBytesPerSecond(
        qint64(qEnvironmentVariableIntValue("TESSARIL_BENCH_LIMIT_MBPS")) * 1000 * 1000);
    QElapsedTimer sinceTick;
    qint64 longestStallMs = 0;
    QTimer tick;
    tick.setInterval(5);
    QObject::connect(&tick, &QTimer::timeout,
        [&] { longestStallMs = qMax(longestStallMs, sinceTick.restart() - tick.interval()); });
    sinceTick.start();
    tick.start();
    QElapsedTimer clock;
    QElapsedTimer checkClock;
    double checkSeconds = -1;
    int exitCode = 0;
    auto fail = [&](ErrorCode code, const QString &message) {
        std::fprintf(stderr, "error %d %s\n", int(code), qPrintable(message));
        exitCode = 1;
        app.quit();
    };
    QObject::connect(&manager, &downloadmanager::downloadError, fail);
    QObject::connect(&manager, &downloadmanager::httpError, fail);

    double downloadSeconds = -1;
    const QString md5 = args.value(4);
    const QString file
        = args.value(3) + QLatin1Char('/') + QUrl(args.at(2)).fileName(QUrl::FullyDecoded);
    if (args.at(1) == QLatin1String("download") && args.size() >= 4) {
        QObject::connect(&manager, &downloadmanager::downloadFinished, [&] {
            downloadSeconds = clock.nsecsElapsed() / 1e9;
            if (md5.isEmpty()) {
                app.quit();
                return;
            }
            manager.setFileMD5(md5);
            checkClock.start();
            manager.fileMd5(file);
        });
        QObject::connect(&manager, &downloadmanager::md5CheckFinish, [&] {
            checkSeconds = checkClock.nsecsElapsed() / 1e9;
            app.quit();
        });
        clock.start();
        manager.setFilePath(args.at(3));
        // As the launcher's download job: a whole package left by an earlier
        // run is only checked, never fetched again.
        if (QFileInfo(file).isFile()) {
            QTimer::singleShot(0, &manager, &downloadmanager::downloadFinished);
        } else {
            manager.setUrl(QUrl(args.at(2)));
            manager.startDownload();
        }
    } else if (args.at(1) == QLatin1String("md5")) {
        QObject::connect(&manager, &downloadmanager::md5CheckFinish, &app, &QCoreApplication::quit);
        clock.start();
        manager.fileMd5(args.at(2));
    } else {
        return 2;
    }
    app.exec();
    if (downloadSeconds >= 0) {
        std::printf("seconds %.3f\n", downloadSeconds);
        if (checkSeconds >= 0)
            std::printf("check_seconds %.6f\n", checkSeconds);
    } else {
        std::printf("seconds %.3f\n", clock.nsecsElapsed() / 1e9);
    }
    std::printf("longest_stall_ms %lld\n", longestStallMs);
    std::printf("peak_rss_growth_kib %lld\n", procStatusKib("VmHWM:") - baseKib);
    return exitCode;
}
