#include "download/downloadmanager.h"
#include "tests/support/httptestserver.h"
#include "tests/support/testdata.h"
#include "tests/support/testenvironment.h"

#include <QCryptographicHash>
#include <QtTest>

#include <sys/inotify.h>
#include <unistd.h>

namespace {

// Tells whether anything opened a file since the watch began: a check that
// reads the file opens it, one answered from the download's own digest
// does not.
class OpenWatch
{
public:
    explicit OpenWatch(const QString &path)
        : m_fd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        ::inotify_add_watch(m_fd, QFile::encodeName(path).constData(), IN_OPEN);
    }
    ~OpenWatch() { ::close(m_fd); }

    bool opened() const
    {
        alignas(inotify_event) char buffer[4096];
        const ssize_t got = ::read(m_fd, buffer, sizeof buffer);
        for (ssize_t at = 0; at < got;) {
            const auto *event = reinterpret_cast<const inotify_event *>(buffer + at);
            if (event->mask & IN_OPEN)
                return true;
            at += ssize_t(sizeof(inotify_event) + event->len);
        }
        return false;
    }

private:
    int m_fd;
};

} // namespace

// The check after a download: answered from the digest taken while the file
// was written when it was written in one pass and is still as it was left,
// by reading the file in every other case, with the same signals either way.
class tst_DownloadCheck : public QObject
{
    Q_OBJECT

    enum Way { OnePass, LinkDropped, Resumed, Paused, Touched, Changed, AnotherFile };

private:
    HttpTestServer m_server;
    const QByteArray m_body = patterned(60000);
    std::unique_ptr<QTemporaryDir> m_dir;

    QString finalPath() const { return m_dir->filePath(QStringLiteral("pkg.zip")); }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_server.clearRequests();
    }

    void checkAfterDownload_data()
    {
        QTest::addColumn<int>("way");
        QTest::addColumn<bool>("rightChecksum");
        QTest::addColumn<bool>("readsFile");
        QTest::newRow("one pass") << int(OnePass) << true << false;
        QTest::newRow("one pass, wrong checksum") << int(OnePass) << false << false;
        // The task took up the transfer again itself: every byte still came
        // through the manager in order.
        QTest::newRow("link dropped, the task went on") << int(LinkDropped) << true << false;
        QTest::newRow("resumed from an earlier run") << int(Resumed) << true << true;
        QTest::newRow("paused and continued") << int(Paused) << true << true;
        QTest::newRow("touched afterwards") << int(Touched) << true << true;
        QTest::newRow("changed afterwards") << int(Changed) << true << true;
        QTest::newRow("another file") << int(AnotherFile) << true << true;
    }

    void checkAfterDownload()
    {
        QFETCH(int, way);
        QFETCH(bool, rightChecksum);
        QFETCH(bool, readsFile);
        HttpRoute whole;
        whole.body = m_body;
        HttpRoute firstPart = whole;
        if (way == Paused)
            firstPart.stallAfterBytes = 20000;
        if (way == LinkDropped)
            firstPart.closeAfterBytes = 20000;
        m_server.routeSequence(QStringLiteral("/pkg.zip"), { whole, firstPart, whole });
        const QString store = m_dir->filePath(QStringLiteral("resume.ini"));
        if (way == Resumed) {
            QVERIFY(writeFile(finalPath() + QStringLiteral("_tmp"),
                m_body.left(5000) + QByteArray(m_body.size() - 5000, '\0')));
            QSettings(store, QSettings::IniFormat).setValue(QStringLiteral("pkg.zip/0"), 5000);
        }
        const QString md5 = QString::fromLatin1(
            QCryptographicHash::hash(m_body, QCryptographicHash::Md5).toHex());

        downloadmanager manager;
        manager.setResumeStore(store);
        manager.setBackoffBaseMs(5);
        QSignalSpy finished(&manager, &downloadmanager::downloadFinished);
        QStringList events;
        connect(&manager, &downloadmanager::md5CheckStart, [&events] { events << "start"; });
        connect(&manager, &downloadmanager::md5CheckFinish, [&events] { events << "finish"; });
        connect(&manager, &downloadmanager::downloadError,
            [&events](ErrorCode code, const QString &) { events << errorCodeText(code); });
        manager.setUrl(QUrl(m_server.url(QStringLiteral("/pkg.zip"))));
        manager.setFilePath(m_dir->path());
        manager.setFileMD5(rightChecksum ? md5 : QString(32, QLatin1Char('0')));
        manager.startDownload();
        if (way == Paused) {
            QTRY_COMPARE(manager.getDownloadedSize(), 20000);
            manager.stopDownlaod();
            manager.startDownload();
        }
        QVERIFY(finished.wait());
        QCOMPARE(readFile(finalPath()), m_body);

        QString checked = finalPath();
        if (way == Touched || way == Changed) {
            const QDateTime modified = QFileInfo(checked).lastModified();
            QFile file(checked);
            QVERIFY(file.open(QIODevice::ReadWrite));
            if (way == Changed) {
                QVERIFY(file.seek(30000));
                QVERIFY(file.putChar('x'));
                // Written now, or its flush at close would set the time
                // again, maybe within the clock tick the download ended in.
                QVERIFY(file.flush());
            }
            // Set apart from the download's own time, however quick the test.
            QVERIFY(file.setFileTime(modified.addSecs(5), QFileDevice::FileModificationTime));
        } else if (way == AnotherFile) {
            checked = m_dir->filePath(QStringLiteral("copy.zip"));
            QVERIFY(QFile::copy(finalPath(), checked));
        }
        const OpenWatch watch(checked);
        manager.fileMd5(checked);
        QTRY_COMPARE(events.size(), 2);
        QCOMPARE(watch.opened(), readsFile);
        const bool passes = rightChecksum && way != Changed;
        QCOMPARE(events,
            QStringList({ QStringLiteral("start"),
                passes ? QStringLiteral("finish") : QStringLiteral("DOWNLOAD_MD5_ERROR") }));
        // A mismatch removes the file, so the next attempt fetches it anew.
        QCOMPARE(QFile::exists(finalPath()), passes);
    }
};

TESSARIL_TEST_MAIN(tst_DownloadCheck)
#include "tst_downloadcheck.moc"
