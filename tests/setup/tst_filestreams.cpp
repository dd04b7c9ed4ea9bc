#include "setup/filestreams.h"

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
        QCOMPARE(out->Close(), kOk);
        out->Release();
        QCOMPARE(QFileInfo(dir.filePath(QStringLiteral("f"))).size(), 100);
    }

    void inputStreamRefusesAMissingFile()
    {
        QTemporaryDir dir;
        QVERIFY(!(new CInFileStream)
                     ->open(dir.filePath(QStringLiteral("missing")))); // leaks one object
    }
};

QTEST_APPLESS_MAIN(tst_FileStreams)
#include "tst_filestreams.moc"
