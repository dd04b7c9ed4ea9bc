#include "setup/setupmanager.h"
#include "tests/support/testenvironment.h"
#include "tests/support/zipwriter.h"

#include <QtTest>

#include <sys/stat.h>

namespace {

struct Run
{
    QList<QPair<ErrorCode, QString>> errors;
    QStringList items;
    int finished = 0;
    int metaDismiss = 0;
    int metaError = 0;
    QList<QPair<qlonglong, qlonglong>> progress;
    bool progressOffGuiThread = false;
    QStringList order; // signal names in arrival order
};

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

mode_t modeOf(const QString &path)
{
    struct stat info;
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

} // namespace

class tst_SetupManager : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_work;

    QString source() const { return m_work->filePath(QStringLiteral("source")); }
    QString dest() const { return m_work->filePath(QStringLiteral("dest")); }

    // Packs the source folder with 7zz into dest/name.
    bool pack(const QString &name, const QStringList &options = {})
    {
        QDir().mkpath(dest());
        QProcess sevenZip;
        sevenZip.setWorkingDirectory(source());
        sevenZip.start(QStringLiteral("7zz"),
            QStringList { QStringLiteral("a"), QStringLiteral("-bso0"), QStringLiteral("-bsp0") }
                + options + QStringList { dest() + QLatin1Char('/') + name, QStringLiteral(".") });
        return sevenZip.waitForFinished(60000) && sevenZip.exitCode() == 0;
    }

    // Runs the whole install on the object's thread and collects what it said.
    Run install(setupmanager &manager, const QString &zipName)
    {
        Run run;
        QObject context;
        connect(&manager, &setupmanager::setupError, &context,
            [&run](ErrorCode code, const QString &msg) {
                run.errors.append({ code, msg });
                run.order << QStringLiteral("error");
            });
        connect(&manager, &setupmanager::setupUnzipFilePath, &context,
            [&run](const QString &path) { run.items << path; });
        connect(&manager, &setupmanager::setupFinished, &context, [&run] {
            ++run.finished;
            run.order << QStringLiteral("finished");
        });
        connect(&manager, &setupmanager::globalMetaDataDismiss, &context, [&run] {
            ++run.metaDismiss;
            run.order << QStringLiteral("dismiss");
        });
        connect(&manager, &setupmanager::globalMetaDataError, &context, [&run] {
            ++run.metaError;
            run.order << QStringLiteral("metaerror");
        });
        connect(&manager, &setupmanager::setupProgress, &context,
            [&run](qlonglong done, qlonglong total) {
                run.progressOffGuiThread |= QThread::currentThread() != qApp->thread();
                run.progress.append({ done, total });
            });
        manager.setZipFilePath(dest());
        manager.setZipFileName(zipName);
        manager.start();
        if (!QTest::qWaitFor([&manager] { return manager.isFinished(); }, 60000))
            qWarning("setup did not finish");
        QCoreApplication::processEvents(); // deliver what is still queued
        QCoreApplication::processEvents();
        return run;
    }

    static QList<ErrorCode> codes(const Run &run)
    {
        QList<ErrorCode> found;
        for (const auto &error : run.errors)
            found << error.first;
        return found;
    }

    void writeGoodMetadata()
    {
        QVERIFY(writeFile(
            dest() + QStringLiteral("/Quorvela_Data/Managed/Metadata/global-metadata.dat"),
            "meta"));
    }

private slots:
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
        QVERIFY(writeFile(source() + QStringLiteral("/Quorvela.exe"), "#!/bin/sh\necho game\n"));
        QVERIFY(writeFile(
            source() + QStringLiteral("/Quorvela_Data/Managed/Metadata/global-metadata.dat"),
            "meta"));
        QVERIFY(writeFile(source() + QStringLiteral("/Quorvela_Data/big.bin"), big));
        QVERIFY(writeFile(source() + QStringLiteral("/docs/read me.txt"), "hello"));
        QFile::setPermissions(source() + QStringLiteral("/Quorvela.exe"),
            QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                | QFile::ExeGroup);
        const QDateTime stamp(QDate(2023, 5, 17), QTime(8, 9, 10), Qt::UTC);
        QFile exe(source() + QStringLiteral("/Quorvela.exe"));
        QVERIFY(exe.open(QIODevice::ReadWrite));
        QVERIFY(exe.setFileTime(stamp, QFileDevice::FileModificationTime));
        exe.close();
        QVERIFY(pack(name, options));

        Run run = install(*setupmanager::instance(), name);
        QVERIFY2(run.errors.isEmpty(), qPrintable(run.errors.value(0).second));
        QCOMPARE(run.finished, 1);
        QCOMPARE(run.metaDismiss + run.metaError, 0);
        QCOMPARE(readFile(dest() + QStringLiteral("/Quorvela_Data/big.bin")), big);
        QCOMPARE(readFile(dest() + QStringLiteral("/docs/read me.txt")), QByteArray("hello"));
        QCOMPARE(modeOf(dest() + QStringLiteral("/Quorvela.exe")), mode_t(0750));
        QCOMPARE(QFileInfo(dest() + QStringLiteral("/Quorvela.exe")).lastModified().toUTC(), stamp);
        QVERIFY(!QFile::exists(dest() + QLatin1Char('/') + name)); // the archive is gone
        QVERIFY(run.items.contains(QStringLiteral("Quorvela_Data/big.bin")));
        QVERIFY(!run.progress.isEmpty());
        QVERIFY(!run.progressOffGuiThread); // queued to the receiver's thread
        QCOMPARE(run.progress.last().first, run.progress.last().second);
        QVERIFY(run.progress.last().second >= big.size());
    }

    void refusesOtherFormats()
    {
        QVERIFY(writeFile(source() + QStringLiteral("/a.txt"), "a"));
        QVERIFY(pack(QStringLiteral("game.tar"), { QStringLiteral("-ttar") }));
        Run run = install(*setupmanager::instance(), QStringLiteral("game.tar"));
        QCOMPARE(codes(run), QList<ErrorCode>({ ErrorDefine::SETUP_ZIP_FORMAT_ERROR }));
        QCOMPARE(run.errors.first().second, QStringLiteral("tar message_setup_zip_format_error"));
        QCOMPARE(run.finished, 0);
        QVERIFY(QFile::exists(dest() + QStringLiteral("/game.tar")));
    }

    void namelessEntryBecomesContent()
    {
        QProcess sevenZip;
        sevenZip.start(QStringLiteral("7zz"),
            { QStringLiteral("a"), QStringLiteral("-bso0"), QStringLiteral("-si"),
                dest() + QStringLiteral("/stream.7z") });
        QVERIFY(sevenZip.waitForStarted());
        sevenZip.write("streamed bytes");
        sevenZip.closeWriteChannel();
        QVERIFY(sevenZip.waitForFinished());
        writeGoodMetadata();
        Run run = install(*setupmanager::instance(), QStringLiteral("stream.7z"));
        QVERIFY(run.errors.isEmpty());
        QCOMPARE(readFile(dest() + QStringLiteral("/[Content]")), QByteArray("streamed bytes"));
    }

    void encryptedDataAsksForAPassword()
    {
        QVERIFY(writeFile(source() + QStringLiteral("/secret.txt"), "secret"));
        QVERIFY(pack(QStringLiteral("locked.7z"), { QStringLiteral("-pletmein") }));
        Run run = install(*setupmanager::instance(), QStringLiteral("locked.7z"));
        QCOMPARE(codes(run),
            QList<ErrorCode>(
                { ErrorDefine::SETUP_ZIP_PASSWORD_ERROR, ErrorDefine::SETUP_ZIP_UNZIP_ERROR }));
        QCOMPARE(run.errors.first().second, QStringLiteral("message_setup_zip_password_error"));
        QCOMPARE(run.finished, 0);
        QVERIFY(QFile::exists(dest() + QStringLiteral("/locked.7z")));
    }

    void encryptedNamesFailToOpen()
    {
        QVERIFY(writeFile(source() + QStringLiteral("/secret.txt"), "secret"));
        QVERIFY(pack(QStringLiteral("hidden.7z"),
            { QStringLiteral("-pletmein"), QStringLiteral("-mhe=on") }));
        Run run = install(*setupmanager::instance(), QStringLiteral("hidden.7z"));
        QCOMPARE(codes(run), QList<ErrorCode>({ ErrorDefine::SETUP_ZIP_UNABLE_OPEN_FILE_ERROR }));
        QVERIFY(run.errors.first().second.contains(dest() + QStringLiteral("/hidden.7z")));
        QVERIFY(QFile::exists(dest() + QStringLiteral("/hidden.7z")));
    }

    void readOnlyOutputIsOverwritten()
    {
        QVERIFY(writeFile(source() + QStringLiteral("/ro.txt"), "new"));
        QVERIFY(pack(QStringLiteral("game.7z")));
        QVERIFY(writeFile(dest() + QStringLiteral("/ro.txt"), "old"));
        QFile::setPermissions(dest() + QStringLiteral("/ro.txt"), QFile::ReadOwner);
        writeGoodMetadata();
        Run run = install(*setupmanager::instance(), QStringLiteral("game.7z"));
        QVERIFY(run.errors.isEmpty());
        QCOMPARE(readFile(dest() + QStringLiteral("/ro.txt")), QByteArray("new"));
    }

    void folderAtAnOutputPath()
    {
        QVERIFY(writeFile(source() + QStringLiteral("/blocked.txt"), "new"));
        QVERIFY(pack(QStringLiteral("game.7z")));
        QVERIFY(QDir().mkpath(dest() + QStringLiteral("/blocked.txt/inside")));
        Run run = install(*setupmanager::instance(), QStringLiteral("game.7z"));
        QCOMPARE(codes(run),
            QList<ErrorCode>({ ErrorDefine::SETUP_ZIP_UNABLE_DELETE_ERROR,
                ErrorDefine::SETUP_ZIP_UNZIP_ERROR }));
        QCOMPARE(run.errors.first().second, dest() + QStringLiteral("/blocked.txt"));
        QVERIFY(QFileInfo(dest() + QStringLiteral("/blocked.txt/inside")).isDir());
        QVERIFY(QFile::exists(dest() + QStringLiteral("/game.7z")));
    }

    void damagedArchiveStillCleansUp()
    {
        QByteArray payload;
        for (int i = 0; i < 5000; ++i)
            payload += "payload line " + QByteArray::number(i) + '\n';
        QVERIFY(writeFile(source() + QStringLiteral("/data.txt"), payload));
        QVERIFY(writeFile(source() + QStringLiteral("/deletefiles.txt"), "old.dll\n"));
        QVERIFY(pack(QStringLiteral("game.7z"), { QStringLiteral("-mx0") }));
        QFile archive(dest() + QStringLiteral("/game.7z"));
        QVERIFY(archive.open(QIODevice::ReadWrite));
        QByteArray bytes = archive.readAll();
        const int at = bytes.indexOf("payload line 2500");
        QVERIFY(at > 0);
        bytes[at] = 'P';
        archive.seek(0);
        archive.write(bytes);
        archive.close();
        QVERIFY(writeFile(dest() + QStringLiteral("/old.dll"), "old"));
        writeGoodMetadata();

        Run run = install(*setupmanager::instance(), QStringLiteral("game.7z"));
        QCOMPARE(codes(run), QList<ErrorCode>({ ErrorDefine::SETUP_ZIP_ERROR }));
        QVERIFY2(run.errors.first().second == QLatin1String("CRC Failed")
                || run.errors.first().second == QLatin1String("Data Error"),
            qPrintable(run.errors.first().second));
        QCOMPARE(run.finished, 0);
        QVERIFY(!QFile::exists(dest() + QStringLiteral("/game.7z")));
        QVERIFY(!QFile::exists(dest() + QStringLiteral("/old.dll"))); // the clean-up ran
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
        QVERIFY(QFile::link(outside, dest() + QStringLiteral("/link")));
        ZipWriter zip;
        zip.addFile("fine.txt", "fine");
        zip.addFile(itemName, "evil");
        QVERIFY(zip.save(dest() + QStringLiteral("/hostile.zip")));

        Run run = install(*setupmanager::instance(), QStringLiteral("hostile.zip"));
        QCOMPARE(codes(run),
            QList<ErrorCode>({ ErrorDefine::SETUP_ZIP_UNABLE_OPEN_OUTPUT_ERROR,
                ErrorDefine::SETUP_ZIP_UNZIP_ERROR }));
        QCOMPARE(run.errors.first().second, QString::fromUtf8(itemName));
        QVERIFY(QDir(outside).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
        QVERIFY(!QFile::exists(m_work->filePath(QStringLiteral("escaped.txt"))));
        QVERIFY(QFile::exists(dest() + QStringLiteral("/hostile.zip")));
    }

    void windowsSeparatorsAndStoredLinks()
    {
        const QString outside = m_work->filePath(QStringLiteral("outside.txt"));
        QVERIFY(writeFile(outside, "keep"));
        ZipWriter zip;
        zip.addFile("bin\\tools\\run.sh", "run", 0100755);
        zip.addSymlink("shortcut", QFile::encodeName(outside));
        zip.addFile("setuid", "x", 0104755);
        QVERIFY(zip.save(dest() + QStringLiteral("/win.zip")));
        writeGoodMetadata();

        Run run = install(*setupmanager::instance(), QStringLiteral("win.zip"));
        QVERIFY2(run.errors.isEmpty(), qPrintable(run.errors.value(0).second));
        QCOMPARE(readFile(dest() + QStringLiteral("/bin/tools/run.sh")), QByteArray("run"));
        QCOMPARE(modeOf(dest() + QStringLiteral("/bin/tools/run.sh")), mode_t(0755));
        QVERIFY(run.items.contains(QStringLiteral("bin/tools/run.sh")));
        const QFileInfo link(dest() + QStringLiteral("/shortcut"));
        QVERIFY(!link.isSymLink());
        QCOMPARE(readFile(link.filePath()), QFile::encodeName(outside));
        QCOMPARE(modeOf(dest() + QStringLiteral("/setuid")), mode_t(0755));
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
        QTest::newRow("paths outside are skipped")
            << QByteArray("../victim.txt\nVICTIM\nlink/victim.txt\nold/a.dll\n")
            << QStringList { "old/a.dll", "deletefiles.txt" } << QStringList { "old/b.dll" }
            << false;
    }

    void deleteList()
    {
        QFETCH(QByteArray, list);
        QFETCH(QStringList, gone);
        QFETCH(QStringList, kept);
        QFETCH(bool, fails);
        const QString victim = m_work->filePath(QStringLiteral("victim.txt"));
        QVERIFY(writeFile(victim, "mine"));
        QVERIFY(QFile::link(m_work->path(), dest() + QStringLiteral("/link")));
        list.replace("VICTIM", QFile::encodeName(victim));
        for (const char *name : { "/old/a.dll", "/old/b.dll", "/old/c.dll" })
            QVERIFY(writeFile(dest() + QLatin1String(name), "old"));
        QVERIFY(writeFile(source() + QStringLiteral("/deletefiles.txt"), list));
        QVERIFY(writeFile(source() + QStringLiteral("/new.dll"), "new"));
        QVERIFY(pack(QStringLiteral("update.7z")));
        writeGoodMetadata();

        Run run = install(*setupmanager::instance(), QStringLiteral("update.7z"));
        for (const QString &name : gone)
            QVERIFY2(!QFile::exists(dest() + QLatin1Char('/') + name), qPrintable(name));
        for (const QString &name : kept)
            QVERIFY2(QFile::exists(dest() + QLatin1Char('/') + name), qPrintable(name));
        QCOMPARE(readFile(victim), QByteArray("mine"));
        QCOMPARE(run.finished, fails ? 0 : 1);
        if (fails) {
            QCOMPARE(codes(run), QList<ErrorCode>({ ErrorDefine::SETUP_DELETE_OLD_FILE_ERROR }));
            QCOMPARE(run.errors.first().second,
                dest() + QStringLiteral("/old message_setup_delete_old_file_error"));
        }
    }

    void unreadableDeleteListEndsTheRun()
    {
        QVERIFY(QDir().mkpath(source() + QStringLiteral("/deletefiles.txt")));
        QVERIFY(writeFile(source() + QStringLiteral("/deletefiles.txt/x"), "x"));
        QVERIFY(pack(QStringLiteral("odd.7z")));
        Run run = install(*setupmanager::instance(), QStringLiteral("odd.7z"));
        QCOMPARE(codes(run), QList<ErrorCode>({ ErrorDefine::SETUP_DELETE_OLD_FILE_ERROR }));
        QCOMPARE(run.errors.first().second,
            dest() + QStringLiteral("/deletefiles.txt message_setup_delete_old_file_error"));
        QCOMPARE(run.finished, 0);
    }

    void metadataFallbacks()
    {
        const QString primary
            = dest() + QStringLiteral("/Quorvela_Data/Managed/Metadata/global-metadata.dat");
        QVERIFY(writeFile(
            source() + QStringLiteral("/Quorvela_Data/Managed/Metadata/global-metadata.dat"), ""));
        QVERIFY(writeFile(
            source() + QStringLiteral("/Quorvela_Data/Native/Data/Metadata/global-metadata.dat"),
            "fallback"));
        QVERIFY(pack(QStringLiteral("game.7z")));
        Run run = install(*setupmanager::instance(), QStringLiteral("game.7z"));
        QCOMPARE(run.order, QStringList({ "dismiss", "finished" }));
        QCOMPARE(readFile(primary), QByteArray("fallback"));

        init();
        QVERIFY(writeFile(source() + QStringLiteral("/other.txt"), "x"));
        QVERIFY(pack(QStringLiteral("game.7z")));
        run = install(*setupmanager::instance(), QStringLiteral("game.7z"));
        QCOMPARE(run.order, QStringList({ "dismiss", "metaerror", "finished" }));
    }

    void missingEngine()
    {
        QVERIFY(writeFile(source() + QStringLiteral("/a.txt"), "a"));
        QVERIFY(pack(QStringLiteral("game.7z")));
        qputenv("TESSARIL_ARCHIVE_ENGINE",
            QFile::encodeName(m_work->filePath(QStringLiteral("no/7z.so"))));
        setupmanager fresh;
        Run run = install(fresh, QStringLiteral("game.7z"));
        QCOMPARE(codes(run), QList<ErrorCode>({ ErrorDefine::SETUP_DLL_ERROR }));
        QCOMPARE(run.errors.first().second, QStringLiteral("message_setup_dll_error"));
        QVERIFY(QFile::exists(dest() + QStringLiteral("/game.7z")));
    }

    void secondObjectReportsItsOwnItemErrors()
    {
        ZipWriter zip;
        zip.addFile("../escaped.txt", "evil");
        QVERIFY(zip.save(dest() + QStringLiteral("/plugin.zip")));
        QSignalSpy gameErrors(setupmanager::instance(), &setupmanager::setupError);
        setupmanager plugin;
        Run run = install(plugin, QStringLiteral("plugin.zip"));
        QCOMPARE(codes(run),
            QList<ErrorCode>({ ErrorDefine::SETUP_ZIP_UNABLE_OPEN_OUTPUT_ERROR,
                ErrorDefine::SETUP_ZIP_UNZIP_ERROR }));
        QCOMPARE(gameErrors.count(), 0);
    }
};

TESSARIL_TEST_MAIN(tst_SetupManager)
#include "tst_setupmanager.moc"
