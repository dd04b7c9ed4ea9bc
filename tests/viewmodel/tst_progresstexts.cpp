#include "tests/support/testenvironment.h"
#include "viewmodel/progresstexts.h"

#include <QtTest>

namespace {

constexpr qint64 kKiB = 1024;
constexpr qint64 kMiB = 1024 * kKiB;
constexpr qint64 kGiB = 1024 * kMiB;
// No translator is loaded, so every text shows the ids it is built from.
const QString kSpeed = QStringLiteral("label_download_speed");
const QString kTime = QStringLiteral("label_task_need_time");

// The texts under the bar and a clock that moves only when told.
struct Rig
{
    QDateTime now = QDateTime::fromSecsSinceEpoch(1700000000, Qt::UTC);
    qint64 bytes = kMiB;
    ProgressTexts texts;

    Rig()
    {
        texts.setClock([this] { return now; });
        texts.resetRun();
    }

    void advanceMs(qint64 ms) { now = now.addMSecs(ms); }

    // A resumed download at a steady rate, one signal per second after the
    // signal that sets the baseline; ends with left bytes still to come.
    void download(double kibPerSec, int seconds, qint64 left)
    {
        const qint64 step = qint64(kibPerSec * kKiB);
        const qint64 total = bytes + seconds * step + left;
        texts.onDownloadProgress(bytes, total);
        for (int i = 0; i < seconds; ++i) {
            advanceMs(1000);
            texts.onDownloadProgress(bytes += step, total);
        }
    }
};

} // namespace

class tst_ProgressTexts : public QObject
{
    Q_OBJECT

private slots:
    void percentText_data()
    {
        QTest::addColumn<qint64>("done");
        QTest::addColumn<qint64>("total");
        QTest::addColumn<QString>("expected");
        QTest::newRow("percent truncated, sizes rounded")
            << 3 * kGiB * 999 / 1000 << 3 * kGiB << " 99% (3.00G/3.00G)";
        QTest::newRow("size not known yet") << qint64(0) << qint64(0) << " 0% (0.00G/0.00G)";
    }

    void percentText()
    {
        QFETCH(qint64, done);
        QFETCH(qint64, total);
        Rig rig;
        rig.texts.onDownloadProgress(done, total);
        QTEST(rig.texts.downloadPercentage()
                  .remove("label_downloading_percent")
                  .replace("label_unit_gb", "G"),
            "expected");
    }

    // Eleven seconds at one rate leave nothing but that rate in the average.
    void speedAndTimeLeft_data()
    {
        QTest::addColumn<double>("kibPerSec");
        QTest::addColumn<qint64>("left");
        QTest::addColumn<QString>("shown"); // speed and time left
        QTest::newRow("500 KiB/s as MB/s, 1 h")
            << 500.0 << 500 * kKiB * 3600 << " 0.49_mbs 01:00:00";
        QTest::newRow("under 0.9 KiB/s as KB/s") << 0.5 << 512 * qint64(59) << " 0.50_kbs 00:00:59";
        QTest::newRow("stalled") << 0.0 << kMiB << " 0.00_kbs 00:00:00";
        QTest::newRow("nothing left") << 1024.0 << qint64(0) << "0_kbs 00:00:00";
    }

    void speedAndTimeLeft()
    {
        QFETCH(double, kibPerSec);
        QFETCH(qint64, left);
        Rig rig;
        rig.download(kibPerSec, 11, left);
        QTEST(
            rig.texts.downloadSpeed().remove(kSpeed) + ' ' + rig.texts.taskNeedTime().remove(kTime),
            "shown");
    }

    // "<steps> = <fractions shown>"; steps: dN and sN are download and
    // extraction counts of 1000, "run" starts a stage of the flow, "done" is
    // the finished download.
    void barNeverMovesBack_data()
    {
        QTest::addColumn<QString>("run");
        QTest::newRow("a smaller fraction is ignored") << "d500 d400 d600 = 0.5 0.6";
        QTest::newRow("more than the total") << "d1200 = 1";
        QTest::newRow("a new run starts low") << "d600 run d300 = 0.6 0.3";
        QTest::newRow("finished shows full") << "d300 done = 0.3 1";
        QTest::newRow("extraction after download") << "d500 done s200 s100 = 0.5 1 0.2";
    }

    void barNeverMovesBack()
    {
        QFETCH(QString, run);
        Rig rig;
        QStringList shown;
        connect(&rig.texts, &ProgressTexts::progressChanged,
            [&](float p) { shown << QString::number(p); });
        for (const QString &step : run.section(" = ", 0, 0).split(' ')) {
            if (step == "run")
                rig.texts.resetRun();
            else if (step == "done")
                rig.texts.finishDownload();
            else if (step.startsWith('d'))
                rig.texts.onDownloadProgress(step.mid(1).toLongLong(), 1000);
            else
                rig.texts.onSetupProgress(step.mid(1).toLongLong(), 1000);
        }
        QCOMPARE(shown.join(' '), run.section(" = ", 1));
    }
};

TESSARIL_TEST_MAIN(tst_ProgressTexts)
#include "tst_progresstexts.moc"
