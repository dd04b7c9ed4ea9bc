// bench_verify FOLDER [ARCHIVE-NAME]
// With ARCHIVE-NAME, first installs FOLDER/ARCHIVE-NAME into FOLDER with the
// setup worker keeping a new install record, untimed. Then verifies FOLDER
// against its record with the verify job while a probe timer on the GUI
// thread measures how late the event loop serves it. Prints the seconds the
// verify took, the longest stall and the number of damaged files.
#include "setup/setupmanager.h"
#include "setup/verifyjob.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int kProbeMs = 5;

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_verify FOLDER [ARCHIVE-NAME]\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (argc > 2) {
        setupmanager worker;
        bool failed = false;
        QObject::connect(
            &worker, &setupmanager::setupError, [&failed](ErrorCode code, const QString &msg) {
                std::fprintf(stderr, "error %d %s\n", int(code), qPrintable(msg));
                failed = true;
            });
        worker.setRecordMode(setupmanager::RecordMode::Fresh);
        worker.setZipFilePath(folder);
        worker.setZipFileName(QString::fromLocal8Bit(argv[2]));
        worker.start();
        worker.wait();
        QCoreApplication::processEvents();
        if (failed)
            return 1;
    }

    VerifyJob job;
    QElapsedTimer clock;
    QElapsedTimer sinceTick;
    qint64 worstStallMs = 0;
    QTimer probe;
    probe.setInterval(kProbeMs);
    QObject::connect(&probe, &QTimer::timeout,
        [&] { worstStallMs = qMax(worstStallMs, sinceTick.restart() - kProbeMs); });
    QObject::connect(&job, &VerifyJob::finished, &app, &QCoreApplication::quit);
    clock.start();
    sinceTick.start();
    probe.start();
    job.setTarget(folder);
    job.start();
    app.exec();
    std::printf("seconds %.3f\n", clock.nsecsElapsed() / 1e9);
    std::printf("stall_max_ms %lld\n", worstStallMs);
    std::printf("damaged %d\n", job.damaged().size());
    return job.hasRecord() ? 0 : 1;
}
