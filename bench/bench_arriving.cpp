// bench_arriving ARCHIVE FOLDER ORDER [MiB-per-second]
// Extracts a 7z into FOLDER/out through the waiting input stream while a
// writer copies ARCHIVE into FOLDER/partial as a download would, at the given
// rate (0 or none: as fast as the disk takes it). ORDER "forward" writes the
// bytes in order; "tail" writes the start header, then the end header it
// names, then the rest in order; "steer" does as "tail" but sends next the
// piece the reader waits for, as a download with segments could. Prints every stretch of the
// engine's reads (offset, bytes, how long it waited) and when the extraction ended against the last
// byte.
#include "setup/archivecallbacks.h"
#include "setup/archiveengine.h"
#include "setup/arrivedranges.h"
#include "setup/arrivingstream.h"
#include "setup/extractionreporter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <QVector>
#include <QtEndian>

#include <atomic>
#include <cstdio>

using namespace engine;

namespace {

constexpr qint64 kPiece = 256 << 10;

class Reporter final : public ExtractionReporter
{
public:
    void reportProgress(qint64, qint64) override { }
    void reportFileWritten(const QString &) override { }
    void reportError(ErrorDefine::ErrorCode, const QString &message) override
    {
        std::fprintf(stderr, "error: %s\n", qPrintable(message));
    }
    bool stopRequested() const override { return false; }
};

// Logs the engine's reads as runs of consecutive bytes.
class LoggingStream final : public IInStream
{
public:
    LoggingStream(IInStream *inner, QElapsedTimer &clock)
        : m_inner(inner)
        , m_clock(clock)
    {
    }
    void flush()
    {
        if (m_runBytes)
            std::printf("read %12lld +%10lld  at %7.3f s  waited %7.3f s\n", m_runStart, m_runBytes,
                m_runAt / 1e3, m_runWaited / 1e3);
        m_runBytes = 0;
        m_runWaited = 0;
    }
    HRESULT QueryInterface(const GUID &iid, void **out) override
    {
        if (iid == IID_IUnknown || iid == IID_ISequentialInStream || iid == IID_IInStream) {
            *out = this;
            return kOk;
        }
        return m_inner->QueryInterface(iid, out);
    }
    ULONG AddRef() override { return 2; }
    ULONG Release() override { return 1; }
    HRESULT Read(void *data, UInt32 size, UInt32 *processed) override
    {
        const qint64 before = m_clock.elapsed();
        UInt32 got = 0;
        const HRESULT result = m_inner->Read(data, size, &got);
        if (m_runBytes == 0 || m_runStart + m_runBytes != m_position) {
            flush();
            m_runStart = m_position;
            m_runAt = before;
        }
        m_runBytes += got;
        m_runWaited += m_clock.elapsed() - before;
        m_position += got;
        if (processed)
            *processed = got;
        return result;
    }
    HRESULT Seek(Int64 offset, UInt32 origin, UInt64 *newPosition) override
    {
        UInt64 position = 0;
        const HRESULT result = m_inner->Seek(offset, origin, &position);
        m_position = qint64(position);
        if (newPosition)
            *newPosition = position;
        return result;
    }

private:
    IInStream *m_inner;
    QElapsedTimer &m_clock;
    qint64 m_position = 0;
    qint64 m_runStart = 0;
    qint64 m_runBytes = 0;
    qint64 m_runAt = 0;
    qint64 m_runWaited = 0;
};

// The ranges in the order the writer sends them.
QVector<QPair<qint64, qint64>> plan(const QByteArray &archive, bool tailFirst)
{
    QVector<QPair<qint64, qint64>> ranges;
    qint64 from = 0;
    qint64 tailStart = archive.size();
    if (tailFirst && archive.size() >= 32) {
        const qint64 nextOffset = qFromLittleEndian<qint64>(archive.constData() + 12);
        const qint64 nextSize = qFromLittleEndian<qint64>(archive.constData() + 20);
        tailStart = qBound<qint64>(32, 32 + nextOffset, archive.size());
        ranges << qMakePair(qint64(0), qint64(32))
               << qMakePair(tailStart, qMin(nextSize, archive.size() - tailStart));
        from = 32;
    }
    for (qint64 offset = from; offset < tailStart; offset += kPiece)
        ranges << qMakePair(offset, qMin(kPiece, tailStart - offset));
    return ranges;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: bench_arriving ARCHIVE FOLDER forward|tail [MiB/s]\n");
        return 2;
    }
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly))
        return 2;
    const QByteArray archive = source.readAll();
    const QString folder = QString::fromLocal8Bit(argv[2]);
    const bool steer = qstrcmp(argv[3], "steer") == 0;
    const bool tailFirst = steer || qstrcmp(argv[3], "tail") == 0;
    const double rate = argc > 4 ? QByteArray(argv[4]).toDouble() : 0;
    const QString partial = folder + QStringLiteral("/partial.7z");
    QFile writer(partial);
    if (!writer.open(QIODevice::WriteOnly))
        return 2;

    ArchiveEngine engine;
    IInArchive *handler = nullptr;
    if (!engine.load()
        || engine.createObject(CLSID_Format7z, IID_IInArchive, reinterpret_cast<void **>(&handler))
            != kOk)
        return 2;
    auto ranges = QSharedPointer<ArrivedRanges>::create();
    std::atomic<qint64> wanted { -1 };
    if (steer)
        QObject::connect(
            ranges.data(), &ArrivedRanges::readerWaiting, ranges.data(),
            [&](qint64 offset) { wanted = offset; }, Qt::DirectConnection);
    auto *input = new CInArrivingStream(ranges, UInt64(archive.size()));
    input->AddRef();
    input->open(partial);
    QElapsedTimer clock;
    clock.start();
    LoggingStream logging(input, clock);
    std::atomic<qint64> openedAt { -1 };
    std::atomic<qint64> doneAt { -1 };
    std::atomic<HRESULT> result { kFalse };
    Reporter reporter;
    QThread *extraction = QThread::create([&] {
        auto *opening = new CArchiveOpenCallback;
        opening->AddRef();
        const UInt64 maxCheckStart = 1 << 23;
        HRESULT done = handler->Open(&logging, &maxCheckStart, opening);
        openedAt = clock.elapsed();
        if (done == kOk) {
            auto *extracting = new CArchiveExtractCallback(
                handler, partial, folder + QStringLiteral("/out"), engine, reporter);
            extracting->AddRef();
            done = handler->Extract(nullptr, 0xFFFFFFFF, 0, extracting);
            extracting->finish();
            extracting->Release();
        }
        doneAt = clock.elapsed();
        result = done;
        opening->Release();
    });
    extraction->start();
    qint64 sent = 0;
    auto order = plan(archive, tailFirst);
    for (int next = 0; next < order.size(); ++next) {
        auto range = order.at(next);
        const qint64 asked = wanted.exchange(-1);
        if (asked >= 0 && ranges->arrivedFrom(asked) == 0) {
            range = qMakePair(asked, qMin(kPiece, archive.size() - asked));
            --next;
            std::printf("steered to %lld\n", asked);
        } else if (ranges->arrivedFrom(range.first) >= range.second) {
            continue;
        }
        writer.seek(range.first);
        writer.write(archive.constData() + range.first, range.second);
        writer.flush();
        ranges->add(range.first, range.second);
        sent += range.second;
        // The link's pace, as a download at that rate would give it.
        const qint64 due = rate > 0 ? qint64(sent / (rate * 1048.576)) : 0;
        if (due > clock.elapsed())
            QThread::msleep(quint64(due - clock.elapsed()));
    }
    const qint64 lastByteAt = clock.elapsed();
    extraction->wait();
    logging.flush();
    handler->Close();
    handler->Release();
    input->Release();
    delete extraction;
    std::printf("result %s\n", result == kOk ? "ok" : "failed");
    std::printf("opened at %.3f s, last byte at %.3f s, extracted at %.3f s\n", openedAt / 1e3,
        lastByteAt / 1e3, doneAt / 1e3);
    std::printf("ready after last byte s %.3f\n", (doneAt - lastByteAt) / 1e3);
    return result == kOk ? 0 : 1;
}
