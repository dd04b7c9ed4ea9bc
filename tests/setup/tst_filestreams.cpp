#include "setup/filestreams.h"
#include "tests/support/testdata.h"

#include <QtTest>

using namespace engine;

class tst_FileStreams : public QObject
{
    Q_OBJECT

private slots:
    void outputStreamKeepsPositionOnSetSize()
    {
        QTemporaryDir dir;
        auto *out = new COutFileStream;
        out->AddRef();
        QVERIFY(out->create(dir.filePath(QStringLiteral("f"))));
        UInt32 written = 0;
        QCOMPARE(out->Write("abcdef", 6, &written), kOk);
        QCOMPARE(written, 6u);
        UInt64 position = 0;
        QCOMPARE(out->Seek(2, 0, &position), kOk);
        QCOMPARE(out->SetSize(100), kOk);
        QCOMPARE(out->Seek(0, 1, &position), kOk);
        QCOMPARE(position, 2u);
        QCOMPARE(out->Seek(0, 7, &position), kInvalidFunction);

        const quint64 ticks = (quint64(1700000000) + kFiletimeUnixOffsetSeconds) * 10000000ull;
        QCOMPARE(out->SetMTime(FILETIME { quint32(ticks), quint32(ticks >> 32) }), kOk);
        QCOMPARE(out->Close(), kOk);
        out->Release();
        const QFileInfo info(dir.filePath(QStringLiteral("f")));
        QCOMPARE(info.size(), 100);
        QCOMPARE(info.lastModified().toSecsSinceEpoch(), 1700000000);
    }

    void inputStreamAnswersItsInterfaces()
    {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath(QStringLiteral("in")), "0123456789"));
        auto *in = new CInFileStream;
        in->AddRef();
        QVERIFY(in->open(dir.filePath(QStringLiteral("in"))));
        void *asked = nullptr;
        QCOMPARE(in->QueryInterface(IID_IStreamGetSize, &asked), kOk);
        UInt64 size = 0;
        QCOMPARE(static_cast<IStreamGetSize *>(asked)->GetSize(&size), kOk);
        QCOMPARE(size, 10u);
        static_cast<IStreamGetSize *>(asked)->Release();
        QCOMPARE(in->QueryInterface(interfaceId(0x03, 0x0a), &asked), kNoInterface);
        QVERIFY(!asked);
        char buffer[4];
        UInt32 got = 0;
        QCOMPARE(in->Seek(-4, 2, nullptr), kOk);
        QCOMPARE(in->Read(buffer, 4, &got), kOk);
        QCOMPARE(QByteArray(buffer, int(got)), QByteArray("6789"));
        in->Release();
        QVERIFY(!(new CInFileStream)
                     ->open(dir.filePath(QStringLiteral("missing")))); // leaks one object
    }
};

QTEST_APPLESS_MAIN(tst_FileStreams)
#include "tst_filestreams.moc"
