#include "viewmodel/weblink.h"

#include <QDebug>
#include <QDesktopServices>
#include <QUrl>

bool isWebPage(const QString &url)
{
    const QUrl page(url, QUrl::StrictMode);
    const QString scheme = page.scheme().toLower();
    return page.isValid() && !page.host().isEmpty()
        && (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

bool openWebPage(const QString &url)
{
    if (!isWebPage(url)) {
        qDebug() << "not opening a link that is no web page:" << url.left(200);
        return false;
    }
    return QDesktopServices::openUrl(QUrl(url, QUrl::StrictMode));
}
