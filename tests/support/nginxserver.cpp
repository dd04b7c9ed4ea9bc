#include "tests/support/nginxserver.h"

#include <QEventLoop>
#include <QFile>
#include <QFileSystemWatcher>
#include <QTcpServer>
#include <QTimer>

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
    const QString rate = rateBytesPerSecond > 0
        ? QStringLiteral("limit_rate %1;").arg(rateBytesPerSecond)
        : QString();
    QFile config(work + QStringLiteral("/nginx.conf"));
    if (!config.open(QIODevice::WriteOnly))
        return false;
    config.write(
        QStringLiteral("daemon off;\n"
                       "pid %1/nginx.pid;\n"
                       "error_log %1/error.log;\n"
                       "events {}\n"
                       "http {\n"
                       "  log_format ranges '$request $status $http_range';\n"
                       "  access_log %1/access.log ranges;\n"
                       "  client_body_temp_path %1; proxy_temp_path %1; fastcgi_temp_path %1;\n"
                       "  uwsgi_temp_path %1; scgi_temp_path %1;\n"
                       "  server { listen 127.0.0.1:%2; root %3; %4 }\n"
                       "}\n")
            .arg(work)
            .arg(m_port)
            .arg(root, rate)
            .toUtf8());
    config.close();
    // nginx writes its pid file once it listens: the folder's change is
    // the event to wait on.
    QFileSystemWatcher watcher({ work });
    QEventLoop loop;
    QObject::connect(&watcher, &QFileSystemWatcher::directoryChanged, &loop, &QEventLoop::quit);
    QObject::connect(&m_process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), &loop,
        &QEventLoop::quit);
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    m_process.start(QStringLiteral("nginx"), { QStringLiteral("-c"), config.fileName() });
    // Under load nginx may write its pid file before this side has seen it
    // start; its state would still read Starting.
    if (!m_process.waitForStarted())
        return false;
    deadline.start(10000);
    const QString pidFile = work + QStringLiteral("/nginx.pid");
    while (
        !QFile::exists(pidFile) && m_process.state() != QProcess::NotRunning && deadline.isActive())
        loop.exec();
    return QFile::exists(pidFile) && m_process.state() == QProcess::Running;
}

QString NginxServer::url(const QString &path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path);
}

QStringList NginxServer::accessLog() const
{
    QFile log(m_work.path() + QStringLiteral("/access.log"));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}
