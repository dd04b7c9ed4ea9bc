#include "tests/support/nginxserver.h"

#include "tests/support/testdata.h"

#include <QFile>
#include <QTcpServer>
#include <QTest>

NginxServer::NginxServer() = default;

NginxServer::~NginxServer()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(3000))
            m_process.kill();
        m_process.waitForFinished(3000);
    }
}

// The free port is only known free until the probe closes it; another test
// running beside this one may take it first, and nginx then ends at once. A
// fresh port is tried then.
bool NginxServer::start(const QString &root, qint64 rateBytesPerSecond)
{
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (startOnce(root, rateBytesPerSecond))
            return true;
        if (m_process.state() != QProcess::NotRunning)
            break;
    }
    return false;
}

bool NginxServer::startOnce(const QString &root, qint64 rateBytesPerSecond)
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost))
        return false;
    m_port = probe.serverPort();
    probe.close();

    const QString work = m_work.path();
    const QString rate
        = rateBytesPerSecond > 0 ? QString("limit_rate %1;").arg(rateBytesPerSecond) : "";
    const QString config = work + "/nginx.conf";
    const QString text
        = QStringLiteral("daemon off; pid %1/nginx.pid; error_log %1/error.log; events {}\n"
                         "http {\n"
                         "  log_format ranges '$request $status $http_range';\n"
                         "  access_log %1/access.log ranges;\n"
                         "  client_body_temp_path %1; proxy_temp_path %1; fastcgi_temp_path %1;\n"
                         "  uwsgi_temp_path %1; scgi_temp_path %1;\n"
                         "  server { listen 127.0.0.1:%2; root %3; %4 }\n"
                         "}\n");
    if (!writeFile(config, text.arg(work).arg(m_port).arg(root, rate).toUtf8()))
        return false;
    m_process.start("nginx", { "-c", config });
    // nginx writes its pid file once it listens. Under load it may do so
    // before this side has seen it start, its state still reading Starting.
    const QString pidFile = work + "/nginx.pid";
    return m_process.waitForStarted()
        && QTest::qWaitFor(
            [&] { return QFile::exists(pidFile) || m_process.state() == QProcess::NotRunning; },
            10000)
        && QFile::exists(pidFile) && m_process.state() == QProcess::Running;
}

QString NginxServer::url(const QString &path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path);
}

QStringList NginxServer::accessLog() const
{
    return QString::fromUtf8(readFile(m_work.path() + "/access.log"))
        .split('\n', Qt::SkipEmptyParts);
}
