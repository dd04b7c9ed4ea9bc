#include "viewmodel/installflow.h"

#include "core/launcherconfig.h"
#include "download/downloadmanager.h"
#include "net/updateversioninfo.h"
#include "setup/setupmanager.h"
#include "viewmodel/windowitems.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

const QString kGameFolderName = QStringLiteral("Tessaril Game");
constexpr int kDisplayPathLimit = 80;
constexpr int kDisplayPathHalf = 40;

} // namespace

InstallFlow::InstallFlow(UpdateVersionInfo &info, WindowItems &items, QObject *parent)
    : QObject(parent)
    , m_info(info)
    , m_items(items)
    , m_gameDownloader(new downloadmanager(this))
    , m_pluginDownloader(new downloadmanager(this))
    , m_pluginSetupWorker(new setupmanager(this))
{
    connect(m_gameDownloader, &downloadmanager::md5CheckStart, this, &InstallFlow::md5CheckStarted);
}

void InstallFlow::attachGameSetup(setupmanager *worker)
{
    m_setupWorker = worker;
}

QString InstallFlow::installPathText() const
{
    const QString path = LauncherConfig::instance()->gameInstallPath();
    if (path.size() <= kDisplayPathLimit)
        return path;
    return path.left(kDisplayPathHalf) + QStringLiteral(" ... ") + path.right(kDisplayPathHalf);
}

void InstallFlow::updateInstallPath(const QString &path)
{
    LauncherConfig::instance()->setGameInstallPath(path);
    m_items.set(QStringLiteral("curinstallPath"), "text", installPathText());
}

void InstallFlow::normalizeInstallPath()
{
    QString path = LauncherConfig::instance()->gameInstallPath();
    const QStringList parts = path.split(QRegularExpression(QStringLiteral("[\\\\/]")));
    if (parts.last().compare(kGameFolderName, Qt::CaseInsensitive) != 0)
        path += QDir::separator() + kGameFolderName;
    LauncherConfig::instance()->setGameInstallPath(path);
}

bool InstallFlow::isDownloadNotComplated(const QString &localVersion) const
{
    const QString folder = LauncherConfig::instance()->gameInstallPath();
    if (folder.isEmpty())
        return false;
    const QString name = UpdateVersionInfo::fileName(m_info.getUrl(localVersion));
    return !name.isEmpty()
        && QFileInfo::exists(folder + QLatin1Char('/') + name + QStringLiteral("_tmp"));
}

void InstallFlow::stopForQuit()
{
    if (m_setupWorker)
        m_setupWorker->disconnect(this);
    m_gameDownloader->stopDownlaod();
    if (m_setupWorker)
        m_setupWorker->exit(0);
}
