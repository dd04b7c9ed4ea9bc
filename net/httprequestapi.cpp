#include "net/httprequestapi.h"

#include "core/errordefine.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>
#include <QUrl>

namespace {

const char kTooLargeProperty[] = "tessarilBodyTooLarge";

} // namespace

HttpRequestAPI::HttpRequestAPI(QObject *parent)
    : QObject(parent)
    , m_manager(new QNetworkAccessManager(this))
    , m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    m_timer->setTimerType(Qt::PreciseTimer);
    m_timer->setInterval(kTimeoutMs);
    connect(m_timer, &QTimer::timeout, this, &HttpRequestAPI::OnTimeout);
    connect(
        m_manager, &QNetworkAccessManager::finished, this, &HttpRequestAPI::serviceRequestFinished);
}

HttpRequestAPI::~HttpRequestAPI()
{
    // Replies still in flight finish during the manager's destruction; they
    // must not reach a callback whose owner is already going away.
    m_manager->disconnect();
}

void HttpRequestAPI::setRawHeader(const QByteArray &name, const QByteArray &value)
{
    m_request.setRawHeader(name, value);
}

void HttpRequestAPI::get(const QString &url, RequestCallback callback)
{
    Q_ASSERT(callback);
    m_callback = std::move(callback);
    m_request.setUrl(QUrl(url, QUrl::TolerantMode));
    watchBodySize(m_manager->get(m_request));
    m_timer->start();
}

void HttpRequestAPI::watchBodySize(QNetworkReply *reply)
{
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
        if (received > kMaxBodyBytes && !reply->property(kTooLargeProperty).toBool()) {
            reply->setProperty(kTooLargeProperty, true);
            reply->abort();
        }
    });
}

void HttpRequestAPI::clearAccessCache()
{
    m_manager->clearAccessCache();
}

void HttpRequestAPI::setTimeoutMs(int ms)
{
    m_timer->setInterval(ms);
}

void HttpRequestAPI::serviceRequestFinished(QNetworkReply *reply)
{
    m_timer->stop();
    const int statusCode = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    qDebug() << "BaseAPI...serviceRequestFinished...statusCode:" << statusCode;

    // A body that arrived whole within one turn of the event loop never
    // reached the progress check; it is refused here all the same.
    const bool tooLarge
        = reply->property(kTooLargeProperty).toBool() || reply->bytesAvailable() > kMaxBodyBytes;
    if (reply->error() != QNetworkReply::NoError || tooLarge) {
        const QString errorText = tooLarge
            ? QStringLiteral("Reply body larger than %1 bytes").arg(kMaxBodyBytes)
            : reply->errorString();
        emit requestFailed(reply->url().toString(), statusCode, errorText);
        deliver(false, QByteArray(), errorText, statusCode);
    } else {
        deliver(true, reply->readAll(), QString(), statusCode);
    }
    reply->deleteLater();
}

// A callback often retries, and the retry replaces m_callback while it runs:
// call a copy so the running one stays alive.
void HttpRequestAPI::deliver(
    bool ok, const QByteArray &body, const QString &errorText, int statusCode)
{
    if (!m_callback)
        return;
    const RequestCallback callback = m_callback;
    callback(ok, body, errorText, statusCode);
}

void HttpRequestAPI::OnTimeout()
{
    const QString errorText = errorCodeText(ErrorDefine::HTTP_REQUEST_TIMEOUT);
    emit requestTimedOut(m_request.url().toString());
    deliver(false, QByteArray(), errorText, kTimeoutStatus);
}
