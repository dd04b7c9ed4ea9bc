// What the publisher changes without a launcher release: the background,
// the activity button, the web page, the version text and banner.
#include "viewmodel/mainviewmodel.h"

#include "core/buildinfo.h"
#include "core/launcherconfig.h"
#include "download/downloadmanager.h"
#include "net/serviceaddresses.h"
#include "net/updateversioninfo.h"
#include "report/statusreport.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QUrlQuery>

namespace {

const QString kDefaultBackground = QStringLiteral("qrc:/pic/bg.png");
const QString kDefaultBannerColor = QStringLiteral("#ffffff");

QString fileUrl(const QString &folder, const QString &name)
{
    return QStringLiteral("file:///") + folder + QLatin1Char('/') + name;
}

} // namespace

QString MainViewModel::bgPath() const
{
    const QString name = LauncherConfig::instance()->dynamicBgName();
    if (!name.isEmpty() && QFileInfo::exists(programFolder() + QLatin1Char('/') + name))
        return fileUrl(programFolder(), name);
    return kDefaultBackground;
}

QString MainViewModel::mainBgUrl() const
{
    const bool preview = QLatin1String(kReleaseStage) == QLatin1String("prev");
    QUrl url(ServiceAddresses::webOrigin() + QStringLiteral("/launcher/10/") + m_language);
    QString query = QStringLiteral("api_url=")
        + QString::fromLatin1(ServiceAddresses::launcherApiBase().toUtf8().toPercentEncoding());
    if (preview)
        query += QStringLiteral("&timestamp=%1").arg(QDateTime::currentSecsSinceEpoch());
    query
        += QStringLiteral("&prev=") + (preview ? QStringLiteral("true") : QStringLiteral("false"));
    url.setQuery(query, QUrl::StrictMode);
    return url.url();
}

QString MainViewModel::reportParam() const
{
    return StatusReport::instance()->reportParam();
}

void MainViewModel::applyBackground()
{
    const QString url = m_gameInfo->background();
    if (url.isEmpty())
        return;
    const QString name = UpdateVersionInfo::fileName(url);
    if (QFileInfo::exists(programFolder() + QDir::separator() + name)) {
        LauncherConfig::instance()->setDynamicBgName(name);
        emit bgPathChanged(QString());
        return;
    }
    m_bgImageDownloader->setUrl(QUrl(url));
    m_bgImageDownloader->setFilePath(programFolder());
    m_bgImageDownloader->startDownload();
}

void MainViewModel::onBackgroundDownloaded()
{
    const QString name = UpdateVersionInfo::fileName(m_gameInfo->background());
    if (name.isEmpty() || !QFileInfo::exists(programFolder() + QDir::separator() + name))
        return;
    LauncherConfig::instance()->setDynamicBgName(name);
    const QString stored = LauncherConfig::instance()->dynamicBgName();
    if (!stored.isEmpty())
        emit bgPathChanged(fileUrl(programFolder(), stored));
}

void MainViewModel::onIconDownloaded()
{
    const QString name = UpdateVersionInfo::fileName(m_gameInfo->bannerIcon());
    const bool show = !name.isEmpty()
        && QFileInfo::exists(programFolder() + QLatin1Char('/') + name)
        && !m_gameInfo->bannerUrl().isEmpty();
    setItemProperty(QStringLiteral("viewActivity"), "visible", show);
    if (!show)
        return;
    const QString image = fileUrl(programFolder(), name);
    setItemProperty(QStringLiteral("viewActivity"), "nomal_Image", image);
    setItemProperty(QStringLiteral("viewActivity"), "hover_Image", image);
    setItemProperty(QStringLiteral("viewActivity"), "press_Image", image);
}

QString MainViewModel::btnMoreActiveJumpUrl()
{
    StatusReport::instance()->report(StatusReport::LAUNCHER_HOME_AD);
    return m_gameInfo ? m_gameInfo->bannerUrl() : QString();
}

void MainViewModel::singleReloadWeb()
{
    if (m_webReloadPending && findItem(QStringLiteral("bgWebView"))) {
        invokeItem(QStringLiteral("bgWebView"), "reload", Qt::QueuedConnection);
        m_webReloadPending = false;
    }
}

QString MainViewModel::updateShowVersion()
{
    QString text = QStringLiteral("--");
    if (!m_localGameVersion.isEmpty())
        text = m_localGameVersion;
    else if (m_gameInfo && !m_gameInfo->latestVersion().isEmpty())
        text = m_gameInfo->latestVersion();
    setItemProperty(
        QStringLiteral("versionText"), "text", QStringLiteral("%1").arg(text) + QLatin1Char(' '));
    return text;
}

void MainViewModel::refreshVersionBanner()
{
    LauncherConfig *config = LauncherConfig::instance();
    if (!m_gameInfo->versionTitle().isEmpty())
        config->setDynamicVersionTitle(m_gameInfo->versionTitle());
    emit versionTitleChanged(versionTitle());
    if (!m_gameInfo->versionDesc().isEmpty())
        config->setDynamicVersionDesc(m_gameInfo->versionDesc());
    emit versionDescChanged(versionDesc());
    if (!m_gameInfo->versionTitleColor().isEmpty())
        config->setDynamicVersionTitleColor(m_gameInfo->versionTitleColor());
    emit versionTitleColorChanged(versionTitleColor());
    if (!m_gameInfo->versionDescColor().isEmpty())
        config->setDynamicVersionDescColor(m_gameInfo->versionDescColor());
    emit versionDescColorChanged(versionDescColor());
}

QString MainViewModel::versionTitle() const
{
    return LauncherConfig::instance()->dynamicVersionTitle();
}

QString MainViewModel::versionDesc() const
{
    return LauncherConfig::instance()->dynamicVersionDesc();
}

QString MainViewModel::versionTitleColor() const
{
    const QString color = LauncherConfig::instance()->dynamicVersionTitleColor();
    return color.isEmpty() ? kDefaultBannerColor : color;
}

QString MainViewModel::versionDescColor() const
{
    const QString color = LauncherConfig::instance()->dynamicVersionDescColor();
    return color.isEmpty() ? kDefaultBannerColor : color;
}
