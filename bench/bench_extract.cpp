// bench_extract FOLDER ARCHIVE-NAME
// Installs FOLDER/ARCHIVE-NAME into FOLDER with the setup worker, as the
// launcher does, and prints the seconds it took and the peak resident memory
// growth over the program's start.
#include "setup/setupmanager.h"

#include "bench/procstatus.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_extract FOLDER ARCHIVE-NAME\n");
        return 2;
    }
    const qint64 baseKib = procStatusKib("VmRSS:");
    setupmanager worker;
    int errors = 0;
    QObject::connect(
        &worker, &setupmanager::setupError, [&errors](ErrorCode code, const QString &msg) {
            std::fprintf(stderr, "error %d %s\n", int(code), qPrintable(msg));
            ++errors;
        });
    worker.setZipFilePath(QString::fromLocal8Bit(argv[1]));
    worker.setZipFileName(QString::fromLocal8Bit(argv[2]));
    QElapsedTimer clock;
    clock.start();
    worker.start();
    worker.wait();
    std::printf("seconds %.3f\n", clock.nsecsElapsed() / 1e9);
    std::printf("peak_rss_growth_kib %lld\n", procStatusKib("VmHWM:") - baseKib);
    return errors == 0 ? 0 : 1;
}
