#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QTcpServer>
#include <QUrlQuery>

class QTcpSocket;

// What the server does for one path. The defaults answer 200 with the body.
struct HttpRoute
{
    int status = 200;
    QByteArray reason = "OK";
    QByteArray body;
    QByteArray location; // sent as Location when not empty (redirects)
    bool honourRange = true; // answer "Range" with 206; false: plain 200 with the whole body
    qint64 rangeShift = 0; // a 206 starts this many bytes after the asked one, and says so
    bool sendContentRange = true;
    bool sendContentLength = true;
    qint64 contentLength = -1; // announce this instead of the real length
    int delayMs = 0; // wait this long before answering
    qint64 stallAfterBytes = -1; // send this many body bytes, then nothing more
    qint64 closeAfterBytes = -1; // send this many body bytes, then close the connection
    int chunkBytes = 0; // with chunkIntervalMs: pace the body in pieces this big
    int chunkIntervalMs = 0;
    // GET only: the body as one chunk of a chunked response whose last chunk
    // never comes.
    bool endlessChunked = false;
};

struct RecordedRequest
{
    QByteArray method;
    QByteArray target; // as sent: path and raw query
    QString path;
    QUrlQuery query;
    QHash<QByteArray, QByteArray> headers; // names in lower case
};

// A small HTTP/1.1 server on a random loopback port for tests: scripted
// answers per path, keep-alive, ranges, and faults on demand. Paths without
// a route get 404.
class HttpTestServer : public QObject
{
    Q_OBJECT

public:
    explicit HttpTestServer(QObject *parent = nullptr);

    QString origin() const;
    QString url(const QString &pathAndQuery) const { return origin() + pathAndQuery; }

    void route(const QString &path, const HttpRoute &route) { m_routes.insert(path, { route }); }
    void route(const QString &path, const QByteArray &body, int status = 200);
    // Each request to path takes the next answer; the last one then repeats.
    void routeSequence(const QString &path, const QList<HttpRoute> &answers)
    {
        m_routes.insert(path, answers);
    }

    const QList<RecordedRequest> &requests() const { return m_requests; }
    QList<RecordedRequest> requestsFor(const QString &path) const;
    void clearRequests() { m_requests.clear(); }

    // Asks "/settle" (never recorded) from a client of its own and waits for
    // the answer. A request some other client sent before then has arrived
    // by that time, so a test can tell that nothing more was asked without
    // sleeping.
    bool settle();

private:
    void onReadyRead(QTcpSocket *socket);
    void answer(QTcpSocket *socket, const RecordedRequest &request, const HttpRoute &route);
    HttpRoute routeFor(const QString &path);
    void sendPaced(QTcpSocket *socket, const QByteArray &body, int chunkBytes, int intervalMs);

    // Declared before the server, whose sockets clear their entry here as
    // they are destroyed with it.
    QHash<QTcpSocket *, QByteArray> m_buffers;
    QTcpServer m_server;
    QHash<QString, QList<HttpRoute>> m_routes;
    QList<RecordedRequest> m_requests;
};
