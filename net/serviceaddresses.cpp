#include "net/serviceaddresses.h"

#include "net/serviceaddresses_defaults.h"

#include <QHostAddress>
#include <QUrl>

namespace ServiceAddresses {

namespace {

const QString kGamePath = QStringLiteral("/qx7a_global");

QString originFor(const char *variable, const char *builtIn)
{
    QString value = qEnvironmentVariable(variable).trimmed();
    while (value.endsWith(QLatin1Char('/')))
        value.chop(1);
    if (value.isEmpty())
        return QLatin1String(builtIn);
    if (!isAcceptableOrigin(value)) {
        qWarning("%s=%s ignored: only https, or http on loopback, is accepted", variable,
            qPrintable(value));
        return QLatin1String(builtIn);
    }
    return value;
}

} // namespace

bool isAcceptableUrl(const QUrl &url)
{
    return url.isValid()
        && isAcceptableOrigin(
            url.adjusted(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment).toString());
}

bool isAcceptableOrigin(const QString &origin)
{
    const QUrl url(origin, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() || url.hasQuery() || url.hasFragment()
        || !url.userInfo().isEmpty() || (!url.path().isEmpty() && url.path() != QLatin1String("/")))
        return false;
    if (url.scheme() == QLatin1String("https"))
        return true;
    if (url.scheme() != QLatin1String("http"))
        return false;
    if (url.host() == QLatin1String("localhost"))
        return true;
    const QHostAddress address(url.host());
    return !address.isNull() && address.isLoopback();
}

QString contentServiceBase()
{
    return originFor("TESSARIL_CONTENT_ORIGIN", DEFAULT_CONTENT_ORIGIN) + kGamePath;
}

QString releaseServiceOrigin()
{
    return originFor("TESSARIL_RELEASE_ORIGIN", DEFAULT_RELEASE_ORIGIN);
}

QString reportServiceOrigin()
{
    return originFor("TESSARIL_REPORT_ORIGIN", DEFAULT_REPORT_ORIGIN);
}

QString webOrigin()
{
    return originFor("TESSARIL_WEB_ORIGIN", DEFAULT_WEB_ORIGIN);
}

QString launcherApiBase()
{
    return originFor("TESSARIL_LAUNCHER_API_ORIGIN", DEFAULT_LAUNCHER_API_ORIGIN) + kGamePath;
}

} // namespace ServiceAddresses
