#include "download/bandwidthlimit.h"

#include <QtTest>

// The limit over a short transfer on a clock the test moves.
class tst_BandwidthLimit : public QObject
{
    Q_OBJECT

private slots:
    void holdsTheRate_data()
    {
        QTest::addColumn<qint64>("rate");
        QTest::addColumn<qint64>("block");
        QTest::newRow("20 MB/s, large blocks") << qint64(20000000) << qint64(1 << 20);
    }

    void holdsTheRate()
    {
        QFETCH(qint64, rate);
        QFETCH(qint64, block);
        qint64 now = 0;
        BandwidthLimit limit([&now] { return now; });
        limit.setBytesPerSecond(rate);
        qint64 taken = 0;
        while (now < 3000) {
            const qint64 got = limit.take(block);
            taken += got;
            if (got == 0)
                now += limit.msUntilAvailable(block);
        }
        // Within one burst (a tenth of a second of the rate) of three seconds' worth.
        QVERIFY2(qAbs(taken - 3 * rate) <= rate / 10 + block, qPrintable(QString::number(taken)));

        limit.setBytesPerSecond(0);
        QCOMPARE(limit.take(block), block);
    }
};

QTEST_APPLESS_MAIN(tst_BandwidthLimit)
#include "tst_bandwidthlimit.moc"
