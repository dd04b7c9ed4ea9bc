#include "net/launcherapi.h"

#include "core/buildinfo.h"
#include "net/serviceaddresses.h"

#include <QUrl>
#include <QUrlQuery>

namespace LauncherApi {

namespace {

const QString kLauncherId = QStringLiteral("10");

} // namespace

QString url(bool resource, const QString &language)
{
    const bool preview = QLatin1String(kReleaseStage) == QLatin1String("prev");
    const QString endpoint = resource
        ? (preview ? QStringLiteral("prevResource") : QStringLiteral("resource"))
        : (preview ? QStringLiteral("prevContent") : QStringLiteral("content"));
    QUrl url(QStringLiteral("%1/zqk/launcher/api/%2")
                 .arg(ServiceAddresses::contentServiceBase(), endpoint));
    QUrlQuery query;
    if (!resource) {
        query.addQueryItem(QStringLiteral("filter_adv"), QStringLiteral("true"));
        query.addQueryItem(QStringLiteral("language"), language);
    }
    query.addQueryItem(QStringLiteral("launcher_id"), kLauncherId);
    url.setQuery(query);
    return url.toString();
}

} // namespace LauncherApi
