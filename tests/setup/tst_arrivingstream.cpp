#include "setup/arrivingstream.h"

#include "tests/support/testdata.h"

#include <QtTest>

class tst_ArrivingStream : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(writeFile(m_dir.filePath(QStringLiteral("source/f")), "content"));
        QVERIFY(pack(m_dir.filePath(QStringLiteral("source")),
            m_dir.filePath(QStringLiteral("package.7z"))));
        m_package = readFile(m_dir.filePath(QStringLiteral("package.7z")));
    }

    // The start header is read from the network before anything checks the
    // package: only a sound one may steer where the download goes.
    void findsTheHeaderOnlyFromASoundStart_data()
    {
        QTest::addColumn<int>("flipped");
        QTest::addColumn<qint64>("sizeChange");
        QTest::addColumn<bool>("found");
        QTest::newRow("sound") << -1 << qint64(0) << true;
        QTest::newRow("not 7z") << 0 << qint64(0) << false;
        QTest::newRow("offset not under its checksum") << 13 << qint64(0) << false;
        QTest::newRow("header beyond the package") << -1 << qint64(-1) << false;
        QTest::newRow("cut short") << 31 << qint64(0) << false;
    }

    void findsTheHeaderOnlyFromASoundStart()
    {
        QFETCH(int, flipped);
        QFETCH(qint64, sizeChange);
        QFETCH(bool, found);
        QByteArray start = m_package.left(CInArrivingStream::kStartHeaderSize);
        if (flipped == 31)
            start.chop(1);
        else if (flipped >= 0)
            start[flipped] = char(start.at(flipped) ^ 1);
        const qint64 offset
            = CInArrivingStream::sevenZipHeaderOffset(start, m_package.size() + sizeChange);
        QCOMPARE(offset, found ? 32 + qFromLittleEndian<qint64>(m_package.constData() + 12) : -1);
    }

private:
    QTemporaryDir m_dir;
    QByteArray m_package;
};

QTEST_GUILESS_MAIN(tst_ArrivingStream)
#include "tst_arrivingstream.moc"
