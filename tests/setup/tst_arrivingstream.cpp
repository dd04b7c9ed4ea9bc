#include "setup/arrivingstream.h"

#include "setup/archivecallbacks.h"
#include "setup/archiveengine.h"
#include "setup/arrivedranges.h"
#include "setup/extractionreporter.h"
#include "tests/support/testdata.h"

#include <QtTest>

#include <algorithm>
#include <atomic>
#include <random>

using namespace engine;

namespace {

constexpr qint64 kChunk = 32 << 10;

struct Reporter final : ExtractionReporter
{
    void reportProgress(qint64, qint64) override { }
    void reportFileWritten(const QString &) override { }
    void reportError(ErrorDefine::ErrorCode, const QString &) override { }
    bool stopRequested() const override { return false; }
};

// Opens and extracts the archive the stream reads, as the installer does.
HRESULT extract(ArchiveEngine &engine, CInArrivingStream *input, const QString &partial,
    const QString &output, Reporter &reporter)
{
    IInArchive *archive = nullptr;
    if (engine.createObject(CLSID_Format7z, IID_IInArchive, reinterpret_cast<void **>(&archive))
        != kOk)
        return kFail;
    auto *opening = new CArchiveOpenCallback;
    opening->AddRef();
    const UInt64 maxCheckStart = 1 << 23;
    HRESULT result = archive->Open(input, &maxCheckStart, opening);
    if (result == kOk) {
        auto *extracting = new CArchiveExtractCallback(archive, partial, output, engine, reporter);
        extracting->AddRef();
        result = archive->Extract(nullptr, 0xFFFFFFFF, 0, extracting);
        extracting->finish();
        extracting->Release();
    }
    archive->Close();
    archive->Release();
    opening->Release();
    return result;
}

} // namespace

class tst_ArrivingStream : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_engine.load());
        // Text and bytes that do not compress, in solid blocks of 1 MiB so
        // that several blocks are decoded.
        std::mt19937 random(7);
        for (int i = 0; i < 24; ++i) {
            QByteArray content(i * 9000 + 1, Qt::Uninitialized);
            for (char &byte : content)
                byte = i % 2 ? char('a' + random() % 4) : char(random());
            QVERIFY(writeFile(
                m_dir.filePath(QStringLiteral("source/d%1/f%2").arg(i % 3).arg(i)), content));
        }
        QVERIFY(pack(m_dir.filePath(QStringLiteral("source")),
            m_dir.filePath(QStringLiteral("package.7z")),
            { QStringLiteral("-mx=1"), QStringLiteral("-ms=1m") }));
        m_package = readFile(m_dir.filePath(QStringLiteral("package.7z")));
    }

    // The package is written into place chunk by chunk in the order given
    // while the engine extracts from it: the tree comes out whole. With
    // stopAt >= 0 the download stops there and stop() must end the wait.
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

    void extractsWhileArriving_data()
    {
        QTest::addColumn<QString>("order");
        QTest::addColumn<int>("stopAt");
        QTest::newRow("in order") << "forward" << -1;
        QTest::newRow("shuffled") << "shuffled" << -1;
        QTest::newRow("tail first") << "tail" << -1;
        QTest::newRow("stopped half-way") << "forward" << 4;
    }

    void extractsWhileArriving()
    {
        QFETCH(QString, order);
        QFETCH(int, stopAt);
        QVector<qint64> chunks;
        for (qint64 offset = 0; offset < m_package.size(); offset += kChunk)
            chunks << offset;
        if (order == QLatin1String("shuffled"))
            std::shuffle(chunks.begin(), chunks.end(), std::mt19937(11));
        else if (order == QLatin1String("tail"))
            std::rotate(chunks.begin(), chunks.end() - 1, chunks.end());
        if (stopAt >= 0)
            chunks.resize(stopAt);

        QTemporaryDir work;
        const QString partial = work.filePath(QStringLiteral("package.7z"));
        QFile writer(partial);
        QVERIFY(writer.open(QIODevice::WriteOnly));
        auto ranges = QSharedPointer<ArrivedRanges>::create();
        std::atomic<qint64> waitingAt { -1 };
        connect(
            ranges.data(), &ArrivedRanges::readerWaiting, ranges.data(),
            [&](qint64 offset) { waitingAt = offset; }, Qt::DirectConnection);
        auto *input = new CInArrivingStream(ranges, UInt64(m_package.size()));
        input->AddRef();
        QVERIFY(input->open(partial));

        Reporter reporter;
        std::atomic<HRESULT> result { kFalse };
        QScopedPointer<QThread> extraction(QThread::create([&] {
            result
                = extract(m_engine, input, partial, work.filePath(QStringLiteral("out")), reporter);
        }));
        extraction->start();
        const auto cleanUp = qScopeGuard([&] {
            ranges->stop();
            extraction->wait();
        });
        for (int i = 0; i < chunks.size(); ++i) {
            // The second half only once the reader had to wait for a byte.
            if (i == chunks.size() / 2)
                QTRY_VERIFY(waitingAt.load() >= 0);
            const qint64 offset = chunks.at(i);
            const QByteArray chunk = m_package.mid(int(offset), int(kChunk));
            QVERIFY(writer.seek(offset) && writer.write(chunk) == chunk.size() && writer.flush());
            ranges->add(offset, chunk.size());
        }
        if (stopAt >= 0) {
            QTRY_VERIFY(waitingAt.load() >= stopAt * kChunk);
            ranges->stop();
        }
        QVERIFY(extraction->wait(20000));
        QCOMPARE(input->stopped(), stopAt >= 0);
        input->Release();
        QCOMPARE(result.load(), stopAt >= 0 ? kAbort : kOk);
        QCOMPARE(ranges->waitFor(0, 1), stopAt < 0); // a stop holds for later reads too
        QCOMPARE(treeListing(work.filePath(QStringLiteral("out")))
                == treeListing(m_dir.filePath(QStringLiteral("source"))),
            stopAt < 0);
    }

private:
    ArchiveEngine m_engine;
    QTemporaryDir m_dir;
    QByteArray m_package;
};

QTEST_GUILESS_MAIN(tst_ArrivingStream)
#include "tst_arrivingstream.moc"
