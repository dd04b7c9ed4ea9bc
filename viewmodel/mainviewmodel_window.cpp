// The game launch, the install folder as the window shows it, and the
// window's own buttons and messages.
#include "viewmodel/mainviewmodel.h"

#include "core/launcherconfig.h"
#include "download/downloadmanager.h"
#include "net/updateversioninfo.h"
#include "platform/processes.h"
#include "report/statusreport.h"
#include "setup/setupmanager.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

namespace {

const QString kDefaultGameExe = QStringLiteral("Quorvela.exe");
const QString kGameFolderName = QStringLiteral("Tessaril Game");
constexpr int kDisplayPathLimit = 80;
constexpr int kDisplayPathHalf = 40;

} // namespace

QString MainViewModel::gameExeName() const
{
    const QString entry = m_gameInfo ? m_gameInfo->latestEntry() : QString();
    return entry.isEmpty() ? kDefaultGameExe : entry;
}

QString MainViewModel::gameExePath(const QString &folder) const
{
    const QString base = folder.isEmpty() ? LauncherConfig::instance()->gameInstallPath() : folder;
    return base + QLatin1Char('/') + gameExeName();
}

bool MainViewModel::isProcessRunning(const QString &imageName) const
{
    return platform::isProcessRunning(imageName);
}

void MainViewModel::startGameBtnClicked()
{
    const QString path = gameExePath(QString());
    // The program itself, never through a shell or a command line that is
    // split again: the path comes from the manifest and the configuration.
    QProcess::startDetached(path, {});
    StatusReport::instance()->report(StatusReport::LAUNCHER_START_GAME);
}

QString MainViewModel::installPath() const
{
    const QString path = LauncherConfig::instance()->gameInstallPath();
    if (path.size() <= kDisplayPathLimit)
        return path;
    return path.left(kDisplayPathHalf) + QStringLiteral(" ... ") + path.right(kDisplayPathHalf);
}

void MainViewModel::UpdateInstallPath(const QString &strPath)
{
    LauncherConfig::instance()->setGameInstallPath(strPath);
    setItemProperty(QStringLiteral("curinstallPath"), "text", installPath());
}

void MainViewModel::normalizeInstallPath()
{
    QString path = LauncherConfig::instance()->gameInstallPath();
    const QStringList parts = path.split(QRegularExpression(QStringLiteral("[\\\\/]")));
    if (parts.last().compare(kGameFolderName, Qt::CaseInsensitive) != 0)
        path += QDir::separator() + kGameFolderName;
    LauncherConfig::instance()->setGameInstallPath(path);
}

bool MainViewModel::isDownloadNotComplated() const
{
    const QString folder = LauncherConfig::instance()->gameInstallPath();
    if (folder.isEmpty() || !m_gameInfo)
        return false;
    const QString name = UpdateVersionInfo::fileName(m_gameInfo->getUrl(m_localGameVersion));
    return !name.isEmpty()
        && QFileInfo::exists(folder + QLatin1Char('/') + name + QStringLiteral("_tmp"));
}

void MainViewModel::handleMessage(const QString &message)
{
    qDebug() << "handle msg" << message;
    if (message != QLatin1String("raise_window_noop"))
        return;
    invokeItem(QStringLiteral("rootWindow"), "show", Qt::DirectConnection);
    invokeItem(QStringLiteral("rootWindow"), "raise", Qt::DirectConnection);
    invokeItem(QStringLiteral("rootWindow"), "requestActivate", Qt::DirectConnection);
}

void MainViewModel::btnExitClick()
{
    // exit_type 1 keeps the launcher in the tray; anything else quits.
    if (LauncherConfig::instance()->getInt(QStringLiteral("exit_type"), QString()) == 1) {
        for (const char *method : { "showMinimized", "hide", "raise", "requestActivate" })
            invokeItem(QStringLiteral("rootWindow"), method, Qt::QueuedConnection);
        return;
    }
    invokeItem(QStringLiteral("rootWindow"), "close", Qt::QueuedConnection);
}

void MainViewModel::onApplicationQuit()
{
    if (m_setupWorker)
        m_setupWorker->disconnect(this);
    if (m_gameDownloader)
        m_gameDownloader->stopDownlaod();
    if (m_setupWorker)
        m_setupWorker->exit(0);
    QCoreApplication::exit(0);
}

void MainViewModel::btnSettingClick()
{
    // Without a settings dialog the button does nothing.
}

void MainViewModel::onOpenWebsiteClick()
{
    if (m_gameInfo && !m_gameInfo->websiteLink().isEmpty())
        QDesktopServices::openUrl(QUrl(m_gameInfo->websiteLink()));
}

void MainViewModel::onOpenbbsClick()
{
    if (m_gameInfo && !m_gameInfo->forumLink().isEmpty())
        QDesktopServices::openUrl(QUrl(m_gameInfo->forumLink()));
}

void MainViewModel::updateBtnClicked()
{
    qDebug() << "update button pressed";
}

void MainViewModel::changeInstallPathBtnClicked()
{
    qDebug() << "change install path pressed";
}

void MainViewModel::pauseBtnClicked()
{
    qDebug() << "pause button pressed";
}

void MainViewModel::installEnsureBtnClicked()
{
    qDebug() << "install button pressed";
}

void MainViewModel::appInfoAreaClick() { }
