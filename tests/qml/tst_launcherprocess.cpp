#include "core/buildinfo.h"
#include "platform/namedmutex.h"
#include "tests/support/servicestub.h"
#include "tests/support/testenvironment.h"

#include <QtTest>

// The launcher program itself, started as real processes against services on
// this machine. It runs from a copy in a temporary folder, since it keeps its
// file and the default game folder beside itself.
class tst_LauncherProcess : public QObject
{
    Q_OBJECT

private:
    ServiceStub m_services;
    QTemporaryDir m_programFolder;
    QString m_program = m_programFolder.filePath(QStringLiteral("TessarilLauncher"));

    bool start(QProcess &launcher, const QStringList &args = {})
    {
        // The services' origins are in this process's environment.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        launcher.setProcessEnvironment(environment);
        launcher.setProcessChannelMode(QProcess::MergedChannels);
        launcher.start(m_program, args);
        return launcher.waitForStarted();
    }

    bool homeShown() const
    {
        for (const RecordedRequest &request : m_services.requestsFor(ServiceStub::kReport))
            if (request.target.contains("action=LAUNCHER_HOME_SHOW"))
                return true;
        return false;
    }

private slots:
    void initTestCase()
    {
        const QFileInfo built(qEnvironmentVariable("TESSARIL_LAUNCHER"));
        QVERIFY(QFile::copy(built.filePath(), m_program));
        QVERIFY(QFile::link(built.dir().filePath(QStringLiteral("language")),
            m_programFolder.filePath(QStringLiteral("language"))));
    }

    // Held by the updater, the lock keeps a plain start out before it opens a
    // window or asks anything; the updater's own start runs, and a later start
    // hands over to it and leaves.
    void updaterLockKeepsTheLauncherOut()
    {
        platform::NamedMutexHolder updater(updateMutexName());
        QVERIFY(updater.isOwner());

        QProcess plain;
        QVERIFY(start(plain));
        QTRY_COMPARE_WITH_TIMEOUT(plain.state(), QProcess::NotRunning, 15000);
        QCOMPARE(plain.exitCode(), 255);
        QVERIFY(m_services.settle());
        for (const RecordedRequest &request : m_services.requests())
            qWarning() << "unexpected request" << request.target;
        QVERIFY(m_services.requests().isEmpty()); // no window, no request

        QProcess byUpdater;
        QVERIFY(start(byUpdater, { QStringLiteral("update") }));
        QTRY_VERIFY_WITH_TIMEOUT(homeShown(), 30000);
        QVERIFY(m_services.requestsFor(ServiceStub::kRelease).isEmpty());

        QProcess second;
        QVERIFY(start(second));
        QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 15000);
        QCOMPARE(second.exitCode(), 255); // -1
        QByteArray output;
        QTRY_VERIFY_WITH_TIMEOUT(
            (output += byUpdater.readAll()).contains("handle msg \"raise_window_noop\""), 5000);
        QCOMPARE(byUpdater.state(), QProcess::Running);
        byUpdater.kill();
        byUpdater.waitForFinished();
    }
};

TESSARIL_TEST_MAIN(tst_LauncherProcess)
#include "tst_launcherprocess.moc"
