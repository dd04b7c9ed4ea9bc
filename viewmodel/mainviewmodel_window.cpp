// The window's own buttons and messages, and the names the window binds to
// that other classes answer.
#include "viewmodel/mainviewmodel.h"

#include "core/buildinfo.h"
#include "core/launcherconfig.h"
#include "dialogs/cdlgappinfo.h"
#include "dialogs/cdlgclosetip.h"
#include "dialogs/csetinstallpathdialog.h"
#include "dialogs/dlgsetting.h"
#include "net/updateversioninfo.h"
#include "platform/processes.h"
#include "report/statusreport.h"
#include "setup/setupmanager.h"
#include "viewmodel/gamelauncher.h"
#include "viewmodel/gamerepair.h"
#include "viewmodel/installflow.h"
#include "viewmodel/launchercontent.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDesktopServices>
#include <QTimer>
#include <QUrl>

QString MainViewModel::gameExePath(const QString &folder) const
{
    return m_game->exePath(folder);
}

bool MainViewModel::isGameRunning() const
{
    return m_game->isRunning();
}

void MainViewModel::askToEndGame(
    QObject *context, int waitMs, std::function<void()> retry, std::function<void()> declined)
{
    // The game of this install folder only, wherever the manifest's name
    // might also appear.
    const QString exe = gameExePath(QString());
    showMessage(
        tr("title_warning"), tr("message_game_is_running_please_close"),
        [context, waitMs, exe, retry, declined](bool confirmed) {
            if (!confirmed) {
                if (declined)
                    declined();
                return;
            }
            platform::killProgram(exe);
            QTimer::singleShot(waitMs, context, retry);
        },
        true);
}

bool MainViewModel::startGameBtnClicked()
{
    // A second copy would fight the first over its files and saves. The
    // window stays, or comes back if it hid itself already.
    if (m_game->isRunning()) {
        refreshGameRunning();
        for (const char *method : { "show", "raise", "requestActivate" })
            m_items.invoke(QStringLiteral("rootWindow"), method, Qt::QueuedConnection);
        return false;
    }
    if (m_game->start())
        return true;
    showMessage(tr("title_error"), tr("message_game_start_failed"), nullptr, false);
    return false;
}

void MainViewModel::makeGameExecutable(const QString &folder) const
{
    m_game->makeExecutable(folder);
}

void MainViewModel::refreshGameRunning()
{
    const bool running = m_gameState == Ready && m_game->isRunning();
    if (running == m_gameRunning)
        return;
    m_gameRunning = running;
    emit gameRunningChanged();
}

QString MainViewModel::installPath() const
{
    return m_install->installPathText();
}

void MainViewModel::UpdateInstallPath(const QString &strPath)
{
    m_install->updateInstallPath(strPath);
}

void MainViewModel::normalizeInstallPath()
{
    m_install->normalizeInstallPath();
}

bool MainViewModel::isDownloadNotComplated() const
{
    return m_install->isDownloadNotComplated(m_localGameVersion);
}

QString MainViewModel::bgPath() const
{
    return m_content->bgPath();
}

QString MainViewModel::mainBgUrl() const
{
    return m_content->mainBgUrl();
}

QString MainViewModel::reportParam() const
{
    return StatusReport::instance()->reportParam();
}

QString MainViewModel::versionTitle() const
{
    return m_content->versionTitle();
}

QString MainViewModel::versionDesc() const
{
    return m_content->versionDesc();
}

QString MainViewModel::versionTitleColor() const
{
    return m_content->versionTitleColor();
}

QString MainViewModel::versionDescColor() const
{
    return m_content->versionDescColor();
}

QString MainViewModel::btnMoreActiveJumpUrl()
{
    return m_content->activityUrl();
}

void MainViewModel::singleReloadWeb()
{
    m_content->reloadWebIfPending();
}

QString MainViewModel::updateShowVersion()
{
    QString text = QStringLiteral("--");
    if (!m_localGameVersion.isEmpty())
        text = m_localGameVersion;
    else if (!m_gameInfo->latestVersion().isEmpty())
        text = m_gameInfo->latestVersion();
    m_items.set(QStringLiteral("versionText"), "text", text + QLatin1Char(' '));
    return text;
}

void MainViewModel::handleMessage(const QString &message)
{
    qDebug() << "handle msg" << message;
    if (message != QLatin1String("raise_window_noop"))
        return;
    for (const char *method : { "show", "raise", "requestActivate" })
        m_items.invoke(QStringLiteral("rootWindow"), method);
}

void MainViewModel::btnExitClick()
{
    LauncherConfig *config = LauncherConfig::instance();
    int exitType = config->getInt(QStringLiteral("exit_type"), QString());
    if (config->getBool(QStringLiteral("is_first_exit"), QString(), true)) {
        // Asked once; the answer is kept and the settings can change it.
        config->setBool(QStringLiteral("is_first_exit"), false, QString());
        CDlgCloseTip tip;
        m_dialogs.exec(tip);
        exitType = tip.exitType();
        config->setInt(QStringLiteral("exit_type"), exitType, QString());
    }
    // exit_type 1 keeps the launcher in the tray; anything else quits.
    if (exitType == 1) {
        for (const char *method : { "showMinimized", "hide", "raise", "requestActivate" })
            m_items.invoke(QStringLiteral("rootWindow"), method, Qt::QueuedConnection);
        return;
    }
    m_items.invoke(QStringLiteral("rootWindow"), "close", Qt::QueuedConnection);
}

void MainViewModel::onApplicationQuit()
{
    m_items.close();
    m_quit.begin(m_install->jobs() << m_repair->jobs());
}

bool MainViewModel::repairRunning() const
{
    return m_repair->isRunning();
}

QString MainViewModel::repairText() const
{
    return m_repair->stateText();
}

int MainViewModel::repairPercent() const
{
    return m_repair->percent();
}

void MainViewModel::cancelRepairClicked()
{
    m_repair->cancel();
}

void MainViewModel::btnSettingClick()
{
    if (m_settingsDialog)
        m_dialogs.exec(*m_settingsDialog);
}

bool MainViewModel::openExternalUrl(const QString &url)
{
    // Links come from replies and web pages: any other scheme would have the
    // desktop open local files or programs (a .desktop file runs one).
    const QUrl page(url, QUrl::StrictMode);
    const QString scheme = page.scheme().toLower();
    if (!page.isValid() || page.host().isEmpty()
        || (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
        qDebug() << "not opening a link that is no web page:" << url.left(200);
        return false;
    }
    return QDesktopServices::openUrl(page);
}

void MainViewModel::onOpenWebsiteClick()
{
    openExternalUrl(m_gameInfo->websiteLink());
}

void MainViewModel::onOpenbbsClick()
{
    openExternalUrl(m_gameInfo->forumLink());
}

void MainViewModel::updateBtnClicked()
{
    m_install->updateClicked();
}

void MainViewModel::installEnsureBtnClicked()
{
    m_install->installClicked();
}

void MainViewModel::startInstall()
{
    installEnsureBtnClicked();
}

void MainViewModel::startGameDownload()
{
    m_install->startGameDownload();
}

bool MainViewModel::downloadPaused() const
{
    return m_install->isPaused();
}

void MainViewModel::pauseBtnClicked()
{
    m_install->pauseClicked();
}

void MainViewModel::changeInstallPathBtnClicked()
{
    if (!m_installPathDialog) {
        m_installPathDialog = new CSetInstallPathDialog;
        // Queued: the install starts once the dialog has closed, so a message
        // of the install that reopens the dialog does not nest it in itself.
        connect(m_installPathDialog, &CSetInstallPathDialog::startInstallClicked, this,
            &MainViewModel::startInstall, Qt::QueuedConnection);
        connect(m_installPathDialog, &CSetInstallPathDialog::updateInstallPath, this,
            &MainViewModel::UpdateInstallPath);
    }
    m_installPathDialog->setRequiredSpace(m_gameInfo->latestSize());
    const QString path = LauncherConfig::instance()->gameInstallPath();
    m_installPathDialog->setInstallPath(path.isEmpty() ? m_programFolder : path);
    m_dialogs.exec(*m_installPathDialog);
}

void MainViewModel::appInfoAreaClick()
{
    if (!m_appInfoPresses.press(m_clockMs()))
        return;
    const QString launcherId = isDomesticEnvironment(QLatin1String(kBuildEnvironment))
        ? QStringLiteral("10")
        : QStringLiteral("OS_%1").arg(QStringLiteral("10"));
    CDlgAppInfo info;
    info.setInfo(m_gameInfo->latestVersion(), launcherId, QLatin1String(kLauncherVersion));
    m_dialogs.exec(info);
}
