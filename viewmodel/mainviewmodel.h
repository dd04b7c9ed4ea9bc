#pragma once

#include "core/buildinfo.h"
#include "net/launcherapi.h"
#include "net/updateprogram.h"
#include "net/updateversioninfo.h"
#include "report/statusreport.h"
#include "viewmodel/appinfospot.h"
#include "viewmodel/dialogpresenter.h"
#include "viewmodel/gamelauncher.h"
#include "viewmodel/gamerepair.h"
#include "viewmodel/installflow.h"
#include "viewmodel/launchercontent.h"
#include "viewmodel/launcherupdate.h"
#include "viewmodel/progresstexts.h"
#include "viewmodel/quitsequence.h"
#include "viewmodel/weblink.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <utility>

class CSetInstallPathDialog;
class DlgSetting;
class ServiceRequest;
class setupmanager;

// The one object the main window sees: keeps the game state and publishes
// what the window binds to. The window only reads its properties, calls its
// methods and follows its signals; nothing here reaches into the window's
// items. Each job behind it lives in a class of its own (services, content,
// install flow, game launch, dialogs); this class wires them to the window.
class MainViewModel : public QObject
{
    Q_OBJECT

    Q_PROPERTY(QString updateShowVersion READ updateShowVersion NOTIFY gameStateChanged)
    Q_PROPERTY(float progress READ progress NOTIFY progressChanged)
    Q_PROPERTY(bool startGameEnable READ startGameEnable NOTIFY gameStateChanged)
    Q_PROPERTY(bool startGameVisible READ startGameVisible NOTIFY gameStateChanged)
    Q_PROPERTY(bool updateEnable READ updateEnable NOTIFY gameStateChanged)
    Q_PROPERTY(bool installEnable READ installEnable NOTIFY gameStateChanged)
    Q_PROPERTY(bool downloading READ downloading NOTIFY gameStateChanged)
    Q_PROPERTY(bool setupGameing READ setupGameing NOTIFY gameStateChanged)
    Q_PROPERTY(bool isDownloadNotComplated READ isDownloadNotComplated NOTIFY gameStateChanged)
    Q_PROPERTY(
        QString installPath READ installPath WRITE UpdateInstallPath NOTIFY installPathChanged)
    Q_PROPERTY(QString bgPath READ bgPath NOTIFY bgPathChanged)
    Q_PROPERTY(QString reportParam READ reportParam CONSTANT)
    Q_PROPERTY(QString mainBgUrl READ mainBgUrl NOTIFY mainBgResChanged)
    Q_PROPERTY(QString versionTitle READ versionTitle NOTIFY versionTitleChanged)
    Q_PROPERTY(QString versionDesc READ versionDesc NOTIFY versionDescChanged)
    Q_PROPERTY(QString versionTitleColor READ versionTitleColor NOTIFY versionTitleColorChanged)
    Q_PROPERTY(QString versionDescColor READ versionDescColor NOTIFY versionDescColorChanged)
    Q_PROPERTY(bool hasNewProgramVersion READ hasNewProgramVersion NOTIFY newProgramVersionUpdate)
    Q_PROPERTY(bool servicesUnreachable READ servicesUnreachable NOTIFY gameStateChanged)
    Q_PROPERTY(bool gameRunning READ gameRunning NOTIFY gameRunningChanged)
    Q_PROPERTY(bool repairRunning READ repairRunning NOTIFY repairChanged)
    Q_PROPERTY(QString repairText READ repairText NOTIFY repairChanged)
    Q_PROPERTY(int repairPercent READ repairPercent NOTIFY repairChanged)
    Q_PROPERTY(bool previewStage READ previewStage CONSTANT)
    Q_PROPERTY(bool dimmed READ dimmed NOTIFY dimmedChanged)
    Q_PROPERTY(bool webPageShown READ webPageShown NOTIFY webPageShownChanged)
    Q_PROPERTY(bool activityVisible READ activityVisible NOTIFY activityChanged)
    Q_PROPERTY(QString activityImage READ activityImage NOTIFY activityChanged)
    Q_PROPERTY(bool downloadPaused READ downloadPaused NOTIFY downloadPausedChanged)
    Q_PROPERTY(QString downloadPercentage READ downloadPercentage NOTIFY progressTextsChanged)
    Q_PROPERTY(QString setupPercentage READ setupPercentage NOTIFY progressTextsChanged)
    Q_PROPERTY(QString downloadSpeed READ downloadSpeed NOTIFY progressTextsChanged)
    Q_PROPERTY(QString taskNeedTime READ taskNeedTime NOTIFY progressTextsChanged)

public:
    enum GameState {
        Checking = 1,
        NeedInstall = 2,
        Ready = 3,
        NeedUpdate = 4,
        Downloading = 6,
        Installing = 7,
        CheckFailed = 8,
        Verifying = 9,
    };
    Q_ENUM(GameState)

    using PendingAction = DialogPresenter::Action;

    explicit MainViewModel(QObject *parent = nullptr);
    ~MainViewModel() override;

    // Before initialize(): where the program's own files are (the folder of
    // the executable unless a test says otherwise).
    void setProgramFolder(const QString &folder);
    void setLanguage(const QString &language);
    // A start by the updater does not ask for a newer launcher again.
    void setStartedByUpdater(bool startedByUpdater) { m_startedByUpdater = startedByUpdater; }
    // For tests: the steady clock the hidden app-info spot counts presses by.
    void setClock(std::function<qint64()> clockMs) { m_appInfoSpot.setClock(std::move(clockMs)); }
    // For tests: how long quitting waits for the jobs and the quit report.
    void setQuitBoundMs(int ms) { m_quit.setBoundMs(ms); }
    bool isQuitting() const { return m_quit.isQuitting(); }

    void initialize();
    void setRootObject(QObject *root);

    void requestGameInfo();
    void requestContent();
    QString buildApiUrl(bool resource) const { return LauncherApi::url(resource, m_language); }
    void applyGameInfo();
    void decideGameState();
    void checkLauncherMinVersion();
    void showMessage(
        const QString &title, const QString &text, PendingAction action, bool showCancel)
    {
        m_dialogs.showMessage(title, text, std::move(action), showCancel);
    }
    void setGameState(GameState state);
    void setProgress(float progress)
    {
        m_progress = progress;
        emit progressChanged();
    }
    GameState gameState() const { return m_gameState; }

    QString gameExePath(const QString &folder) const { return m_game->exePath(folder); }
    bool isGameRunning() const { return m_game->isRunning(); }
    // Asks the player to end the running game of this install folder: on
    // yes it is ended and retry runs once it had a moment to go (on
    // context's thread, unless context is gone); on no, declined runs.
    void askToEndGame(QObject *context, int waitMs, std::function<void()> retry,
        std::function<void()> declined = {})
    {
        m_game->askToEnd(m_dialogs, context, waitMs, std::move(retry), std::move(declined));
    }
    void makeGameExecutable(const QString &folder) const { m_game->makeExecutable(folder); }
    void normalizeInstallPath();
    void startGameDownload() { m_install->startGameDownload(); }
    // For tests: the flows behind the window.
    InstallFlow *installFlow() const { return m_install; }
    LauncherUpdate *launcherUpdate() const { return m_update; }
    GameRepair *gameRepair() const { return m_repair; }
    bool repairRunning() const { return m_repair->isRunning(); }
    QString repairText() const { return m_repair->stateText(); }
    int repairPercent() const { return m_repair->percent(); }

    QString updateShowVersion() const;
    float progress() const { return m_progress; }
    bool startGameEnable() const { return m_gameState == Ready && !repairRunning(); }
    // Shown, if perhaps not pressable, while the game is or may become ready.
    bool startGameVisible() const
    {
        return m_gameState != NeedInstall && m_gameState != NeedUpdate
            && m_gameState != CheckFailed;
    }
    bool updateEnable() const { return m_gameState == NeedUpdate && !repairRunning(); }
    bool installEnable() const { return m_gameState == NeedInstall; }
    bool downloading() const { return m_gameState == Downloading; }
    bool setupGameing() const { return m_gameState == Installing || m_gameState == Verifying; }
    bool servicesUnreachable() const { return m_gameState == CheckFailed; }
    // The installed game runs (looked at while it could be started).
    bool gameRunning() const { return m_gameRunning; }
    // The install folder, shortened in its middle for the window.
    QString installPath() const { return m_install->installPathText(); }
    QString bgPath() const { return m_content->bgPath(); }
    QString reportParam() const { return StatusReport::instance()->reportParam(); }
    QString mainBgUrl() const { return m_content->mainBgUrl(); }
    QString versionTitle() const { return m_content->versionTitle(); }
    QString versionDesc() const { return m_content->versionDesc(); }
    QString versionTitleColor() const { return m_content->versionTitleColor(); }
    QString versionDescColor() const { return m_content->versionDescColor(); }
    // A build for the publisher's preview says so in the title bar.
    bool previewStage() const { return QLatin1String(kReleaseStage) == QLatin1String("prev"); }
    // The window dims itself while a dialog runs over it.
    bool dimmed() const { return m_dialogs.dimmed(); }
    // Hidden while the services are out of reach; shown again once the
    // content service answers (and the page itself has loaded).
    bool webPageShown() const { return m_webPageShown; }
    bool activityVisible() const { return m_content->activityVisible(); }
    QString activityImage() const { return m_content->activityImage(); }
    // The pause button shows play while the download waits for the player.
    bool downloadPaused() const { return m_install->isPaused(); }
    QString downloadPercentage() const { return m_progressTexts->downloadPercentage(); }
    QString setupPercentage() const { return m_progressTexts->setupPercentage(); }
    QString downloadSpeed() const { return m_progressTexts->downloadSpeed(); }
    QString taskNeedTime() const { return m_progressTexts->taskNeedTime(); }

    UpdateVersionInfo *gameInfo() const { return m_gameInfo; }

signals:
    void versionChanged(const QString &version);
    void progressChanged();
    void gameStateChanged();
    void installPathChanged();
    void bgPathChanged(const QString &path);
    void mainBgResChanged();
    void versionTitleChanged(const QString &title);
    void versionDescChanged(const QString &desc);
    void versionTitleColorChanged(const QString &color);
    void versionDescColorChanged(const QString &color);
    void newProgramVersionUpdate();
    void gameRunningChanged();
    void repairChanged();
    // Quitting has stopped every job (or given up waiting): the program may end.
    void readyToQuit();
    void dimmedChanged();
    void webPageShownChanged();
    void activityChanged();
    void downloadPausedChanged();
    void progressTextsChanged();
    // What only the window can do to itself.
    void raiseWindowRequested();
    void hideToTrayRequested();
    void closeWindowRequested();
    // The web page is to load again; or again only if its last load failed.
    void webPageReloadRequested();
    void webPageRetryRequested();

public slots:
    void onStartUpdate(AppVersionInfo updateInfo);
    void onQueryProgremUpdate() { m_update->requestLatestRelease(true); }
    void onExit();
    void onNewProgramVersionUpdate() { emit newProgramVersionUpdate(); }
    void handleMessage(const QString &message);
    void startInstall() { installEnsureBtnClicked(); }
    void UpdateInstallPath(const QString &strPath);
    void onDlgYesNoConfirmClicked(bool value) { m_dialogs.answer(value); }
    void UpdateCheckMd5Tip() { m_progressTexts->UpdateCheckMd5Tip(); }
    void onGlobalMetaDataDismiss()
    {
        StatusReport::instance()->report(StatusReport::GLOBAL_META_DATA_DISSMISS_OR_ZERO);
    }
    void onGlobalMetaDataError()
    {
        StatusReport::instance()->report(StatusReport::GLOBAL_META_DATA_ERROR);
    }
    void onStartMd5Check() { m_progressTexts->startMd5Animation(); }

public:
    // False, with a message shown, when the game could not be started.
    Q_INVOKABLE bool startGameBtnClicked();
    Q_INVOKABLE void onGeneralDialogConfirmClicked(bool value) { m_dialogs.answer(value); }
    Q_INVOKABLE void onApplicationQuit();
    Q_INVOKABLE void onOpenWebsiteClick() { openWebPage(m_gameInfo->websiteLink()); }
    Q_INVOKABLE void onOpenbbsClick() { openWebPage(m_gameInfo->forumLink()); }
    Q_INVOKABLE bool isDownloadNotComplated() const
    {
        return m_install->isDownloadNotComplated(m_localGameVersion);
    }
    Q_INVOKABLE void UpdateInfoByHttp();
    Q_INVOKABLE void btnExitClick();
    Q_INVOKABLE void btnSettingClick();
    Q_INVOKABLE void singleReloadWeb() { m_content->reloadWebIfPending(); }
    Q_INVOKABLE QString btnMoreActiveJumpUrl() { return m_content->activityUrl(); }
    // Hands a web page (http or https only) to the desktop's browser.
    Q_INVOKABLE bool openExternalUrl(const QString &url) { return openWebPage(url); }
    Q_INVOKABLE bool hasNewProgramVersion() const { return m_update->hasNewerRelease(); }

    Q_INVOKABLE void updateBtnClicked() { m_install->updateClicked(); }
    Q_INVOKABLE void changeInstallPathBtnClicked();
    Q_INVOKABLE void pauseBtnClicked() { m_install->pauseClicked(); }
    Q_INVOKABLE void installEnsureBtnClicked() { m_install->installClicked(); }
    Q_INVOKABLE void appInfoAreaClick() { m_appInfoSpot.press(); }
    // Asks the services again, from the start, whenever the player wants.
    Q_INVOKABLE void retryServices();
    Q_INVOKABLE void cancelRepairClicked() { m_repair->cancel(); }

private:
    void onResourceAnswer(const QByteArray &body);
    void askToRetryResource(bool showCancel);
    void onGameInstalled(const QString &version);
    void refreshGameRunning();
    void refreshInstallPath();
    void setWebPageShown(bool shown)
    {
        if (std::exchange(m_webPageShown, shown) != shown)
            emit webPageShownChanged();
    }

    DialogPresenter m_dialogs;
    QString m_programFolder;
    bool m_startedByUpdater = false;
    QString m_language = QStringLiteral("en");
    QString m_localGameVersion;
    QString m_shownInstallPath;
    float m_progress = 0.0f;
    GameState m_gameState = Checking;
    bool m_webPageShown = true;
    UpdateVersionInfo *m_gameInfo = nullptr;
    ServiceRequest *m_resource = nullptr;
    GameLauncher *m_game = nullptr;
    LauncherContent *m_content = nullptr;
    ProgressTexts *m_progressTexts = nullptr;
    LauncherUpdate *m_update = nullptr;
    InstallFlow *m_install = nullptr;
    GameRepair *m_repair = nullptr;
    CSetInstallPathDialog *m_installPathDialog = nullptr;
    DlgSetting *m_settingsDialog = nullptr;
    AppInfoSpot m_appInfoSpot;
    setupmanager *m_setupWorker = nullptr;

    // The first refresh after start-up finds its requests already on the way.
    bool m_firstRefresh = true;
    bool m_gameRunning = false;
    QTimer m_gameRunningPoll;
    QuitSequence m_quit;
};
