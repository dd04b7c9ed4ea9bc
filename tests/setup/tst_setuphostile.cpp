#include "setup/filehelpers.h"
#include "setup/setupmanager.h"
#include "tests/support/testdata.h"
#include "tests/support/testenvironment.h"
#include "tests/support/zipwriter.h"

#include <QtTest>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Run
{
    QList<ErrorCode> codes;
    QStringList messages;
    QStringList order;
    QList<uint> folderModes; // of each item's folder as the item starts
};

// Zip items carry Windows attributes only when the archive was made on
// Windows: the first item is given those, and no mode.
bool markFirstMadeOnWindows(const QString &zip, quint32 attributes)
{
    QFile archive(zip);
    if (!archive.open(QIODevice::ReadWrite))
        return false;
    const int central = archive.readAll().indexOf("PK\x01\x02");
    const quint8 bytes[] = { quint8(attributes), quint8(attributes >> 8), 0, 0 };
    return central > 0 && archive.seek(central + 5) && archive.putChar(0) // made by FAT
        && archive.seek(central + 38)
        && archive.write(reinterpret_cast<const char *>(bytes), 4) == 4;
}

// Gives the disk-space message its placeholders, as the shipped translations do.
class SizesTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *, const char *source, const char *, int) const override
    {
        return qstrcmp(source, "message_setup_disk_space_error") == 0
            ? QStringLiteral("need %1, free %2")
            : QString();
    }
};

} // namespace

class tst_SetupHostile : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_work;
    QString m_dest;
    bool m_mounted = false;

    QString dest(const QString &name) const { return m_dest + QLatin1Char('/') + name; }

    // Signals are taken on the worker thread, so the probe sees the disk as
    // the item starts; everything is read after the thread has ended. Without
    // a name, a package of one small file is installed.
    Run install(QString zipName = {})
    {
        Run run;
        if (zipName.isEmpty()) {
            zipName = QStringLiteral("tiny.zip");
            ZipWriter zip;
            zip.addFile("new.txt", "new");
            zip.save(dest(zipName));
        }
        setupmanager manager;
        connect(&manager, &setupmanager::setupError, [&run](ErrorCode code, const QString &msg) {
            run.codes << code;
            run.messages << msg;
        });
        connect(&manager, &setupmanager::setupUnzipFilePath, [&run, this](const QString &item) {
            run.folderModes << fileMode(QFileInfo(dest(item)).path());
        });
        connect(&manager, &setupmanager::setupFinished, [&run] { run.order << "finished"; });
        connect(&manager, &setupmanager::globalMetaDataDismiss, [&run] { run.order << "dismiss"; });
        connect(&manager, &setupmanager::globalMetaDataError, [&run] { run.order << "metaerror"; });
        manager.setZipFilePath(m_dest);
        manager.setZipFileName(zipName);
        manager.start();
        if (!manager.wait(20000)) {
            // A worker stuck on a FIFO is let go, so the test fails instead of hanging.
            const int fd
                = ::open(QFile::encodeName(dest("deletefiles.txt")), O_WRONLY | O_NONBLOCK);
            ::close(fd);
            manager.wait();
            run.order << "hung";
        }
        return run;
    }

private slots:
    void init()
    {
        ::umask(022);
        m_work = std::make_unique<QTemporaryDir>();
        m_dest = m_work->filePath(QStringLiteral("dest"));
        QDir().mkpath(m_dest);
    }

    void cleanup()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_dest).constData(), MNT_DETACH);
        m_mounted = false;
    }

    void folderModesComeAfterTheirFiles_data()
    {
        QTest::addColumn<QByteArray>("folder");
        QTest::addColumn<quint32>("stored"); // 0: no folder item; below 0x100: Windows attributes
        QTest::addColumn<int>("before"); // mode of a folder already there, or -1
        QTest::addColumn<int>("after");
        // The owner is never locked out of its own game.
        QTest::newRow("0555") << QByteArray("ro/") << 040555u << -1 << 0755;
        QTest::newRow("0000") << QByteArray("locked/") << 040000u << -1 << 0700;
        QTest::newRow("Windows read-only") << QByteArray("win/") << 0x11u << -1 << 0755;
        QTest::newRow("left read-only") << QByteArray("old/") << 0u << 0555 << 0555;
        QTest::newRow("install folder 0777") << QByteArray("./") << 040777u << 0750 << 0750;
        QTest::newRow("install folder 0555") << QByteArray("./") << 040555u << 0750 << 0750;
    }

    void folderModesComeAfterTheirFiles()
    {
        QFETCH(QByteArray, folder);
        QFETCH(quint32, stored);
        QFETCH(int, before);
        QFETCH(int, after);
        const QString path = QDir::cleanPath(dest(QString::fromLatin1(folder)));
        if (before >= 0)
            QVERIFY(QDir().mkpath(path) && ::chmod(QFile::encodeName(path), mode_t(before)) == 0);
        ZipWriter zip;
        if (stored)
            zip.addFile(folder, {}, stored);
        zip.addFile(folder + "f.txt", "in");
        QVERIFY(zip.save(dest("p.zip")));
        if (stored && stored < 0x100)
            QVERIFY(markFirstMadeOnWindows(dest("p.zip"), stored));

        const Run run = install(QStringLiteral("p.zip"));
        QVERIFY2(run.codes.isEmpty(), qPrintable(run.messages.value(0)));
        QCOMPARE(run.folderModes.last() & 0700, 0700u); // while f.txt was written
        QCOMPARE(fileMode(path), uint(after));
        ::chmod(QFile::encodeName(path), 0700);
        QCOMPARE(readFile(path + QStringLiteral("/f.txt")), QByteArray("in"));
    }

    void modesFollowTheUmask_data()
    {
        QTest::addColumn<int>("umask");
        QTest::addColumn<QByteArray>("item");
        QTest::addColumn<quint32>("stored"); // below 0x100: Windows attributes
        QTest::addColumn<QString>("checked");
        QTest::addColumn<int>("expected");
        QTest::newRow("0666 file, umask 0") << 0 << QByteArray("f") << 0100666u << "f" << 0644;
        QTest::newRow("0000 file, umask 022") << 022 << QByteArray("f") << 0100000u << "f" << 0600;
        QTest::newRow("set-uid 0777 file, umask 0")
            << 0 << QByteArray("f") << 0106777u << "f" << 0755;
        QTest::newRow("0755 file, umask 077") << 077 << QByteArray("f") << 0100755u << "f" << 0700;
        QTest::newRow("0777 folder, umask 0") << 0 << QByteArray("d/") << 040777u << "d" << 0755;
        QTest::newRow("set-gid 0775 folder, umask 027")
            << 027 << QByteArray("d/") << 042775u << "d" << 0750;
        QTest::newRow("no stored mode, umask 0")
            << 0 << QByteArray("d/f") << 0x20u << "d/f" << 0644;
        QTest::newRow("folder without an item, umask 0")
            << 0 << QByteArray("d/f") << 0x20u << "d" << 0755;
    }

    void modesFollowTheUmask()
    {
        QFETCH(int, umask);
        QFETCH(QByteArray, item);
        QFETCH(quint32, stored);
        QFETCH(QString, checked);
        QFETCH(int, expected);
        ZipWriter zip;
        zip.addFile(item, {}, stored);
        QVERIFY(zip.save(dest("m.zip")));
        if (stored && stored < 0x100)
            QVERIFY(markFirstMadeOnWindows(dest("m.zip"), stored));
        ::umask(mode_t(umask));
        const Run run = install(QStringLiteral("m.zip"));
        QVERIFY(run.codes.isEmpty());
        QCOMPARE(fileMode(dest(checked)), uint(expected));
    }

    void fullVolume_data()
    {
        QTest::addColumn<int>("files");
        QTest::addColumn<int>("fileSize");
        QTest::newRow("expands beyond the free space") << 1 << (600 << 10);
        // tmpfs gives each file a page of its own: the sizes fit, the files do not.
        QTest::newRow("fills up while writing") << 400 << 100;
    }

    void fullVolume()
    {
        QFETCH(int, files);
        QFETCH(int, fileSize);
        if (::geteuid() != 0)
            QSKIP("a small volume needs a tmpfs mount, which needs root");
        if (::mount("tmpfs", QFile::encodeName(m_dest).constData(), "tmpfs", 0, "size=1m") != 0)
            QSKIP("tmpfs cannot be mounted here");
        m_mounted = true;
        ZipWriter zip;
        for (int i = 0; i < files; ++i)
            zip.addFile("f" + QByteArray::number(i), QByteArray(fileSize, 'x'));
        QVERIFY(zip.save(dest("big.zip")));
        const qint64 freeBefore = QStorageInfo(m_dest).bytesAvailable();
        SizesTranslator sizes;
        QCoreApplication::installTranslator(&sizes);
        const Run run = install(QStringLiteral("big.zip"));
        QCoreApplication::removeTranslator(&sizes);

        QVERIFY(QFile::exists(dest("big.zip")));
        const QFileInfoList written = QDir(m_dest).entryInfoList({ "f*" }, QDir::Files);
        if (files == 1) {
            QCOMPARE(run.codes, QList<ErrorCode>({ ErrorDefine::SETUP_DISK_SPACE_ERROR }));
            QCOMPARE(run.messages.first(),
                QStringLiteral("need %1, free %2")
                    .arg(QLocale().formattedDataSize(fileSize),
                        QLocale().formattedDataSize(freeBefore)));
            QVERIFY(written.isEmpty());
        } else {
            QCOMPARE(run.codes.value(0), ErrorDefine::SETUP_ZIP_UNZIP_ERROR);
            QVERIFY(!written.isEmpty() && written.size() < files);
            for (const QFileInfo &file : written)
                QVERIFY2(file.size() == fileSize, qPrintable(file.fileName())); // no partial file
        }
    }

    // A refused item stops the install, and leaves neither a change to the
    // archive nor the folders made for it.
    void refusedItems_data()
    {
        QTest::addColumn<QByteArray>("item");
        QTest::newRow("plain") << QByteArray("game.zip");
        QTest::newRow("dot") << QByteArray("./game.zip");
        QTest::newRow("through a link to the folder") << QByteArray("self/game.zip");
        QTest::newRow("name too long, below new folders") << "deep/er/" + QByteArray(300, 'x');
    }

    void refusedItems()
    {
        QFETCH(QByteArray, item);
        QVERIFY(QFile::link(m_dest, dest("self")));
        ZipWriter zip;
        zip.addFile("fine.txt", "fine");
        zip.addFile(item, "not the archive");
        QVERIFY(zip.save(dest("game.zip")));
        const QByteArray archive = readFile(dest("game.zip"));
        const Run run = install(QStringLiteral("game.zip"));
        QCOMPARE(run.codes,
            QList<ErrorCode>({ ErrorDefine::SETUP_ZIP_UNABLE_OPEN_OUTPUT_ERROR,
                ErrorDefine::SETUP_ZIP_UNZIP_ERROR }));
        QCOMPARE(readFile(dest("game.zip")), archive);
        QVERIFY(!QFileInfo::exists(dest("deep")));
    }

    void deleteListLines_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<QStringList>("gone");
        QTest::addColumn<int>("longLines");
        QTest::newRow("leading separators start at the install folder")
            << QByteArray("/old/a.dll\r\n\\old\\b.dll\n//old/c.dll\n")
            << QStringList { "a", "b", "c" } << 0;
        QTest::newRow("leaving through .. or a link is still skipped")
            << QByteArray("/../victim.txt\n\\link\\victim.txt\n/old/a.dll\n") << QStringList { "a" }
            << 0;
        QTest::newRow("a line of 4096 bytes") << QByteArray(4087, ' ') + "old/a.dll\n"
                                              << QStringList { "a" } << 0;
        QTest::newRow("longer lines are skipped") << QByteArray(4088, ' ') + "old/a.dll\n"
                + QByteArray(3 << 20, ' ') + "old/b.dll\nold/c.dll"
                                                  << QStringList { "c" } << 2;
    }

    void deleteListLines()
    {
        QFETCH(QByteArray, list);
        QFETCH(QStringList, gone);
        QFETCH(int, longLines);
        const QString victim = m_work->filePath(QStringLiteral("victim.txt"));
        QVERIFY(writeFile(victim, "mine"));
        QVERIFY(QFile::link(m_work->path(), dest("link")));
        for (const QString name : { "a", "b", "c" })
            QVERIFY(writeFile(dest("old/" + name + ".dll"), "old"));
        QVERIFY(writeFile(dest("deletefiles.txt"), list));
        for (int i = 0; i < longLines; ++i)
            QTest::ignoreMessage(QtDebugMsg, QRegularExpression("line longer than 4096 bytes"));
        const Run run = install();
        QVERIFY(run.codes.isEmpty());
        for (const QString name : { "a", "b", "c" })
            QCOMPARE(QFile::exists(dest("old/" + name + ".dll")), !gone.contains(name));
        QCOMPARE(readFile(victim), QByteArray("mine"));
    }

    void deleteListThatIsNoPlainFile_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("FIFO") << 0;
        QTest::newRow("link to a list outside") << 1;
        QTest::newRow("folder") << 2;
    }

    // Removed unread, and the update goes on.
    void deleteListThatIsNoPlainFile()
    {
        QFETCH(int, kind);
        const QString list = dest("deletefiles.txt");
        const QString outside = m_work->filePath(QStringLiteral("list.txt"));
        QVERIFY(writeFile(dest("old.dll"), "old") && writeFile(outside, "old.dll\n"));
        QVERIFY(kind == 0   ? ::mkfifo(QFile::encodeName(list), 0644) == 0
                : kind == 1 ? QFile::link(outside, list)
                            : writeFile(list + QStringLiteral("/old.dll"), "x"));
        const Run run = install();
        QVERIFY(run.codes.isEmpty());
        QVERIFY(!filehelpers::lookUp(list) && !QFile::exists(dest("tiny.zip")));
        QVERIFY(QFile::exists(dest("old.dll")) && QFile::exists(outside));
    }

    void metadataRepairStaysInside_data()
    {
        QTest::addColumn<QString>("link"); // moved to the target folder and linked there
        QTest::addColumn<QString>("target");
        QTest::addColumn<QByteArray>("primary"); // null: removed
        QTest::addColumn<QStringList>("order");
        const QStringList refused { "dismiss", "metaerror", "finished" };
        QTest::newRow("data folder outside") << "Quorvela_Data"
                                             << "outside" << QByteArray("") << refused;
        QTest::newRow("fallback outside") << "Quorvela_Data/Native"
                                          << "outside" << QByteArray() << refused;
        QTest::newRow("data folder inside")
            << "Quorvela_Data"
            << "dest/real" << QByteArray("fallback") << QStringList { "dismiss", "finished" };
    }

    void metadataRepairStaysInside()
    {
        QFETCH(QString, link);
        QFETCH(QString, target);
        QFETCH(QByteArray, primary);
        QFETCH(QStringList, order);
        const QString primaryPath = dest("Quorvela_Data/Managed/Metadata/global-metadata.dat");
        QVERIFY(writeFile(primaryPath, {}));
        QVERIFY(
            writeFile(dest("Quorvela_Data/Native/Data/Metadata/global-metadata.dat"), "fallback"));
        const QString moved = m_work->filePath(target);
        QVERIFY(QDir().rename(dest(link), moved) && QFile::link(moved, dest(link)));
        const Run run = install();
        QCOMPARE(run.order, order);
        QCOMPARE(QFileInfo::exists(primaryPath), !primary.isNull());
        QCOMPARE(readFile(primaryPath), primary);
    }
};

TESSARIL_TEST_MAIN(tst_SetupHostile)
#include "tst_setuphostile.moc"
