#include "net/httprequestapi.h"
#include "report/statusreport.h"
#include "tests/support/httptestserver.h"
#include "tests/support/testenvironment.h"

#include <QtTest>

namespace {

struct Outcome
{
    bool ok = false;
    QByteArray body;
    QString errorText;
    int status = -1;
};

} // namespace

class tst_HttpRequestAPI : public QObject
{
    Q_OBJECT

private:
    HttpTestServer m_service;
    HttpTestServer m_logging;

    static RequestCallback collect(QList<Outcome> &outcomes)
    {
        return [&outcomes](bool ok, const QByteArray &body, const QString &errorText, int status) {
            outcomes.append({ ok, body, errorText, status });
        };
    }

private slots:
    void initTestCase()
    {
        qputenv("TESSARIL_REPORT_ORIGIN", m_logging.origin().toUtf8());
        m_service.route(QStringLiteral("/ok"), "{\"data\":{}}");
    }

    void init()
    {
        m_service.clearRequests();
        m_logging.clearRequests();
    }

    void successDeliversBody()
    {
        HttpRequestAPI api;
        QList<Outcome> outcomes;
        api.get(m_service.url(QStringLiteral("/ok")), collect(outcomes));
        QTRY_COMPARE(outcomes.size(), 1);
        QVERIFY(outcomes[0].ok);
        QCOMPARE(outcomes[0].body, QByteArray("{\"data\":{}}"));
        QCOMPARE(outcomes[0].status, 200);
        QVERIFY(outcomes[0].errorText.isEmpty());
    }

    void notFoundIsAFailureAndReported()
    {
        HttpRequestAPI api;
        StatusReport::instance()->watch(&api);
        QList<Outcome> outcomes;
        api.get(m_service.url(QStringLiteral("/missing")), collect(outcomes));
        QTRY_COMPARE(outcomes.size(), 1);
        QVERIFY(!outcomes[0].ok);
        QVERIFY(outcomes[0].body.isEmpty());
        QCOMPARE(outcomes[0].status, 404);
        QVERIFY2(outcomes[0].errorText.contains(QStringLiteral("Not Found")),
            qPrintable(outcomes[0].errorText));

        QTRY_COMPARE(m_logging.requests().size(), 1);
        const RecordedRequest report = m_logging.requests().first();
        QCOMPARE(report.path, QStringLiteral("/client_report"));
        QVERIFY(report.target.startsWith("/client_report?action=LAUNCHER_NETWORK_ERROR&"));
        QVERIFY(report.target.contains("statusCode:404;"));
    }

    void unreachableHostGivesStatusZero()
    {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const quint16 port = closed.serverPort();
        closed.close();

        HttpRequestAPI api;
        QList<Outcome> outcomes;
        api.get(QStringLiteral("http://127.0.0.1:%1/x").arg(port), collect(outcomes));
        QTRY_COMPARE(outcomes.size(), 1);
        QVERIFY(!outcomes[0].ok);
        QCOMPARE(outcomes[0].status, 0);
        QVERIFY(!outcomes[0].errorText.isEmpty());
        QTest::qWait(200);
        QVERIFY(m_logging.requests().isEmpty());
    }

    void lateReplyCallsBackTwice()
    {
        HttpRoute slow;
        slow.body = "late";
        slow.delayMs = 12000;
        m_service.route(QStringLiteral("/slow"), slow);

        HttpRequestAPI api;
        StatusReport::instance()->watch(&api);
        QList<Outcome> outcomes;
        QElapsedTimer clock;
        clock.start();
        api.get(m_service.url(QStringLiteral("/slow")), collect(outcomes));
        QTRY_COMPARE_WITH_TIMEOUT(outcomes.size(), 1, 11800);
        const qint64 timedOutAfter = clock.elapsed();
        // Before the reply, which comes at 12 s; a loaded machine may be late.
        QVERIFY2(timedOutAfter >= 9900 && timedOutAfter < 11800,
            qPrintable(QString::number(timedOutAfter)));
        QVERIFY(!outcomes[0].ok);
        QCOMPARE(outcomes[0].errorText, QStringLiteral("HTTP_REQUEST_TIMEOUT"));
        QCOMPARE(outcomes[0].status, 638);
        QTRY_VERIFY(!m_logging.requestsFor(QStringLiteral("/client_report")).isEmpty());
        QVERIFY(m_logging.requests().first().target.contains("action=LAUNCHER_NETWORK_TIMEOUT&"));

        QTRY_COMPARE_WITH_TIMEOUT(outcomes.size(), 2, 5000);
        QVERIFY(outcomes[1].ok);
        QCOMPARE(outcomes[1].body, QByteArray("late"));
        QCOMPARE(outcomes[1].status, 200);
    }

    void headersStayForLaterRequests()
    {
        HttpRequestAPI api;
        api.setRawHeader("content-type", "application/json");
        QList<Outcome> outcomes;
        api.get(m_service.url(QStringLiteral("/ok")), collect(outcomes));
        QTRY_COMPARE(outcomes.size(), 1);
        api.get(m_service.url(QStringLiteral("/ok?again=1")), collect(outcomes));
        QTRY_COMPARE(outcomes.size(), 2);
        const QList<RecordedRequest> sent = m_service.requestsFor(QStringLiteral("/ok"));
        QCOMPARE(sent.size(), 2);
        for (const RecordedRequest &request : sent)
            QCOMPARE(request.headers.value("content-type"), QByteArray("application/json"));
        QCOMPARE(sent[1].query.queryItemValue(QStringLiteral("again")), QStringLiteral("1"));
    }

    void retryFromInsideTheCallback()
    {
        HttpRequestAPI api;
        int failures = 0;
        Outcome last;
        std::function<void()> attempt;
        attempt = [&] {
            api.get(
                m_service.url(failures < 3 ? QStringLiteral("/missing") : QStringLiteral("/ok")),
                [&, marker = QString(1000, QLatin1Char('x'))](
                    bool ok, const QByteArray &body, const QString &, int status) {
                    QCOMPARE(marker.size(), 1000); // captures survive the replacement
                    if (!ok) {
                        ++failures;
                        attempt();
                        return;
                    }
                    last = { ok, body, QString(), status };
                });
        };
        attempt();
        QTRY_COMPARE(last.status, 200);
        QCOMPARE(failures, 3);
    }

    void endlessBodyIsCutOff()
    {
        HttpRoute huge;
        huge.body = QByteArray(50 * 1024 * 1024, '[');
        m_service.route(QStringLiteral("/huge"), huge);
        HttpRequestAPI api;
        QList<Outcome> outcomes;
        api.get(m_service.url(QStringLiteral("/huge")), collect(outcomes));
        QTRY_COMPARE_WITH_TIMEOUT(outcomes.size(), 1, 9000);
        QVERIFY(!outcomes[0].ok);
        QVERIFY(outcomes[0].body.isEmpty());
        QVERIFY2(outcomes[0].errorText.contains(QStringLiteral("larger than")),
            qPrintable(outcomes[0].errorText));
    }
};

TESSARIL_TEST_MAIN(tst_HttpRequestAPI)
#include "tst_httprequestapi.moc"
