#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A real nginx on a free loopback port serving a folder, for end-to-end
// tests: ranges, HEAD and keep-alive as a package host really answers them.
class NginxServer
{
public:
    NginxServer();
    ~NginxServer();

    // Starts serving root; rateBytesPerSecond 0 means unlimited.
    bool start(const QString &root, qint64 rateBytesPerSecond = 0);
    QString url(const QString &path) const;
    // The request lines nginx logged so far ("GET /x HTTP/1.1 206 bytes=5-").
    QStringList accessLog() const;

private:
    bool startOnce(const QString &root, qint64 rateBytesPerSecond);

    QTemporaryDir m_work;
    QProcess m_process;
    quint16 m_port = 0;
};
