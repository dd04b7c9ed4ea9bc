#pragma once

#include <QApplication>
#include <QLockFile>
#include <memory>

class QLocalServer;

// A QApplication of which one instance runs per program file and user. The
// first instance holds a lock file and listens on a local socket; later ones
// find the lock taken and can pass it a message. A lock or socket left behind
// by a killed instance is recognised as stale and taken over.
class SingleApplication : public QApplication
{
    Q_OBJECT

public:
    // gui is kept for the familiar signature; the application always has a GUI.
    SingleApplication(int &argc, char **argv, bool gui = true);
    ~SingleApplication() override;

    // True while another instance runs; once it has gone, this instance
    // becomes the first one and the answer is false.
    bool isRunning();

    // Delivers message to the running instance; false when none took it
    // within timeoutMs.
    bool sendMessage(const QString &message, int timeoutMs = 5000);

signals:
    void messageReceived(const QString &message);

private:
    bool becomeFirstInstance();
    void receiveConnection();

    QString m_key;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
};
