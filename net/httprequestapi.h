#pragma once

#include <QNetworkRequest>
#include <QObject>

#include <functional>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

// ok, body, error text, status (0 when there was no HTTP answer, 638 for a
// time-out). Clients count only ok with status 200 as success.
using RequestCallback = std::function<void(
    bool ok, const QByteArray &body, const QString &errorText, int statusCode)>;

// A GET client for one JSON service. Every outcome reaches the latest
// callback; a time-out does not cancel the request, so a late reply reaches
// the callback a second time with the real outcome.
class HttpRequestAPI : public QObject
{
    Q_OBJECT

public:
    static constexpr int kTimeoutMs = 10000;
    static constexpr int kTimeoutStatus = 638;
    // A JSON service never needs more; a reply that keeps streaming beyond it
    // is cut off instead of filling memory.
    static constexpr qint64 kMaxBodyBytes = 16 * 1024 * 1024;

    explicit HttpRequestAPI(QObject *parent = nullptr);
    ~HttpRequestAPI() override;

    // Kept for every later request of this instance.
    void setRawHeader(const QByteArray &name, const QByteArray &value);
    void get(const QString &url, RequestCallback callback);
    void clearAccessCache();
    // For tests: how long a request may take before the callback hears 638.
    void setTimeoutMs(int ms);

signals:
    // Whoever keeps the status reports listens to these; the request base
    // itself knows nothing of reporting.
    void requestFailed(const QString &url, int statusCode, const QString &errorText);
    void requestTimedOut(const QString &url);

private slots:
    void serviceRequestFinished(QNetworkReply *reply);
    void OnTimeout();

private:
    void watchBodySize(QNetworkReply *reply);
    void deliver(bool ok, const QByteArray &body, const QString &errorText, int statusCode);

    QNetworkRequest m_request;
    QNetworkAccessManager *m_manager = nullptr;
    QTimer *m_timer = nullptr;
    RequestCallback m_callback;
};
