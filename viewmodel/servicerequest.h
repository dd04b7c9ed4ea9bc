#pragma once

#include <QObject>
#include <QString>

#include <functional>

class HttpRequestAPI;

// A GET to one of the publisher's JSON services that tries again quietly
// before it gives up: a service that stumbles once or twice is not worth a
// question to the player.
class ServiceRequest : public QObject
{
    Q_OBJECT

public:
    // The address is built anew for every try; the language may change.
    explicit ServiceRequest(std::function<QString()> address, QObject *parent = nullptr);

    void send();
    void resetRetries() { m_retries = 0; }

signals:
    // The service answered with a JSON object.
    void answered(const QByteArray &body);
    // The service answered, but with something that is no JSON object.
    void unreadable();
    // A try failed; another follows unless gaveUp() comes next.
    void attemptFailed(const QString &errorText);
    void gaveUp();

private:
    void onReply(bool ok, const QByteArray &body, const QString &errorText, int status);

    std::function<QString()> m_address;
    HttpRequestAPI *m_api = nullptr;
    int m_retries = 0;
};
