#include "viewmodel/launchercontent.h"

#include "core/buildinfo.h"
#include "core/filenames.h"
#include "core/launcherconfig.h"
#include "download/downloadmanager.h"
#include "net/launcherapi.h"
#include "net/serviceaddresses.h"
#include "net/updateversioninfo.h"
#include "report/statusreport.h"
#include "viewmodel/dialogpresenter.h"
#include "viewmodel/servicerequest.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace {

const QString kDefaultBackground = QStringLiteral("qrc:/pic/bg.png");
const QString kDefaultBannerColor = QStringLiteral("#ffffff");

QString fileUrl(const QString &path)
{
    return QStringLiteral("file:///") + path;
}

} // namespace

LauncherContent::LauncherContent(UpdateVersionInfo &info, DialogPresenter &dialogs, QObject *parent)
    : QObject(parent)
    , m_info(info)
    , m_dialogs(dialogs)
    , m_request(new ServiceRequest([this] { return LauncherApi::url(false, m_language); }, this))
    , m_bgImageDownloader(new downloadmanager(this))
    , m_iconDownloader(new downloadmanager(this))
    , m_programFolder(QCoreApplication::applicationDirPath())
{
    m_bgImageDownloader->setResumeKey(QStringLiteral("background"));
    m_iconDownloader->setResumeKey(QStringLiteral("icon"));
    connect(m_bgImageDownloader, &downloadmanager::downloadFinished, this,
        &LauncherContent::onBackgroundDownloaded);
    connect(m_iconDownloader, &downloadmanager::downloadFinished, this,
        &LauncherContent::onIconDownloaded);
    connect(m_request, &ServiceRequest::answered, this, &LauncherContent::onReply);
    connect(m_request, &ServiceRequest::unreadable, this, &LauncherContent::offerRetry);
    connect(m_request, &ServiceRequest::gaveUp, this, &LauncherContent::offerRetry);
}

void LauncherContent::request()
{
    m_request->send();
}

void LauncherContent::resetRetries()
{
    m_request->resetRetries();
}

void LauncherContent::offerRetry()
{
    m_dialogs.showMessage(
        QCoreApplication::translate("MainViewModel", "title_error"),
        QCoreApplication::translate("MainViewModel", "message_launcher_check_failed"),
        [this](bool confirmed) {
            if (!confirmed)
                return;
            resetRetries();
            request();
        },
        true);
}

void LauncherContent::onReply(const QByteArray &body)
{
    m_info.parseContent(body);
    applyBackground();
    if (!m_info.bannerIcon().isEmpty()) {
        fetchImage(m_iconDownloader, m_info.bannerIcon());
    }
    if (m_firstReply) {
        m_firstReply = false;
    } else {
        m_webReloadPending = true;
        emit mainBgResChanged();
    }
    emit answered();
}

QString LauncherContent::cacheFolder() const
{
    return m_programFolder + QStringLiteral("/cache");
}

QString LauncherContent::imagePath(const QString &name) const
{
    return cacheFolder() + QLatin1Char('/') + name;
}

void LauncherContent::fetchImage(downloadmanager *downloader, const QString &url)
{
    // Images keep their names from the reply, so they live in a folder of
    // their own where no name can stand for a file of the program.
    QDir().mkpath(cacheFolder());
    downloader->setUrl(QUrl(url));
    downloader->setFilePath(cacheFolder());
    downloader->startDownload();
}

QString LauncherContent::bgPath() const
{
    const QString name = LauncherConfig::instance()->dynamicBgName();
    if (FileNames::isPlain(name) && QFileInfo::exists(imagePath(name)))
        return fileUrl(imagePath(name));
    return kDefaultBackground;
}

QString LauncherContent::mainBgUrl() const
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

void LauncherContent::applyBackground()
{
    const QString url = m_info.background();
    if (url.isEmpty())
        return;
    const QString name = UpdateVersionInfo::fileName(url);
    if (FileNames::isPlain(name) && QFileInfo::exists(imagePath(name))) {
        LauncherConfig::instance()->setDynamicBgName(name);
        emit bgPathChanged(QString());
        return;
    }
    fetchImage(m_bgImageDownloader, url);
}

void LauncherContent::onBackgroundDownloaded()
{
    const QString name = UpdateVersionInfo::fileName(m_info.background());
    if (!FileNames::isPlain(name) || !QFileInfo::exists(imagePath(name)))
        return;
    LauncherConfig::instance()->setDynamicBgName(name);
    const QString stored = LauncherConfig::instance()->dynamicBgName();
    if (!stored.isEmpty())
        emit bgPathChanged(fileUrl(imagePath(stored)));
}

void LauncherContent::onIconDownloaded()
{
    const QString name = UpdateVersionInfo::fileName(m_info.bannerIcon());
    const bool show = FileNames::isPlain(name) && QFileInfo::exists(imagePath(name))
        && !m_info.bannerUrl().isEmpty();
    const QString image = show ? fileUrl(imagePath(name)) : m_activityImage;
    if (show == m_activityVisible && image == m_activityImage)
        return;
    m_activityVisible = show;
    m_activityImage = image;
    emit activityChanged();
}

QString LauncherContent::activityUrl() const
{
    StatusReport::instance()->report(StatusReport::LAUNCHER_HOME_AD);
    return m_info.bannerUrl();
}

void LauncherContent::reloadWebIfPending()
{
    if (!m_webReloadPending)
        return;
    m_webReloadPending = false;
    emit webReloadWanted();
}

void LauncherContent::refreshVersionBanner()
{
    LauncherConfig *config = LauncherConfig::instance();
    if (!m_info.versionTitle().isEmpty())
        config->setDynamicVersionTitle(m_info.versionTitle());
    emit versionTitleChanged(versionTitle());
    if (!m_info.versionDesc().isEmpty())
        config->setDynamicVersionDesc(m_info.versionDesc());
    emit versionDescChanged(versionDesc());
    if (!m_info.versionTitleColor().isEmpty())
        config->setDynamicVersionTitleColor(m_info.versionTitleColor());
    emit versionTitleColorChanged(versionTitleColor());
    if (!m_info.versionDescColor().isEmpty())
        config->setDynamicVersionDescColor(m_info.versionDescColor());
    emit versionDescColorChanged(versionDescColor());
}

QString LauncherContent::versionTitle() const
{
    return LauncherConfig::instance()->dynamicVersionTitle();
}

QString LauncherContent::versionDesc() const
{
    return LauncherConfig::instance()->dynamicVersionDesc();
}

QString LauncherContent::versionTitleColor() const
{
    const QString color = LauncherConfig::instance()->dynamicVersionTitleColor();
    return color.isEmpty() ? kDefaultBannerColor : color;
}

QString LauncherContent::versionDescColor() const
{
    const QString color = LauncherConfig::instance()->dynamicVersionDescColor();
    return color.isEmpty() ? kDefaultBannerColor : color;
}
