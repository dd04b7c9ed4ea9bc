#include "net/applicationinfo.h"

#include "core/buildinfo.h"
#include "core/launcherconfig.h"
#include "net/httprequestapi.h"
#include "net/serviceaddresses.h"
#include "net/updateprompt.h"

#include <QUrl>
#include <QUrlQuery>

ApplicationInfo::ApplicationInfo(UpdatePrompt &prompt, QObject *parent)
    : QObject(parent)
    , m_prompt(prompt)
{
}

ApplicationInfo::~ApplicationInfo()
{
    if (m_api)
        m_api->deleteLater();
}

void ApplicationInfo::requestLatestRelease(bool userAsked)
{
    m_userAsked = userAsked;
    if (!m_api) {
        // Not a child: it is let go with deleteLater, after a reply being
        // delivered right now has returned.
        m_api = new HttpRequestAPI;
        m_api->setRawHeader("content-type", "application/json");
    }
    QUrl url(ServiceAddresses::releaseServiceOrigin()
        + QStringLiteral("/brisko/quentharos/api/getLatestRelease"));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("app_id"), QStringLiteral("100767"));
    query.addQueryItem(QStringLiteral("channel"), QStringLiteral("official"));
    query.addQueryItem(QStringLiteral("app_version"), QLatin1String(kLauncherVersion));
    url.setQuery(query);
    m_api->get(
        url.toString(), [this](bool ok, const QByteArray &body, const QString &, int status) {
            onReply(ok, body, status);
        });
}

void ApplicationInfo::onReply(bool ok, const QByteArray &body, int status)
{
    if (ok && status == 200) {
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(body, &error);
        if (error.error == QJsonParseError::NoError)
            emit programVerInfoReply(document, m_userAsked);
        return;
    }
    ++m_failures;
    if (m_failures < kTries && status != kGiveUpStatus) {
        requestLatestRelease(m_userAsked);
        return;
    }
    m_api->clearAccessCache();
    m_failures = 0;
    if (!m_userAsked)
        return;
    if (m_prompt.ask(tr("title_tip"),
            tr("message_update_request_exception") + QStringLiteral("[%1]").arg(status),
            tr("button_redo")))
        requestLatestRelease(true);
}
