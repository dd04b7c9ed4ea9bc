#include "net/httprequestapi.h"
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

using Request = std::tuple<QString, int, QByteArray, QString>;

} // namespace

Q_DECLARE_METATYPE(Request)

class tst_HttpRequestAPI : public QObject
{
    Q_OBJECT

private:
    HttpTestServer m_service;

    static RequestCallback collect(QList<Outcome> &outcomes)
    {
        return [&outcomes](bool ok, const QByteArray &body, const QString &errorText, int status) {
            outcomes.append({ ok, body, errorText, status });
        };
    }

private slots:
    void initTestCase() { m_service.route(QStringLiteral("/ok"), "{\"data\":{}}"); }

    void init() { m_service.clearRequests(); }

    void outcomes_data()
    {
        // The path ("closed": a port nobody listens on), then the status,
        // body and a part of the error text the callback is given.
        QTest::addColumn<Request>("row");
        QTest::newRow("success") << Request { "/ok", 200, "{\"data\":{}}", QString() };
        QTest::newRow("404") << Request { "/missing", 404, QByteArray(), "Not Found" };
        QTest::newRow("unreachable") << Request { "closed", 0, QByteArray(), "refused" };
    }

    void outcomes()
    {
        QFETCH(Request, row);
        const auto [path, status, body, error] = row;
        QString url = m_service.url(path);
        if (path == QLatin1String("closed")) {
            QTcpServer closed;
            QVERIFY(closed.listen(QHostAddress::LocalHost));
            url = QStringLiteral("http://127.0.0.1:%1/x").arg(closed.serverPort());
        }
        HttpRequestAPI api;
        QSignalSpy failed(&api, &HttpRequestAPI::requestFailed);
        QList<Outcome> outcomes;
        api.get(url, collect(outcomes));
        QTRY_COMPARE(outcomes.size(), 1);
        QCOMPARE(QVariantList({ outcomes[0].ok, outcomes[0].status, outcomes[0].body }),
            QVariantList({ error.isEmpty(), status, body }));
        QVERIFY2(outcomes[0].errorText.contains(error, Qt::CaseInsensitive),
            qPrintable(outcomes[0].errorText));
        QCOMPARE(outcomes[0].errorText.isEmpty(), error.isEmpty());
        QCOMPARE(failed.count(), error.isEmpty() ? 0 : 1);
        if (!error.isEmpty())
            QCOMPARE(failed.first(), QVariantList({ url, status, outcomes[0].errorText }));
    }

    void lateReplyCallsBackTwice()
    {
        HttpRoute slow;
        slow.body = "late";
        slow.delayMs = 600;
        m_service.route(QStringLiteral("/slow"), slow);

        HttpRequestAPI api;
        api.setTimeoutMs(150);
        QSignalSpy timedOut(&api, &HttpRequestAPI::requestTimedOut);
        QList<Outcome> outcomes;
        api.get(m_service.url(QStringLiteral("/slow")), collect(outcomes));
        QTRY_COMPARE(outcomes.size(), 1);
        QCOMPARE(QVariantList({ outcomes[0].ok, outcomes[0].status, outcomes[0].errorText }),
            QVariantList({ false, 638, "HTTP_REQUEST_TIMEOUT" }));
        QCOMPARE(timedOut, QList<QVariantList>({ { m_service.url(QStringLiteral("/slow")) } }));
        QTRY_COMPARE(outcomes.size(), 2);
        QCOMPARE(QVariantList({ outcomes[1].ok, outcomes[1].status, outcomes[1].body }),
            QVariantList({ true, 200, QByteArray("late") }));
        QCOMPARE(timedOut.count(), 1);
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
};

TESSARIL_TEST_MAIN(tst_HttpRequestAPI)
#include "tst_httprequestapi.moc"
