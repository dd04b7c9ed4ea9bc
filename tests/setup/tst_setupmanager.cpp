#include "setup/extractjob.h"
#include "setup/setupmanager.h"
#include "tests/support/testdata.h"
#include "tests/support/testenvironment.h"
#include "tests/support/zipwriter.h"

#include <QtTest>

#include <functional>
#include <sys/stat.h>

namespace {

struct Run
{
    QList<QPair<QString, QString>> errors; // code name, message
    QStringList items;
    QStringList order; // "error", "finished", "dismiss", "metaerror" as they came
    QList<QPair<qlonglong, qlonglong>> progress;
    bool progressOffGuiThread = false;
    Job::State state = Job::State::Idle;
    QString code; // the job's
};

// Prepares the folders of one case and gives the archive's name.
using Prepare = std::function<QString()>;

mode_t modeOf(const QString &path)
{
    struct stat info;
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

} // namespace

Q_DECLARE_METATYPE(Prepare)

class tst_SetupManager : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_work;

    QString source() const { return m_work->filePath(QStringLiteral("source")); }
    QString dest() const { return m_work->filePath(QStringLiteral("dest")); }
    QString src(const QString &name) const { return source() + QLatin1Char('/') + name; }
    QString out(const QString &name) const { return dest() + QLatin1Char('/') + name; }

    // Packs the source folder with 7zz into dest/name.
    bool pack(const QString &name, const QStringList &options = {})
    {
        QProcess sevenZip;
        sevenZip.setWorkingDirectory(source());
        sevenZip.start(QStringLiteral("7zz"),
            QStringList { QStringLiteral("a"), QStringLiteral("-bso0"), QStringLiteral("-bsp0") }
                + options + QStringList { out(name), QStringLiteral(".") });
        return sevenZip.waitForFinished(60000) && sevenZip.exitCode() == 0;
    }

    // An archive of one more file; its name, or nothing when packing failed.
    QString packed(const QString &file, const QByteArray &content, const QString &name,
        const QStringList &options = {})
    {
        return writeFile(src(file), content) && pack(name, options) ? name : QString();
    }

    // Runs the whole install as a job and collects what it said.
    Run install(setupmanager &manager, const QString &zipName)
    {
        Run run;
        QObject context;
        connect(&manager, &setupmanager::setupError, &context,
            [&run](ErrorCode code, const QString &msg) {
                run.errors.append({ errorCodeText(code), msg });
                run.order << QStringLiteral("error");
            });
        connect(&manager, &setupmanager::setupUnzipFilePath, &context,
            [&run](const QString &path) { run.items << path; });
        connect(&manager, &setupmanager::setupFinished, &context,
            [&run] { run.order << QStringLiteral("finished"); });
        connect(&manager, &setupmanager::globalMetaDataDismiss, &context,
            [&run] { run.order << QStringLiteral("dismiss"); });
        connect(&manager, &setupmanager::globalMetaDataError, &context,
            [&run] { run.order << QStringLiteral("metaerror"); });
        connect(&manager, &setupmanager::setupProgress, &context,
            [&run](qlonglong done, qlonglong total) {
                run.progressOffGuiThread |= QThread::currentThread() != qApp->thread();
                run.progress.append({ done, total });
            });
        manager.setZipFilePath(dest());
        manager.setZipFileName(zipName);
        ExtractJob job(&manager);
        QSignalSpy finished(&job, &Job::finished);
        job.start();
        if (!finished.wait(60000))
            qWarning("setup did not finish");
        run.state = job.state();
        run.code = errorCodeText(job.errorCode());
        return run;
    }

    Run install(const QString &zipName) { return install(*setupmanager::instance(), zipName); }

    static QStringList codes(const Run &run)
    {
        QStringList found;
        for (const auto &error : run.errors)
            found << error.first;
        return found;
    }

private slots:
    // The modes an extraction gives depend on the umask; the expected ones
    // are those under the usual 022, whatever the caller's is.
    void initTestCase() { ::umask(022); }

    void init()
    {
        m_work = std::make_unique<QTemporaryDir>();
        QDir().mkpath(source());
        QDir().mkpath(dest());
        qunsetenv("TESSARIL_ARCHIVE_ENGINE");
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
        const QByteArray big(300000, 'q');
        const QString exe = src(QStringLiteral("Quorvela.exe"));
        QVERIFY(writeFile(exe, "#!/bin/sh\necho game\n"));
        QVERIFY(writeFile(src("Quorvela_Data/Managed/Metadata/global-metadata.dat"), "meta"));
        QVERIFY(writeFile(src("Quorvela_Data/big.bin"), big));
        QVERIFY(writeFile(src("docs/read me.txt"), "hello"));
        QVERIFY(::chmod(QFile::encodeName(exe).constData(), 0750) == 0);
        const QDateTime stamp(QDate(2023, 5, 17), QTime(8, 9, 10), Qt::UTC);
        QFile exeFile(exe);
        QVERIFY(exeFile.open(QIODevice::ReadWrite));
        QVERIFY(exeFile.setFileTime(stamp, QFileDevice::FileModificationTime));
        exeFile.close();
        QVERIFY(pack(name, options));
        // An older read-only copy in the way is replaced.
        QVERIFY(writeFile(out("docs/read me.txt"), "old"));
        QVERIFY(QFile::setPermissions(out("docs/read me.txt"), QFile::ReadOwner));

        Run run = install(name);
        QVERIFY2(run.errors.isEmpty(), qPrintable(run.errors.value(0).second));
        QCOMPARE(run.order, QStringList { QStringLiteral("finished") });
        QCOMPARE(run.state, Job::State::Succeeded);
        QCOMPARE(readFile(out("Quorvela_Data/big.bin")), big);
        QCOMPARE(readFile(out("docs/read me.txt")), QByteArray("hello"));
        QCOMPARE(modeOf(out("Quorvela.exe")), mode_t(0750));
        QCOMPARE(QFileInfo(out("Quorvela.exe")).lastModified().toUTC(), stamp);
        QVERIFY(!QFile::exists(out(name))); // the archive is gone
        QVERIFY(run.items.contains(QStringLiteral("Quorvela_Data/big.bin")));
        QVERIFY(!run.progress.isEmpty());
        QVERIFY(!run.progressOffGuiThread); // queued to the receiver's thread
        QCOMPARE(run.progress.last().first, run.progress.last().second);
        QVERIFY(run.progress.last().second >= big.size());
    }

    // Neither quit() nor exit() reaches a run without an event loop: only the
    // job's abort stops it, at once, also inside a large item, and the run
    // reports no error, writes no further item and keeps the archive.
    void abortStopsMidExtraction()
    {
        const qint64 bigSize = 48 << 20;
        QVERIFY(writeFile(src("a.bin"), "first"));
        QVERIFY(writeFile(src("b.bin"), QByteArray(int(bigSize), 'b')));
        QVERIFY(writeFile(src("c.bin"), "last"));
        QVERIFY(pack(QStringLiteral("game.7z"), { QStringLiteral("-mx0") }));
        setupmanager manager;
        manager.setZipFilePath(dest());
        manager.setZipFileName(QStringLiteral("game.7z"));
        QSemaphore reached;
        QSemaphore go;
        connect(
            &manager, &setupmanager::setupUnzipFilePath, &manager,
            [&](const QString &path) {
                if (path == QLatin1String("b.bin")) {
                    reached.release();
                    go.acquire();
                }
            },
            Qt::DirectConnection);
        QSignalSpy errors(&manager, &setupmanager::setupError);
        ExtractJob job(&manager);
        QSignalSpy finished(&job, &Job::finished);
        job.start();
        QVERIFY(reached.tryAcquire(1, 60000));
        job.abort();
        go.release();
        QVERIFY(finished.wait(10000));
        QCOMPARE(job.state(), Job::State::Aborted);
        QCOMPARE(errors.count(), 0);
        QVERIFY(QFileInfo(out("b.bin")).size() < bigSize);
        QVERIFY(!QFile::exists(out("c.bin")));
        QVERIFY(QFile::exists(out("game.7z")));
    }

    void namelessEntryBecomesContent()
    {
        QProcess sevenZip;
        sevenZip.start(QStringLiteral("7zz"),
            { QStringLiteral("a"), QStringLiteral("-bso0"), QStringLiteral("-si"),
                out(QStringLiteral("stream.7z")) });
        QVERIFY(sevenZip.waitForStarted());
        sevenZip.write("streamed bytes");
        sevenZip.closeWriteChannel();
        QVERIFY(sevenZip.waitForFinished());
        QVERIFY(install(QStringLiteral("stream.7z")).errors.isEmpty());
        QCOMPARE(readFile(out(QStringLiteral("[Content]"))), QByteArray("streamed bytes"));
    }

    // Each case runs on an object of its own: its errors, item errors of the
    // extraction included, must not reach the game's object.
    void failures_data()
    {
        QTest::addColumn<Prepare>("prepare");
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<QString>("message"); // a pattern; DEST stands for the destination
        QTest::addColumn<QStringList>("kept"); // in the destination afterwards
        QTest::addColumn<QStringList>("gone");
        auto row = [](const char *name, Prepare prepare, const char *codes, const char *message,
                       const char *kept, const char *gone) {
            const auto list = [](const char *text) {
                return QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
            };
            QTest::newRow(name) << prepare << list(codes) << QString::fromLatin1(message)
                                << list(kept) << list(gone);
        };
        row(
            "neither zip nor 7z", [this] { return packed("a.txt", "a", "game.tar", { "-ttar" }); },
            "SETUP_ZIP_FORMAT_ERROR", "tar message_setup_zip_format_error", "game.tar", "");
        row(
            "encrypted data", [this] { return packed("s.txt", "s", "game.7z", { "-pletmein" }); },
            "SETUP_ZIP_PASSWORD_ERROR SETUP_ZIP_UNZIP_ERROR", "message_setup_zip_password_error",
            "game.7z", "");
        row(
            "encrypted names",
            [this] {
                return packed("s.txt", "s", "game.7z", { "-pletmein", "-mhe=on" });
            },
            "SETUP_ZIP_UNABLE_OPEN_FILE_ERROR", "message_setup_zip_unable_open_file_error",
            "game.7z", "");
        row(
            "folder at an output path",
            [this] {
                QDir().mkpath(out("blocked.txt/inside"));
                return packed("blocked.txt", "new", "game.7z");
            },
            "SETUP_ZIP_UNABLE_DELETE_ERROR SETUP_ZIP_UNZIP_ERROR", "DEST/blocked\\.txt",
            "game.7z blocked.txt/inside", "");
        row(
            "damaged data still cleans up",
            [this] {
                QByteArray payload;
                for (int i = 0; i < 5000; ++i)
                    payload += "payload line " + QByteArray::number(i) + '\n';
                writeFile(src("deletefiles.txt"), "old.dll\n");
                writeFile(out("old.dll"), "old");
                QByteArray bytes
                    = readFile(out(packed("data.txt", payload, "game.7z", { "-mx0" })));
                bytes[bytes.indexOf("payload line 2500")] = 'P';
                return writeFile(out("game.7z"), bytes) ? QStringLiteral("game.7z") : QString();
            },
            "SETUP_ZIP_ERROR", "message_setup_zip_crc_failed|message_setup_zip_data_error", "",
            "game.7z old.dll");
        row(
            "no archive engine",
            [this] {
                qputenv("TESSARIL_ARCHIVE_ENGINE", QFile::encodeName(m_work->filePath("no/7z.so")));
                return packed("a.txt", "a", "game.7z");
            },
            "SETUP_DLL_ERROR", "message_setup_dll_error", "game.7z", "");
    }

    void failures()
    {
        QFETCH(Prepare, prepare);
        QFETCH(QStringList, codes);
        QFETCH(QString, message);
        QFETCH(QStringList, kept);
        QFETCH(QStringList, gone);
        const QString archive = prepare();
        QVERIFY(!archive.isEmpty());
        QSignalSpy gameErrors(setupmanager::instance(), &setupmanager::setupError);
        setupmanager manager;
        Run run = install(manager, archive);
        QCOMPARE(this->codes(run), codes);
        QCOMPARE(run.state, Job::State::Failed);
        QCOMPARE(run.code, codes.first());
        message.replace(QStringLiteral("DEST"), QRegularExpression::escape(dest()));
        QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(message))
                     .match(run.errors.first().second)
                     .hasMatch(),
            qPrintable(run.errors.first().second));
        QVERIFY(!run.order.contains(QStringLiteral("finished")));
        for (const QString &name : kept)
            QVERIFY2(QFile::exists(out(name)), qPrintable(name));
        for (const QString &name : gone)
            QVERIFY2(!QFile::exists(out(name)), qPrintable(name));
        QCOMPARE(gameErrors.count(), 0);
    }

    void hostileItemPathsAreRefused_data()
    {
        QTest::addColumn<QByteArray>("itemName");
        QTest::newRow("climbs out") << QByteArray("../escaped.txt");
        QTest::newRow("climbs out with backslashes") << QByteArray("sub\\..\\..\\escaped.txt");
        QTest::newRow("absolute") << QByteArray("ABSOLUTE/escaped.txt");
        QTest::newRow("drive") << QByteArray("C:/escaped.txt");
        QTest::newRow("unc") << QByteArray("\\\\server\\share\\escaped.txt");
        QTest::newRow("through a link outside") << QByteArray("link/escaped.txt");
    }

    void hostileItemPathsAreRefused()
    {
        QFETCH(QByteArray, itemName);
        const QString outside = m_work->filePath(QStringLiteral("outside"));
        QDir().mkpath(outside);
        itemName.replace("ABSOLUTE", QFile::encodeName(outside));
        QVERIFY(QFile::link(outside, out(QStringLiteral("link"))));
        ZipWriter zip;
        zip.addFile("fine.txt", "fine");
        zip.addFile(itemName, "evil");
        QVERIFY(zip.save(out(QStringLiteral("hostile.zip"))));

        Run run = install(QStringLiteral("hostile.zip"));
        QCOMPARE(codes(run),
            QStringList({ "SETUP_ZIP_UNABLE_OPEN_OUTPUT_ERROR", "SETUP_ZIP_UNZIP_ERROR" }));
        QCOMPARE(run.errors.first().second, QString::fromUtf8(itemName));
        QVERIFY(QDir(outside).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
        QVERIFY(!QFile::exists(m_work->filePath(QStringLiteral("escaped.txt"))));
        QVERIFY(QFile::exists(out(QStringLiteral("hostile.zip"))));
    }

    void windowsSeparatorsAndStoredLinks()
    {
        const QString outside = m_work->filePath(QStringLiteral("outside.txt"));
        QVERIFY(writeFile(outside, "keep"));
        ZipWriter zip;
        zip.addFile("bin\\tools\\run.sh", "run", 0100755);
        zip.addSymlink("shortcut", QFile::encodeName(outside));
        zip.addFile("setuid", "x", 0104755);
        QVERIFY(zip.save(out(QStringLiteral("win.zip"))));

        Run run = install(QStringLiteral("win.zip"));
        QVERIFY2(run.errors.isEmpty(), qPrintable(run.errors.value(0).second));
        QCOMPARE(readFile(out(QStringLiteral("bin/tools/run.sh"))), QByteArray("run"));
        QCOMPARE(modeOf(out(QStringLiteral("bin/tools/run.sh"))), mode_t(0755));
        QVERIFY(run.items.contains(QStringLiteral("bin/tools/run.sh")));
        QVERIFY(!QFileInfo(out(QStringLiteral("shortcut"))).isSymLink());
        QCOMPARE(readFile(out(QStringLiteral("shortcut"))), QFile::encodeName(outside));
        QCOMPARE(modeOf(out(QStringLiteral("setuid"))), mode_t(0755));
        QCOMPARE(readFile(outside), QByteArray("keep"));
    }

    void deleteList_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<QStringList>("gone");
        QTest::addColumn<QStringList>("kept");
        QTest::addColumn<bool>("fails");
        QTest::newRow("gone files and Windows line ends")
            << QByteArray("  old/a.dll \r\nnever-there.dll\r\nold\\b.dll\r\n")
            << QStringList { "old/a.dll", "old/b.dll", "deletefiles.txt" }
            << QStringList { "old/c.dll" } << false;
        QTest::newRow("blank lines name nothing")
            << QByteArray("\n   \nold/a.dll\n\n") << QStringList { "old/a.dll", "deletefiles.txt" }
            << QStringList {} << false;
        QTest::newRow("a folder line fails")
            << QByteArray("old/a.dll\nold\nold/b.dll\n") << QStringList { "old/a.dll" }
            << QStringList { "old/b.dll", "deletefiles.txt" } << true;
    }

    void deleteList()
    {
        QFETCH(QByteArray, list);
        QFETCH(QStringList, gone);
        QFETCH(QStringList, kept);
        QFETCH(bool, fails);
        for (const char *name : { "old/a.dll", "old/b.dll", "old/c.dll" })
            QVERIFY(writeFile(out(QLatin1String(name)), "old"));
        QVERIFY(writeFile(src(QStringLiteral("deletefiles.txt")), list));
        QVERIFY(!packed(QStringLiteral("new.dll"), "new", QStringLiteral("update.7z")).isEmpty());

        Run run = install(QStringLiteral("update.7z"));
        for (const QString &name : gone)
            QVERIFY2(!QFile::exists(out(name)), qPrintable(name));
        for (const QString &name : kept)
            QVERIFY2(QFile::exists(out(name)), qPrintable(name));
        QCOMPARE(run.order.contains(QStringLiteral("finished")), !fails);
        if (fails) {
            QCOMPARE(codes(run), QStringList { "SETUP_DELETE_OLD_FILE_ERROR" });
            QCOMPARE(run.errors.first().second,
                out(QStringLiteral("old message_setup_delete_old_file_error")));
        }
    }

    void metadataFallbacks()
    {
        const QString metadata
            = QStringLiteral("Quorvela_Data/Managed/Metadata/global-metadata.dat");
        QVERIFY(writeFile(src(metadata), ""));
        QVERIFY(
            writeFile(src("Quorvela_Data/Native/Data/Metadata/global-metadata.dat"), "fallback"));
        QVERIFY(pack(QStringLiteral("game.7z")));
        QCOMPARE(install(QStringLiteral("game.7z")).order, QStringList({ "dismiss", "finished" }));
        QCOMPARE(readFile(out(metadata)), QByteArray("fallback"));

        init();
        QVERIFY(!packed(QStringLiteral("other.txt"), "x", QStringLiteral("game.7z")).isEmpty());
        QCOMPARE(install(QStringLiteral("game.7z")).order,
            QStringList({ "dismiss", "metaerror", "finished" }));
    }
};

TESSARIL_TEST_MAIN(tst_SetupManager)
#include "tst_setupmanager.moc"
