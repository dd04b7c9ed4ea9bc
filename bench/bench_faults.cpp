// bench_faults FOLDER [FULL-DISK-FOLDER]
// Downloads with downloadmanager, at its real timings, from servers that
// fail in the ways links and hosts do, all at once, and prints the outcome of
// each and how long it took to come. With FULL-DISK-FOLDER (a small volume),
// also a package larger than the volume.
#include "download/downloadmanager.h"
#include "tests/support/httptestserver.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStorageInfo>
#include <QTcpServer>
#include <QTcpSocket>

#include <cstdio>
#include <sys/socket.h>

namespace {

constexpr int kBodyBytes = 4 << 20;

QByteArray patterned(int size)
{
    QByteArray data(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        data[i] = char((i * 13 + i / 509) & 0xFF);
    return data;
}

// Answers HEAD with the size, and GET with the headers and a few bytes,
// then resets the connection.
class ResettingServer : public QTcpServer
{
public:
    explicit ResettingServer(qint64 size)
        : m_size(size)
    {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
        });
    }
    int gets = 0;

private:
    void answer(QTcpSocket *socket)
    {
        const QByteArray request = socket->readAll();
        if (!request.contains("\r\n\r\n"))
            return;
        const bool head = request.startsWith("HEAD");
        socket->write(
            "HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(m_size) + "\r\n\r\n");
        if (head)
            return;
        ++gets;
        socket->write(QByteArray(64 << 10, 'r'));
        socket->flush();
        const linger reset { 1, 0 };
        ::setsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
        socket->abort();
    }

    qint64 m_size;
};

struct Case
{
    QString name;
    QString url;
    QString folder;
    std::function<int()> gets;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    app.setOrganizationName(QStringLiteral("Vantor"));
    app.setApplicationName(QStringLiteral("TessarilFaultBench"));
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_faults FOLDER [FULL-DISK-FOLDER]\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    const QByteArray body = patterned(kBodyBytes);
    HttpTestServer server;
    auto getsOf = [&server](const QString &path) {
        return [&server, path] {
            int count = 0;
            for (const RecordedRequest &request : server.requestsFor(path))
                count += request.method == "GET";
            return count;
        };
    };
    QList<Case> cases;
    auto add = [&](const QString &name, const QString &path) {
        cases.append({ name, server.url(path), root + QLatin1Char('/') + name, getsOf(path) });
    };

    HttpRoute whole;
    whole.body = body;

    HttpRoute stall = whole;
    stall.stallAfterBytes = 64 << 10;
    server.route(QStringLiteral("/stall.7z"), stall);
    add(QStringLiteral("stall"), QStringLiteral("/stall.7z"));

    ResettingServer resetting(kBodyBytes);
    cases.append({ QStringLiteral("reset"),
        QStringLiteral("http://127.0.0.1:%1/reset.7z").arg(resetting.serverPort()),
        root + QStringLiteral("/reset"), [&resetting] { return resetting.gets; } });

    HttpRoute unsatisfiable;
    unsatisfiable.status = 416;
    unsatisfiable.reason = "Range Not Satisfiable";
    unsatisfiable.body = "no such range";
    server.routeSequence(QStringLiteral("/416.7z"), { whole, unsatisfiable });
    add(QStringLiteral("416"), QStringLiteral("/416.7z"));

    HttpRoute busy;
    busy.status = 503;
    busy.reason = "Service Unavailable";
    busy.body = "<html>busy</html>";
    server.routeSequence(QStringLiteral("/503.7z"), { whole, busy });
    add(QStringLiteral("503"), QStringLiteral("/503.7z"));

    // The first transfer breaks off; the server answers the resumed range
    // with the whole file.
    HttpRoute ignoresRange = whole;
    ignoresRange.honourRange = false;
    HttpRoute cut = ignoresRange;
    cut.closeAfterBytes = 256 << 10;
    server.routeSequence(QStringLiteral("/200-to-range.7z"), { whole, cut, ignoresRange });
    add(QStringLiteral("200-to-range"), QStringLiteral("/200-to-range.7z"));

    HttpRoute toB;
    toB.status = 302;
    toB.reason = "Found";
    toB.location = "/loop/b.7z";
    HttpRoute toA = toB;
    toA.location = "/loop/a.7z";
    server.route(QStringLiteral("/loop/a.7z"), toB);
    server.route(QStringLiteral("/loop/b.7z"), toA);
    add(QStringLiteral("redirect-loop"), QStringLiteral("/loop/a.7z"));

    HttpRoute trickle = whole;
    trickle.chunkBytes = 1;
    trickle.chunkIntervalMs = 1000;
    server.routeSequence(QStringLiteral("/trickle.7z"), { whole, trickle });
    add(QStringLiteral("byte-per-second"), QStringLiteral("/trickle.7z"));

    if (argc > 2) {
        const QString small = QString::fromLocal8Bit(argv[2]);
        HttpRoute large;
        large.contentLength = QStorageInfo(small).bytesTotal() * 2;
        server.route(QStringLiteral("/full-disk.7z"), large);
        cases.append({ QStringLiteral("full-disk"), server.url(QStringLiteral("/full-disk.7z")),
            small, getsOf(QStringLiteral("/full-disk.7z")) });
    }

    QElapsedTimer clock;
    clock.start();
    int open = cases.size();
    for (const Case &c : qAsConst(cases)) {
        QDir().mkpath(c.folder);
        auto *manager = new downloadmanager(&app);
        auto report = [&, c, manager](const QString &outcome) {
            std::printf("fault %-16s %-70s after %6.1f s, %d GET\n", qPrintable(c.name + ':'),
                qPrintable(outcome), clock.elapsed() / 1e3, c.gets());
            std::fflush(stdout);
            manager->disconnect();
            manager->stopDownlaod();
            if (--open == 0)
                app.quit();
        };
        QObject::connect(manager, &downloadmanager::downloadFinished, [report, c, &body] {
            const QString file = c.folder + QLatin1Char('/') + QUrl(c.url).fileName();
            QFile got(file);
            const bool same = got.open(QIODevice::ReadOnly) && got.readAll() == body;
            report(same ? QStringLiteral("finished, file intact")
                        : QStringLiteral("finished, FILE DIFFERS"));
        });
        auto failed = [report](ErrorCode code, const QString &message) {
            report(QStringLiteral("%1 %2").arg(errorCodeText(code), message));
        };
        QObject::connect(manager, &downloadmanager::downloadError, failed);
        QObject::connect(manager, &downloadmanager::httpError, failed);
        manager->setUrl(QUrl(c.url));
        manager->setFilePath(c.folder);
        manager->startDownload();
    }
    return app.exec();
}
