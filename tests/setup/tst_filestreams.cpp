#include "setup/filehelpers.h"
#include "setup/filestreams.h"
#include "tests/support/testdata.h"

#include <QtTest>

#include <sys/stat.h>

using namespace engine;

class tst_FileStreams : public QObject
{
    Q_OBJECT

private slots:
    // Modes given to files depend on the umask; the expected ones are those
    // under the usual 022, whatever the caller's is.
    void initTestCase() { ::umask(022); }

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

        FILETIME time;
        const quint64 ticks = (quint64(1700000000) + kFiletimeUnixOffsetSeconds) * 10000000ull;
        time.dwLowDateTime = quint32(ticks);
        time.dwHighDateTime = quint32(ticks >> 32);
        QCOMPARE(out->SetMTime(time), kOk);
        QCOMPARE(out->Close(), kOk);
        out->Release();
        QFileInfo info(dir.filePath(QStringLiteral("f")));
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

    void helpers()
    {
        QTemporaryDir dir;
        const QString deep = dir.filePath(QStringLiteral("a/b/c"));
        QVERIFY(filehelpers::createFolderWithParents(deep));
        QVERIFY(filehelpers::createFolderWithParents(deep + QLatin1Char('/')));
        QFile file(dir.filePath(QStringLiteral("a/f")));
        QVERIFY(writeFile(file.fileName(), QByteArray()));
        QVERIFY(!filehelpers::createFolderWithParents(file.fileName()));

        // 0640 from the mode half: not the mode the file was created with.
        QVERIFY(filehelpers::setAttributes(file.fileName(), 0x81A08020));
        struct stat info;
        QCOMPARE(::stat(QFile::encodeName(file.fileName()).constData(), &info), 0);
        QCOMPARE(info.st_mode & 07777, mode_t(0640));
        // A read-only attribute would lock the owner out of the next update.
        QVERIFY(filehelpers::setAttributes(file.fileName(), 0x21));
        QCOMPARE(::stat(QFile::encodeName(file.fileName()).constData(), &info), 0);
        QCOMPARE(info.st_mode & 07777, mode_t(0640));

        QVERIFY(filehelpers::lookUp(file.fileName()));
        QVERIFY(filehelpers::deleteFileAlways(file.fileName()));
        QVERIFY(!filehelpers::lookUp(file.fileName()));
        QVERIFY(!filehelpers::deleteFileAlways(deep));
    }
};

QTEST_APPLESS_MAIN(tst_FileStreams)
#include "tst_filestreams.moc"
