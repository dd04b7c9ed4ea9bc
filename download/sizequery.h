#pragma once

#include <QObject>
#include <QUrl>

#include <functional>

class QNetworkAccessManager;
class QNetworkReply;

// Asks a server for the size of a file with HEAD requests, following its
// redirects itself (only to http and https, and only where the owner's rule
// lets it), so that the transfer fetches from where the answer came.
class sizequery : public QObject
{
    Q_OBJECT

public:
    // Redirects followed for one question before giving up.
    static constexpr int kMaxRedirects = 10;

    explicit sizequery(QObject *parent = nullptr);

    void setRedirectFilter(std::function<bool(const QUrl &)> accept)
    {
        m_redirectFilter = std::move(accept);
    }
    // Forgets a question still open and asks anew.
    void ask(const QUrl &url);
    void cancel();
    bool isPending() const { return m_reply != nullptr; }

    // After finished(): the size, or 0 and the status the server answered.
    qint64 size() const { return m_size; }
    int status() const { return m_status; }
    QUrl source() const { return m_source; }

signals:
    void finished();

private:
    void send();
    void onFinished();
    void conclude(qint64 size, int status);

    QNetworkAccessManager *m_network = nullptr;
    QNetworkReply *m_reply = nullptr;
    std::function<bool(const QUrl &)> m_redirectFilter;
    QUrl m_source;
    int m_redirects = 0;
    qint64 m_size = 0;
    int m_status = 0;
};
