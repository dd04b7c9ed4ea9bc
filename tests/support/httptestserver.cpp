#include "tests/support/httptestserver.h"

#include <QPointer>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

namespace {

struct ByteRange
{
    qint64 first = 0;
    qint64 last = -1; // -1: to the end
};

bool parseRange(const QByteArray &header, ByteRange &range)
{
    static const QRegularExpression pattern(QStringLiteral("^bytes=(\\d+)-(\\d*)$"));
    const QRegularExpressionMatch match = pattern.match(QString::fromLatin1(header.trimmed()));
    if (!match.hasMatch())
        return false;
    range.first = match.captured(1).toLongLong();
    range.last = match.captured(2).isEmpty() ? -1 : match.captured(2).toLongLong();
    return true;
}

} // namespace

HttpTestServer::HttpTestServer(QObject *parent)
    : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, &HttpTestServer::onNewConnection);
    m_server.listen(QHostAddress::LocalHost, 0);
}

QString HttpTestServer::origin() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(port());
}

void HttpTestServer::route(const QString &path, const QByteArray &body, int status)
{
    HttpRoute r;
    r.status = status;
    r.reason = status == 200 ? QByteArray("OK") : QByteArray("Status");
    r.body = body;
    route(path, r);
}

void HttpTestServer::routeSequence(const QString &path, const QList<HttpRoute> &answers)
{
    m_routes.remove(path);
    m_sequences.insert(path, answers);
}

HttpRoute HttpTestServer::routeFor(const QString &path)
{
    auto sequence = m_sequences.find(path);
    if (sequence != m_sequences.end() && !sequence->isEmpty())
        return sequence->size() > 1 ? sequence->takeFirst() : sequence->first();
    if (m_routes.contains(path))
        return m_routes.value(path);
    HttpRoute missing;
    missing.status = 404;
    missing.reason = "Not Found";
    missing.body = "no such path";
    return missing;
}

void HttpTestServer::sendPaced(
    QTcpSocket *socket, const QByteArray &body, int chunkBytes, int intervalMs)
{
    QPointer<QTcpSocket> guard(socket);
    socket->write(body.left(chunkBytes));
    if (body.size() <= chunkBytes)
        return;
    const QByteArray rest = body.mid(chunkBytes);
    QTimer::singleShot(intervalMs, this, [this, guard, rest, chunkBytes, intervalMs] {
        if (guard && guard->state() == QAbstractSocket::ConnectedState)
            sendPaced(guard, rest, chunkBytes, intervalMs);
    });
}

QList<RecordedRequest> HttpTestServer::requestsFor(const QString &path) const
{
    QList<RecordedRequest> found;
    for (const RecordedRequest &request : m_requests) {
        if (request.path == path)
            found.append(request);
    }
    return found;
}

void HttpTestServer::onNewConnection()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QObject::destroyed, this, [this, socket] { m_buffers.remove(socket); });
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
    }
}

void HttpTestServer::onReadyRead(QTcpSocket *socket)
{
    QByteArray &buffer = m_buffers[socket];
    buffer += socket->readAll();
    // Several requests may arrive back to back on a kept-alive connection.
    for (;;) {
        const int headerEnd = buffer.indexOf("\r\n\r\n");
        if (headerEnd < 0)
            return;
        const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
        RecordedRequest request;
        const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
        request.method = requestLine.value(0);
        request.target = requestLine.value(1);
        const QUrl target(QString::fromLatin1(requestLine.value(1)));
        request.path = target.path();
        request.query = QUrlQuery(target);
        for (int i = 1; i < lines.size(); ++i) {
            const int colon = lines.at(i).indexOf(':');
            if (colon > 0)
                request.headers.insert(lines.at(i).left(colon).trimmed().toLower(),
                    lines.at(i).mid(colon + 1).trimmed());
        }
        const int bodyLength = request.headers.value("content-length").toInt();
        if (buffer.size() < headerEnd + 4 + bodyLength)
            return;
        buffer.remove(0, headerEnd + 4 + bodyLength);
        m_requests.append(request);
        emit requestReceived(request);

        const HttpRoute route = routeFor(request.path);
        if (route.delayMs > 0) {
            QPointer<QTcpSocket> guard(socket);
            QTimer::singleShot(route.delayMs, this, [this, guard, request, route] {
                if (guard)
                    answer(guard, request, route);
            });
        } else {
            answer(socket, request, route);
        }
    }
}

void HttpTestServer::answer(
    QTcpSocket *socket, const RecordedRequest &request, const HttpRoute &route)
{
    QByteArray body = route.body;
    int status = route.status;
    QByteArray reason = route.reason;
    QList<QPair<QByteArray, QByteArray>> headers = route.headers;
    ByteRange range;
    if (status == 200 && route.honourRange && request.headers.contains("range")
        && parseRange(request.headers.value("range"), range)) {
        const qint64 size = body.size();
        if (range.first >= size) {
            status = 416;
            reason = "Range Not Satisfiable";
            headers.append({ "Content-Range", "bytes */" + QByteArray::number(size) });
            body.clear();
        } else {
            const qint64 last = range.last < 0 || range.last >= size ? size - 1 : range.last;
            status = 206;
            reason = "Partial Content";
            headers.append({ "Content-Range",
                QByteArray("bytes ") + QByteArray::number(range.first) + '-'
                    + QByteArray::number(last) + '/' + QByteArray::number(size) });
            body = body.mid(int(range.first), int(last - range.first + 1));
        }
    }

    QByteArray head = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason + "\r\n";
    if (!route.location.isEmpty())
        head += "Location: " + route.location + "\r\n";
    for (const auto &header : headers)
        head += header.first + ": " + header.second + "\r\n";
    if (route.sendContentLength) {
        const qint64 announced = route.contentLength >= 0 ? route.contentLength : body.size();
        head += "Content-Length: " + QByteArray::number(announced) + "\r\n";
    } else {
        head += "Connection: close\r\n";
    }
    head += "\r\n";
    socket->write(head);
    if (request.method == "HEAD")
        return;

    if (route.stallAfterBytes >= 0) {
        socket->write(body.left(int(route.stallAfterBytes)));
        return; // the rest never comes; the connection stays open
    }
    if (route.closeAfterBytes >= 0) {
        socket->write(body.left(int(route.closeAfterBytes)));
        socket->disconnectFromHost();
        return;
    }
    if (route.chunkBytes > 0 && route.chunkIntervalMs > 0) {
        sendPaced(socket, body, route.chunkBytes, route.chunkIntervalMs);
        return;
    }
    socket->write(body);
    if (!route.sendContentLength)
        socket->disconnectFromHost();
}
