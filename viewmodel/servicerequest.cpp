#include "viewmodel/servicerequest.h"

#include "net/httprequestapi.h"
#include "report/statusreport.h"

#include <QJsonDocument>

namespace {

// Six tries in all before the player is asked.
constexpr int kSilentRetries = 4;

bool isJsonObject(const QByteArray &body)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    return error.error == QJsonParseError::NoError && document.isObject();
}

} // namespace

ServiceRequest::ServiceRequest(std::function<QString()> address, QObject *parent)
    : QObject(parent)
    , m_address(std::move(address))
{
}

void ServiceRequest::send()
{
    if (!m_api) {
        m_api = new HttpRequestAPI(this);
        m_api->setRawHeader("content-type", "application/json");
        StatusReport::instance()->watch(m_api);
    }
    m_api->get(
        m_address(), [this](bool ok, const QByteArray &body, const QString &errorText, int status) {
            onReply(ok, body, errorText, status);
        });
}

void ServiceRequest::onReply(bool ok, const QByteArray &body, const QString &errorText, int status)
{
    if (ok && status == 200) {
        if (isJsonObject(body))
            emit answered(body);
        else
            emit unreadable();
        return;
    }
    emit attemptFailed(errorText);
    if (m_retries > kSilentRetries) {
        emit gaveUp();
        return;
    }
    ++m_retries;
    send();
}
