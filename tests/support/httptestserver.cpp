#include "tests/support/httptestserver.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include <tuple>

HttpTestServer::HttpTestServer(QObject *parent)
    : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            connect(
                socket, &QObject::destroyed, this, [this, socket] { m_buffers.remove(socket); });
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        }
    });
    m_server.listen(QHostAddress::LocalHost, 0);
}

QString HttpTestServer::origin() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort());
}

void HttpTestServer::route(const QString &path, const QByteArray &body, int status)
{
    route(path, HttpRoute { status, status == 200 ? "OK" : "Status", body });
}

HttpRoute HttpTestServer::routeFor(const QString &path)
{
    QList<HttpRoute> &answers = m_routes[path];
    if (answers.size() > 1)
        return answers.takeFirst();
    return answers.isEmpty() ? HttpRoute { 404, "Not Found" } : answers.first();
}

QList<RecordedRequest> HttpTestServer::requestsFor(const QString &path) const
{
    QList<RecordedRequest> found;
    for (const RecordedRequest &request : m_requests)
        if (request.path == path)
            found.append(request);
    return found;
}

bool HttpTestServer::settle()
{
    QNetworkAccessManager client;
    QSignalSpy finished(
        client.get(QNetworkRequest(QUrl(url("/settle")))), &QNetworkReply::finished);
    return finished.wait(10000);
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
        const QUrl target(QString::fromLatin1(request.target));
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
        if (request.path != "/settle")
            m_requests.append(request);

        const HttpRoute route = routeFor(request.path);
        QPointer<QTcpSocket> guard(socket);
        QTimer::singleShot(route.delayMs, this, [this, guard, request, route] {
            if (guard)
                answer(guard, request, route);
        });
    }
}

void HttpTestServer::answer(
    QTcpSocket *socket, const RecordedRequest &request, const HttpRoute &route)
{
    QByteArray body = route.body;
    int status = route.status;
    QByteArray reason = route.reason;
    QByteArray head;
    static const QRegularExpression rangePattern(QStringLiteral("^bytes=(\\d+)-(\\d*)$"));
    const QRegularExpressionMatch range
        = rangePattern.match(QString::fromLatin1(request.headers.value("range")));
    if (status == 200 && route.honourRange && range.hasMatch()) {
        const qint64 size = body.size();
        const qint64 first = range.captured(1).toLongLong() + route.rangeShift;
        qint64 last = range.captured(2).isEmpty() ? size - 1 : range.captured(2).toLongLong();
        if (first >= size) {
            std::tie(status, reason) = std::make_pair(416, "Range Not Satisfiable");
            head += "Content-Range: bytes */" + QByteArray::number(size) + "\r\n";
            body.clear();
        } else {
            last = qMin(last, size - 1);
            std::tie(status, reason) = std::make_pair(206, "Partial Content");
            if (route.sendContentRange)
                head += "Content-Range: bytes " + QByteArray::number(first) + '-'
                    + QByteArray::number(last) + '/' + QByteArray::number(size) + "\r\n";
            body = body.mid(int(first), int(last - first + 1));
        }
    }
    head.prepend("HTTP/1.1 " + QByteArray::number(status) + ' ' + reason + "\r\n");
    if (!route.location.isEmpty())
        head += "Location: " + route.location + "\r\n";
    const bool chunked = route.endlessChunked && request.method == "GET";
    if (chunked) {
        head += "Transfer-Encoding: chunked\r\n";
    } else if (route.sendContentLength) {
        const qint64 announced = route.contentLength >= 0 ? route.contentLength : body.size();
        head += "Content-Length: " + QByteArray::number(announced) + "\r\n";
    } else {
        head += "Connection: close\r\n";
    }
    socket->write(head + "\r\n");
    if (request.method == "HEAD")
        return;

    if (chunked) {
        socket->write(QByteArray::number(body.size(), 16) + "\r\n" + body + "\r\n");
        return;
    }
    // A stall sends part and keeps the connection open, the rest never comes.
    const qint64 cut = route.stallAfterBytes >= 0 ? route.stallAfterBytes : route.closeAfterBytes;
    if (cut < 0 && route.chunkBytes > 0 && route.chunkIntervalMs > 0)
        return sendPaced(socket, body, route.chunkBytes, route.chunkIntervalMs);
    socket->write(cut >= 0 ? body.left(int(cut)) : body);
    if (route.stallAfterBytes < 0 && (route.closeAfterBytes >= 0 || !route.sendContentLength))
        socket->disconnectFromHost();
}
