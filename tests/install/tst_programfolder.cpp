#include "tests/support/testdata.h"
#include "tests/support/testenvironment.h"

#include <QtTest>

// The folder `cmake --install` makes must work wherever a player puts it:
// it is installed once, then moved, and run from somewhere else.
class tst_ProgramFolder : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_scratch;
    QString m_folder;

private slots:
    void initTestCase()
    {
        const QString installed = m_scratch.filePath(QStringLiteral("installed"));
        QProcess cmake;
        cmake.setProcessChannelMode(QProcess::MergedChannels);
        cmake.start(QStringLiteral(TESSARIL_CMAKE),
            { QStringLiteral("--install"), QStringLiteral(TESSARIL_BUILD_DIR),
                QStringLiteral("--prefix"), installed });
        QVERIFY(cmake.waitForFinished(60000));
        QVERIFY2(cmake.exitCode() == 0, cmake.readAll().constData());

        // A space on the way, as in many home folders.
        m_folder = m_scratch.filePath(QStringLiteral("moved away/Tessaril Launcher"));
        QVERIFY(QDir().mkpath(QFileInfo(m_folder).path()));
        QVERIFY(QDir().rename(installed, m_folder));
    }

    void fileListNamesEveryProgramFile()
    {
        QStringList listed
            = QString::fromUtf8(readFile(m_folder + QStringLiteral("/tessaril-files.txt")))
                  .split(QLatin1Char('\n'));
        QCOMPARE(listed.takeLast(), QString()); // a line end after the last path
        listed.sort();
        // The updater keeps whatever the list does not name, so a file
        // missing from it would pile up with every update.
        QCOMPARE(listed, fileList(m_folder));
        // The launcher and its engine are proved by starting them, below.
        QVERIFY(listed.contains(QStringLiteral("licenses/p7zip-copyright.txt")));
#ifdef TESSARIL_HAS_UPDATER
        QVERIFY(QFileInfo(m_folder + QStringLiteral("/updateProgram/Update")).isExecutable());
#endif
    }

    void startsElsewhereWithItsOwnTranslationsAndEngine()
    {
        QTemporaryDir elsewhere;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.remove(QStringLiteral("LANGUAGE"));
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("th_TH.UTF-8"));
        environment.remove(QStringLiteral("TESSARIL_ARCHIVE_ENGINE"));
        // Nothing listens there: the launcher is only watched starting.
        for (const char *name : { "TESSARIL_CONTENT_ORIGIN", "TESSARIL_REPORT_ORIGIN",
                 "TESSARIL_RELEASE_ORIGIN", "TESSARIL_WEB_ORIGIN", "TESSARIL_LAUNCHER_API_ORIGIN" })
            environment.insert(QLatin1String(name), QStringLiteral("http://127.0.0.1:1"));
        QProcess launcher;
        launcher.setProcessEnvironment(environment);
        launcher.setWorkingDirectory(elsewhere.path());
        launcher.setProcessChannelMode(QProcess::MergedChannels);
        launcher.start(m_folder + QStringLiteral("/TessarilLauncher"), QStringList());
        QVERIFY(launcher.waitForStarted());
        QByteArray output;
        QTRY_VERIFY_WITH_TIMEOUT((output += launcher.readAll()).contains("archive engine:"), 30000);
        launcher.kill();
        launcher.waitForFinished();

        const QString log = QString::fromLocal8Bit(output);
        const QString language
            = QStringLiteral("language: th-th %1/language/i18n_th.qm").arg(m_folder);
        const QString engine = QStringLiteral("archive engine: %1/7z.so").arg(m_folder);
        QVERIFY2(log.contains(language) && log.contains(engine), qPrintable(log));
        QVERIFY(QDir(elsewhere.path()).isEmpty());
    }
};

TESSARIL_TEST_MAIN(tst_ProgramFolder)
#include "tst_programfolder.moc"
