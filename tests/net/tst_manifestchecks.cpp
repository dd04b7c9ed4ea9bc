#include "net/updateversioninfo.h"
#include "tests/support/httptestserver.h"
#include "tests/support/testenvironment.h"

#include <QtTest>

// What a hostile or broken manifest carries must not cost a download or
// start a program outside the install folder.
class tst_ManifestChecks : public QObject
{
    Q_OBJECT

private:
    HttpTestServer m_packages;

    QByteArray manifest(const QString &latestFields, const QString &diffFields = QString()) const
    {
        return QStringLiteral(
            "{\"data\":{\"game\":{\"latest\":{\"version\":\"2.0.0\",\"path\":\"%1\"%2},"
            "\"diffs\":[{\"version\":\"1.0.0\",\"path\":\"%1\"%3}]}}}")
            .arg(m_packages.url(QStringLiteral("/game.7z")), latestFields, diffFields)
            .toUtf8();
    }

private slots:
    void sizesOutsideAWholeByteCountAreAskedFor_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<qint64>("expected"); // -1: unknown, the host is asked
        QTest::newRow("number") << "1073741824" << qint64(1073741824);
        QTest::newRow("text beyond 32 bits") << "\"5368709120\"" << qint64(5368709120LL);
        QTest::newRow("2^50") << "1125899906842624" << qint64(1125899906842624LL);
        QTest::newRow("negative") << "-1" << qint64(-1);
        QTest::newRow("negative text") << "\"-1\"" << qint64(-1);
        QTest::newRow("huge") << "1e30" << qint64(-1);
        QTest::newRow("huge text") << "\"1e30\"" << qint64(-1);
        QTest::newRow("fraction") << "1.5" << qint64(-1);
        QTest::newRow("fraction text") << "\"1.5\"" << qint64(-1);
        QTest::newRow("beyond 2^50") << "1125899906842625" << qint64(-1);
        QTest::newRow("trailing junk") << "\"12abc\"" << qint64(-1);
    }

    void sizesOutsideAWholeByteCountAreAskedFor()
    {
        QFETCH(QString, size);
        QFETCH(qint64, expected);
        HttpRoute package;
        package.contentLength = 4096;
        m_packages.route(QStringLiteral("/game.7z"), package);
        m_packages.clearRequests();

        UpdateVersionInfo info;
        QSignalSpy known(&info, &UpdateVersionInfo::latestSizeKnown);
        const bool text = size.startsWith(QLatin1Char('"'));
        info.parseGameInfo(manifest(QStringLiteral(",\"size\":") + size,
            text ? QStringLiteral(",\"size\":") + size : QString()));
        if (expected >= 0) {
            QCOMPARE(info.latestSize(), expected);
            QCOMPARE(m_packages.requests().size(), 0);
            if (text)
                QCOMPARE(info.getSize(QStringLiteral("1.0.0")), expected);
            return;
        }
        QCOMPARE(info.latestSize(), 0);
        QCOMPARE(info.getSize(QStringLiteral("1.0.0")), 0);
        QVERIFY(known.wait());
        QCOMPARE(info.latestSize(), 4096);
    }

    void md5MustBeThirtyTwoHexDigits_data()
    {
        QTest::addColumn<QString>("md5");
        QTest::addColumn<bool>("usable");
        QTest::newRow("empty: unverified but usable") << "" << true;
        QTest::newRow("lower hex") << "0123456789abcdef0123456789abcdef" << true;
        QTest::newRow("upper hex") << "0123456789ABCDEF0123456789ABCDEF" << true;
        QTest::newRow("short") << "0123456789abcdef" << false;
        QTest::newRow("not hex") << "0123456789abcdef0123456789abcdeg" << false;
        QTest::newRow("padded") << " 0123456789abcdef0123456789abcdef" << false;
    }

    void md5MustBeThirtyTwoHexDigits()
    {
        QFETCH(QString, md5);
        QFETCH(bool, usable);
        UpdateVersionInfo info;
        const QString field = QStringLiteral(",\"md5\":\"%1\",\"size\":\"10\"").arg(md5);
        info.parseGameInfo(manifest(field, field));
        QCOMPARE(info.packageProblem(QString()).isEmpty(), usable);
        QCOMPARE(info.packageProblem(QStringLiteral("1.0.0")).isEmpty(), usable);
        if (!usable)
            QCOMPARE(info.packageProblem(QString()), QStringLiteral("message_package_md5_invalid"));
    }

    void entryMustBeAPlainName_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("kept");
        QTest::newRow("plain") << "Quorvela.x86_64"
                               << "Quorvela.x86_64";
        QTest::newRow("climb") << "../../outside/run.sh"
                               << "";
        QTest::newRow("absolute") << "/bin/sh"
                                  << "";
        QTest::newRow("windows climb") << "..\\\\x.exe"
                                       << "";
        QTest::newRow("drive") << "C:run.exe"
                               << "";
    }

    void entryMustBeAPlainName()
    {
        QFETCH(QString, entry);
        QFETCH(QString, kept);
        UpdateVersionInfo info;
        info.parseGameInfo(manifest(QStringLiteral(",\"size\":1,\"entry\":\"%1\"").arg(entry)));
        QCOMPARE(info.latestEntry(), kept);
    }
};

TESSARIL_TEST_MAIN(tst_ManifestChecks)
#include "tst_manifestchecks.moc"
