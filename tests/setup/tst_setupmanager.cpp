#include "setup/extractjob.h"
#include "setup/filehelpers.h"
#include "setup/setupmanager.h"
#include "tests/support/testdata.h"
#include "tests/support/testenvironment.h"
#include "tests/support/zipwriter.h"

#include <QtTest>

#include <fcntl.h>
#include <functional>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Run
{
    QStringList codes; // names, as they came
    QStringList messages;
    QStringList order; // "finished", "dismiss", "metaerror", "hung" as they came
    QList<uint> folderModes; // of each item's folder as the item starts
    QList<QPair<qlonglong, qlonglong>> progress;
    Job::State state = Job::State::Idle;
    QString code; // the job's
};

// Prepares the folders of one case and gives the archive's name.
using Prepare = std::function<QString()>;

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
        return qstrcmp(source, "message_setup_disk_space_error") == 0 ? "need %1, free %2"
                                                                      : QString();
    }
};

QStringList words(const char *text)
{
    return QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

} // namespace

Q_DECLARE_METATYPE(Prepare)

class tst_SetupManager : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_work;
    bool m_mounted = false;

    QString source() const { return m_work->filePath(QStringLiteral("source")); }
    QString dest() const { return m_work->filePath(QStringLiteral("dest")); }
    QString src(const QString &name) const { return source() + QLatin1Char('/') + name; }
    QString out(const QString &name) const { return dest() + QLatin1Char('/') + name; }

    // An archive of the source folder with one more file; its name, or
    // nothing when packing failed.
    QString packed(const QString &file, const QByteArray &content, const QString &name,
        const QStringList &options = {})
    {
        return writeFile(src(file), content) && pack(source(), out(name), options) ? name
                                                                                   : QString();
    }

    // An archive with a fine item and a hostile one; the links it may go
    // through are in place.
    QString hostileZip(QByteArray item)
    {
        const QString outside = m_work->filePath(QStringLiteral("outside"));
        QDir().mkpath(outside);
        QFile::link(outside, out(QStringLiteral("link")));
        QFile::link(dest(), out(QStringLiteral("self")));
        ZipWriter zip;
        zip.addFile("fine.txt", "fine");
        zip.addFile(item.replace("ABSOLUTE", QFile::encodeName(outside)), "evil");
        return zip.save(out(QStringLiteral("game.zip"))) ? QStringLiteral("game.zip") : QString();
    }

    // Item names are taken on the worker thread, so the probe sees the disk
    // as the item starts, and the run can be held there while the job is
    // aborted; everything is read after the job has ended. Without a name, a
    // package of one small file is installed.
    Run install(QString zipName = {}, const QString &abortAt = {})
    {
        if (zipName.isEmpty()) {
            zipName = QStringLiteral("tiny.zip");
            ZipWriter zip;
            zip.addFile("new.txt", "new");
            zip.save(out(zipName));
        }
        Run run;
        setupmanager manager;
        connect(&manager, &setupmanager::setupError, [&run](ErrorCode code, const QString &msg) {
            run.codes << errorCodeText(code);
            run.messages << msg;
        });
        QSemaphore reached, go;
        connect(&manager, &setupmanager::setupUnzipFilePath, [&, this](const QString &item) {
            run.folderModes << fileMode(QFileInfo(out(item)).path());
            if (item == abortAt) {
                reached.release();
                go.acquire();
            }
        });
        connect(&manager, &setupmanager::setupFinished, [&run] { run.order << "finished"; });
        connect(&manager, &setupmanager::globalMetaDataDismiss, [&run] { run.order << "dismiss"; });
        connect(&manager, &setupmanager::globalMetaDataError, [&run] { run.order << "metaerror"; });
        connect(
            &manager, &setupmanager::setupProgress, this, [&run](qlonglong done, qlonglong total) {
                run.progress.append({ done, total });
            });
        manager.setZipFilePath(dest());
        manager.setZipFileName(zipName);
        ExtractJob job(&manager);
        QSignalSpy finished(&job, &Job::finished);
        job.start();
        if (!abortAt.isEmpty()) {
            if (reached.tryAcquire(1, 60000))
                job.abort();
            go.release();
        }
        if (!finished.wait(60000)) {
            // A worker stuck on a FIFO is let go, so the test fails instead of hanging.
            ::close(::open(QFile::encodeName(out("deletefiles.txt")), O_WRONLY | O_NONBLOCK));
            finished.wait();
            run.order << "hung";
        }
        QCoreApplication::sendPostedEvents(this);
        run.state = job.state();
        run.code = errorCodeText(job.errorCode());
        return run;
    }

private slots:
    void init()
    {
        // The modes an extraction gives depend on the umask; the expected ones
        // are those under the usual 022, whatever the caller's is.
        ::umask(022);
        m_work = std::make_unique<QTemporaryDir>();
        QDir().mkpath(source());
        QDir().mkpath(dest());
        qunsetenv("TESSARIL_ARCHIVE_ENGINE");
    }

    void cleanup()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(dest()).constData(), MNT_DETACH);
        m_mounted = false;
    }

    void installsSevenZipAndZip_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("options");
        QTest::newRow("7z") << "game_2.1.0.7z" << QStringList { QStringLiteral("-t7z") };
        QTest::newRow("ZIP in capitals") << "GAME.ZIP" << QStringList { QStringLiteral("-tzip") };
    }

    void installsSevenZipAndZip()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, options);
        const QString exe = src(QStringLiteral("Quorvela.exe"));
        QVERIFY(writeFile(exe, "#!/bin/sh\necho game\n", true));
        QVERIFY(writeFile(src("Quorvela_Data/Managed/Metadata/global-metadata.dat"), "meta"));
        QVERIFY(writeFile(src("Quorvela_Data/big.bin"), QByteArray(300000, 'q')));
        QVERIFY(writeFile(src("docs/read me.txt"), "hello"));
        const QDateTime stamp(QDate(2023, 5, 17), QTime(8, 9, 10), Qt::UTC);
        QFile exeFile(exe);
        QVERIFY(exeFile.open(QIODevice::ReadWrite)
            && exeFile.setFileTime(stamp, QFileDevice::FileModificationTime));
        QVERIFY(pack(source(), out(name), options));
        // An older read-only copy in the way is replaced.
        QVERIFY(writeFile(out("docs/read me.txt"), "old"));
        QVERIFY(QFile::setPermissions(out("docs/read me.txt"), QFile::ReadOwner));

        Run run = install(name);
        QCOMPARE(run.codes + run.order, QStringList { QStringLiteral("finished") });
        // Contents and modes as packed, and the archive gone.
        QCOMPARE(treeListing(dest()), treeListing(source()));
        QCOMPARE(QFileInfo(out("Quorvela.exe")).lastModified().toUTC(), stamp);
        // Progress ends at the whole.
        QVERIFY(!run.progress.isEmpty() && run.progress.last().second >= 300000);
        QCOMPARE(run.progress.last().first, run.progress.last().second);
    }

    // Neither quit() nor exit() reaches a run without an event loop: only the
    // job's abort stops it, at once, also inside a large item, and the run
    // reports no error, writes no further item and keeps the archive.
    void abortStopsMidExtraction()
    {
        QVERIFY(writeFile(src("b.bin"), QByteArray(48 << 20, 'b')));
        QVERIFY(writeFile(src("c.bin"), "last"));
        QVERIFY(pack(source(), out("game.7z")));
        const Run run = install(QStringLiteral("game.7z"), QStringLiteral("b.bin"));
        QCOMPARE(run.state, Job::State::Aborted);
        QVERIFY(run.codes.isEmpty() && QFileInfo(out("b.bin")).size() < (48 << 20));
        QVERIFY(!QFile::exists(out("c.bin")) && QFile::exists(out("game.7z")));
    }

    // Each case runs on an object of its own: its errors, item errors of the
    // extraction included, must not reach the game's object. A refused item
    // stops the install, and leaves nothing changed but the items before it:
    // not the archive, not the folders made for it, nothing outside.
    void failures_data()
    {
        QTest::addColumn<Prepare>("prepare");
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<QString>("message"); // a pattern; DEST stands for the destination
        auto row = [](const char *name, Prepare prepare, const char *codes, const char *message) {
            QTest::newRow(name) << prepare << words(codes) << QString::fromLatin1(message);
        };
        row(
            "neither zip nor 7z", [this] { return packed("a.txt", "a", "game.tar", { "-ttar" }); },
            "SETUP_ZIP_FORMAT_ERROR", "tar message_setup_zip_format_error");
        row(
            "archive gone", [] { return QStringLiteral("gone.7z"); },
            "SETUP_ZIP_ARCHIVE_FILE_ERROR", "DEST/gone\\.7z message_setup_zip_archive_file_error");
        row(
            "encrypted data", [this] { return packed("s.txt", "s", "game.7z", { "-pletmein" }); },
            "SETUP_ZIP_PASSWORD_ERROR SETUP_ZIP_UNZIP_ERROR", "message_setup_zip_password_error");
        row(
            "encrypted names",
            [this] {
                return packed("s.txt", "s", "game.7z", { "-pletmein", "-mhe=on" });
            },
            "SETUP_ZIP_UNABLE_OPEN_FILE_ERROR", "message_setup_zip_unable_open_file_error");
        row(
            "no archive engine",
            [this] {
                qputenv("TESSARIL_ARCHIVE_ENGINE", QFile::encodeName(m_work->filePath("no/7z.so")));
                return packed("a.txt", "a", "game.7z");
            },
            "SETUP_DLL_ERROR", "message_setup_dll_error");
        // The message names the item as the archive gives it.
        auto hostile
            = [this, row](const char *name, const QByteArray &item, const char *message = nullptr) {
                  row(
                      name, [this, item] { return hostileZip(item); },
                      "SETUP_ZIP_UNABLE_OPEN_OUTPUT_ERROR SETUP_ZIP_UNZIP_ERROR",
                      message ? message : qPrintable(QRegularExpression::escape(item)));
              };
        hostile("climbs out with backslashes", "sub\\..\\..\\escaped.txt");
        hostile("absolute", "ABSOLUTE/escaped.txt", "/.*/outside/escaped\\.txt");
        hostile("drive", "C:/escaped.txt");
        hostile("through a link outside", "link/escaped.txt");
        hostile("the archive through a link to the folder", "self/game.zip");
        hostile("name too long, below new folders", "deep/er/" + QByteArray(300, 'x'),
            "DEST/deep/er/x{300}");
    }

    void failures()
    {
        QFETCH(Prepare, prepare);
        QFETCH(QStringList, codes);
        QFETCH(QString, message);
        const QString archive = prepare();
        QVERIFY(!archive.isEmpty());
        const QStringList before = treeListing(m_work->path(), { "source" });
        QSignalSpy gameErrors(setupmanager::instance(), &setupmanager::setupError);
        Run run = install(archive);
        QCOMPARE(run.codes, codes);
        QCOMPARE(run.state, Job::State::Failed);
        QCOMPARE(run.code, codes.first());
        message.replace(QStringLiteral("DEST"), QRegularExpression::escape(dest()));
        const QRegularExpression pattern(QRegularExpression::anchoredPattern(message));
        QVERIFY2(pattern.match(run.messages.first()).hasMatch(), qPrintable(run.messages.first()));
        QVERIFY(!run.order.contains(QStringLiteral("finished")));
        QCOMPARE(treeListing(m_work->path(), { "source", "dest/fine.txt" }), before);
        QCOMPARE(gameErrors.count(), 0);
    }

    void windowsSeparatorsAndStoredLinks()
    {
        const QString outside = m_work->filePath(QStringLiteral("outside.txt"));
        QVERIFY(writeFile(outside, "keep"));
        ZipWriter zip;
        zip.addFile("bin\\tools\\run.sh", "run", 0100755);
        zip.addSymlink("shortcut", QFile::encodeName(outside));
        QVERIFY(zip.save(out(QStringLiteral("win.zip"))));

        Run run = install(QStringLiteral("win.zip"));
        QVERIFY2(run.codes.isEmpty(), qPrintable(run.messages.value(0)));
        QCOMPARE(readFile(out(QStringLiteral("bin/tools/run.sh"))), QByteArray("run"));
        QCOMPARE(readFile(out(QStringLiteral("shortcut"))), QFile::encodeName(outside));
        QCOMPARE(readFile(outside), QByteArray("keep"));
    }

    // Stored modes go through the umask, and a folder's own mode comes after
    // its files: the owner is never locked out of its own game.
    void modes_data()
    {
        QTest::addColumn<int>("umask");
        QTest::addColumn<QByteArray>("item"); // a folder item gets a file "f.txt" too
        QTest::addColumn<quint32>("stored"); // 0: no item; below 0x100: Windows attributes
        QTest::addColumn<int>("before"); // mode of a folder already there, or -1
        QTest::addColumn<QString>("checked");
        QTest::addColumn<int>("expected");
        auto row = [](const char *name, int umask, const char *item, quint32 stored, int before,
                       const char *checked, int expected) {
            QTest::newRow(name) << umask << QByteArray(item) << stored << before << checked
                                << expected;
        };
        row("0000 folder", 022, "lk/", 040000, -1, "lk", 0700);
        row("Windows read-only folder", 022, "win/", 0x11, -1, "win", 0755);
        row("folder left read-only", 022, "old/", 0, 0555, "old", 0555);
        row("install folder 0777", 022, "./", 040777, 0750, ".", 0750);
        row("0666 file, umask 0", 0, "f", 0100666, -1, "f", 0644);
        row("0000 file, umask 022", 022, "f", 0100000, -1, "f", 0600);
        row("set-uid 0777 file, umask 0", 0, "f", 0106777, -1, "f", 0755);
        row("set-gid 0775 folder, umask 027", 027, "d/", 042775, -1, "d", 0750);
        row("Windows read-only file", 022, "f", 0x21, -1, "f", 0644);
        row("no stored mode, umask 0", 0, "d/f", 0x20, -1, "d/f", 0644);
        row("folder without an item, umask 0", 0, "d/f", 0x20, -1, "d", 0755);
    }

    void modes()
    {
        QFETCH(int, umask);
        QFETCH(QByteArray, item);
        QFETCH(quint32, stored);
        QFETCH(int, before);
        QFETCH(QString, checked);
        QFETCH(int, expected);
        const QString path = QDir::cleanPath(out(checked));
        if (before >= 0)
            QVERIFY(QDir().mkpath(path) && ::chmod(QFile::encodeName(path), mode_t(before)) == 0);
        ZipWriter zip;
        if (stored)
            zip.addFile(item, {}, stored);
        if (item.endsWith('/'))
            zip.addFile(item + "f.txt", "in");
        QVERIFY(zip.save(out("m.zip")));
        if (stored && stored < 0x100)
            QVERIFY(markFirstMadeOnWindows(out("m.zip"), stored));
        ::umask(mode_t(umask));
        const Run run = install(QStringLiteral("m.zip"));
        QVERIFY2(run.codes.isEmpty(), qPrintable(run.messages.value(0)));
        QCOMPARE(fileMode(path), uint(expected));
        if (!item.endsWith('/'))
            return;
        QCOMPARE(run.folderModes.last() & 0700, 0700u); // while f.txt was written
        ::chmod(QFile::encodeName(path), 0700);
        QCOMPARE(readFile(path + QStringLiteral("/f.txt")), QByteArray("in"));
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
        if (::mount("tmpfs", QFile::encodeName(dest()).constData(), "tmpfs", 0, "size=1m") != 0)
            QSKIP("tmpfs cannot be mounted here");
        m_mounted = true;
        ZipWriter zip;
        for (int i = 0; i < files; ++i)
            zip.addFile("f" + QByteArray::number(i), QByteArray(fileSize, 'x'));
        QVERIFY(zip.save(out("big.zip")));
        const qint64 freeBefore = QStorageInfo(dest()).bytesAvailable();
        SizesTranslator sizes;
        QCoreApplication::installTranslator(&sizes);
        const Run run = install(QStringLiteral("big.zip"));
        QCoreApplication::removeTranslator(&sizes);

        QVERIFY(QFile::exists(out("big.zip")));
        const QFileInfoList written = QDir(dest()).entryInfoList({ "f*" }, QDir::Files);
        if (files == 1) {
            QCOMPARE(run.codes, QStringList { "SETUP_DISK_SPACE_ERROR" });
            QCOMPARE(run.messages.first(),
                QStringLiteral("need %1, free %2")
                    .arg(QLocale().formattedDataSize(fileSize),
                        QLocale().formattedDataSize(freeBefore)));
            QVERIFY(written.isEmpty());
        } else {
            QCOMPARE(run.codes.value(0), QStringLiteral("SETUP_ZIP_UNZIP_ERROR"));
            QVERIFY(!written.isEmpty() && written.size() < files);
            for (const QFileInfo &file : written)
                QVERIFY2(file.size() == fileSize, qPrintable(file.fileName())); // no partial file
        }
    }

    // The list comes with the package; lines name files from the install
    // folder, and none of them may reach a file outside it.
    void deleteList_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<QString>("gone"); // of old/a.dll, b.dll, c.dll
        QTest::addColumn<bool>("fails");
        // Leading separators start at the install folder; blank lines and
        // files already gone name nothing.
        const QByteArray trimmed
            = "  /old/a.dll \r\n\n   \nnever-there.dll\r\n\\old\\b.dll\r\n//old/c.dll\n";
        QTest::newRow("trimmed, Windows line ends and separators") << trimmed << "abc" << false;
        QTest::newRow("a folder line fails")
            << QByteArray("old/a.dll\nold\nold/b.dll\n") << "a" << true;
        QTest::newRow("leaving through .. or a link is still skipped")
            << QByteArray("/../victim.txt\n\\link\\victim.txt\n/old/a.dll\n") << "a" << false;
        QTest::newRow("longer lines are skipped") << QByteArray(4088, ' ') + "old/a.dll\n"
                + QByteArray(3 << 20, ' ') + "old/b.dll\nold/c.dll"
                                                  << "c" << false;
    }

    void deleteList()
    {
        QFETCH(QByteArray, list);
        QFETCH(QString, gone);
        QFETCH(bool, fails);
        const QString victim = m_work->filePath(QStringLiteral("victim.txt"));
        QVERIFY(writeFile(victim, "mine"));
        QVERIFY(QFile::link(m_work->path(), out("link")));
        for (const QString name : { "a", "b", "c" })
            QVERIFY(writeFile(out("old/" + name + ".dll"), "old"));
        QVERIFY(writeFile(src(QStringLiteral("deletefiles.txt")), list));
        QVERIFY(!packed(QStringLiteral("new.dll"), "new", QStringLiteral("update.7z")).isEmpty());

        const Run run = install(QStringLiteral("update.7z"));
        for (const QString name : { "a", "b", "c" })
            QCOMPARE(QFile::exists(out("old/" + name + ".dll")), !gone.contains(name));
        QCOMPARE(readFile(victim), QByteArray("mine"));
        QCOMPARE(QFile::exists(out("deletefiles.txt")), fails);
        QCOMPARE(run.order.contains(QStringLiteral("finished")), !fails);
        QCOMPARE(run.codes, fails ? QStringList { "SETUP_DELETE_OLD_FILE_ERROR" } : QStringList());
        if (fails)
            QCOMPARE(run.messages.first(), out("old message_setup_delete_old_file_error"));
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
        const QString list = out("deletefiles.txt");
        const QString outside = m_work->filePath(QStringLiteral("list.txt"));
        QVERIFY(writeFile(out("old.dll"), "old") && writeFile(outside, "old.dll\n"));
        QVERIFY(kind == 0   ? ::mkfifo(QFile::encodeName(list), 0644) == 0
                : kind == 1 ? QFile::link(outside, list)
                            : writeFile(list + QStringLiteral("/old.dll"), "x"));
        const Run run = install();
        QVERIFY(run.codes.isEmpty());
        QVERIFY(!filehelpers::lookUp(list) && !QFile::exists(out("tiny.zip")));
        QVERIFY(QFile::exists(out("old.dll")) && QFile::exists(outside));
    }

    // An empty metadata file is repaired from the fallback, never through a
    // link out of the install folder.
    void metadataRepair_data()
    {
        QTest::addColumn<QString>("link"); // moved out of the install folder and linked there
        QTest::addColumn<bool>("fallback");
        QTest::addColumn<QString>("outcome"); // the run's signals, then the primary file
        const QString refused = QStringLiteral("dismiss metaerror finished ");
        QTest::newRow("repaired") << "" << true << "dismiss finished fallback";
        QTest::newRow("no fallback") << "" << false << refused + "none";
        QTest::newRow("data folder outside") << "Quorvela_Data" << true << refused + "empty";
        QTest::newRow("fallback outside") << "Quorvela_Data/Native" << true << refused + "none";
    }

    void metadataRepair()
    {
        QFETCH(QString, link);
        QFETCH(bool, fallback);
        QFETCH(QString, outcome);
        const QString primary = out("Quorvela_Data/Managed/Metadata/global-metadata.dat");
        QVERIFY(writeFile(primary, {}));
        if (fallback)
            QVERIFY(writeFile(
                out("Quorvela_Data/Native/Data/Metadata/global-metadata.dat"), "fallback"));
        const QString moved = m_work->filePath(QStringLiteral("outside"));
        if (!link.isEmpty())
            QVERIFY(QDir().rename(out(link), moved) && QFile::link(moved, out(link)));
        Run run = install();
        const QByteArray left = readFile(primary);
        run.order << (!QFileInfo::exists(primary) ? "none" : left.isEmpty() ? "empty" : left);
        QCOMPARE(run.order.join(QLatin1Char(' ')), outcome);
    }
};

TESSARIL_TEST_MAIN(tst_SetupManager)
#include "tst_setupmanager.moc"
