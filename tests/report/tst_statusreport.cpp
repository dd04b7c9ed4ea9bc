#include "net/httprequestapi.h"
#include "report/statusreport.h"
#include "tests/support/servicestub.h"
#include "tests/support/testenvironment.h"

#include <QRegularExpression>
#include <QtTest>

using Extras = QMap<QString, QString>;
using Watched = std::tuple<QString, int, QByteArray>;
Q_DECLARE_METATYPE(Watched)

class tst_StatusReport : public QObject
{
    Q_OBJECT

private:
    ServiceStub m_logging;

    QByteArray sentQuery()
    {
        if (!QTest::qWaitFor([this] { return !m_logging.requests().isEmpty(); }, 5000))
            return QByteArray();
        const QByteArray target = m_logging.requests().last().target;
        return target.mid(target.indexOf('?') + 1);
    }

private slots:
    void init() { m_logging.clearRequests(); }

    void extrasBecomeExtMsg_data()
    {
        QTest::addColumn<Extras>("extras");
        QTest::addColumn<QByteArray>("tail");
        QTest::newRow("in key order, escaped")
            << Extras { { "errorDesc", "CRC Failed" }, { "errorCode", "SETUP_ZIP_ERROR" } }
            << QByteArray("&extMsg=errorCode:SETUP_ZIP_ERROR;errorDesc:CRC%20Failed;");
        QTest::newRow("a hash does not cut the query") << Extras { { "url", "https://x/#/news" },
            { "z", "after" } } << QByteArray("&extMsg=url:https://x/%23/news;z:after;");
    }

    void extrasBecomeExtMsg()
    {
        QFETCH(Extras, extras);
        QFETCH(QByteArray, tail);
        StatusReport::instance()->report(StatusReport::LAUNCHER_GAME_SETUP_ERROR, extras);
        const QByteArray query = sentQuery();
        QVERIFY(query.startsWith("action=LAUNCHER_GAME_SETUP_ERROR&appid=10&"));
        QCOMPARE(
            m_logging.requests().last().headers.value("cache-control"), QByteArray("no-cache"));
        QVERIFY2(query.endsWith(tail), query.constData());
    }

    void watchedClientFailuresAreReported_data()
    {
        QTest::addColumn<Watched>("row"); // the path asked, the time-out, the action reported
        QTest::newRow("failure") << Watched { "/missing", 10000, "LAUNCHER_NETWORK_ERROR&" };
        QTest::newRow("time-out") << Watched { "/slow", 100, "LAUNCHER_NETWORK_TIMEOUT&" };
    }

    void watchedClientFailuresAreReported()
    {
        QFETCH(Watched, row);
        const auto [path, timeoutMs, reported] = row;
        HttpRoute slow;
        slow.delayMs = 5000;
        m_logging.route(QStringLiteral("/slow"), slow);
        HttpRequestAPI client;
        client.setTimeoutMs(timeoutMs);
        StatusReport::instance()->watch(&client);
        client.get(m_logging.url(path), [](bool, const QByteArray &, const QString &, int) {});
        QTRY_VERIFY(!m_logging.requestsFor(QStringLiteral("/client_report")).isEmpty());
        const QByteArray target
            = m_logging.requestsFor(QStringLiteral("/client_report")).first().target;
        QVERIFY2(target.startsWith("/client_report?action=" + reported), target.constData());
        QVERIFY2(
            target.contains("url:" + m_logging.url(path).toLatin1() + ';'), target.constData());
        QCOMPARE(target.contains("statusCode:404;"), path == QLatin1String("/missing"));
    }

    // Every report of one run carries the same transaction.
    void transactionNumberStaysForTheRun()
    {
        const QRegularExpression transaction(QStringLiteral("(?:^|&)transaction_no=(\\d+)&"));
        const QString first
            = transaction.match(StatusReport::instance()->reportParam()).captured(1);
        StatusReport::instance()->report(StatusReport::LAUNCHER_QUIT);
        QVERIFY(!first.isEmpty());
        QCOMPARE(transaction.match(StatusReport::instance()->reportParam()).captured(1), first);
    }
};

TESSARIL_TEST_MAIN(tst_StatusReport)
#include "tst_statusreport.moc"
