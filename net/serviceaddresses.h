#pragma once

#include <QString>
#include <QUrl>

// Every address the launcher talks to, in one place. Each origin is the
// build's default unless the matching environment variable names another:
// https anywhere, plain http only on the loopback interface.
namespace ServiceAddresses {

QString contentServiceBase(); // game resource and content service, ".../qx7a_global"
QString releaseServiceOrigin(); // launcher release service
QString reportServiceOrigin(); // logging service
QString webOrigin(); // website serving "/launcher/..."
QString launcherApiBase(); // handed to the web page, ".../qx7a_global"

// Whether origin may serve as a service origin (see above). Exposed for tests.
bool isAcceptableOrigin(const QString &origin);
// Whether a URL's origin is acceptable by the same rule: what a release
// names for the launcher's own package, and every redirect on the way to it.
bool isAcceptableUrl(const QUrl &url);

} // namespace ServiceAddresses
