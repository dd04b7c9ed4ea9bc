#pragma once

#include "net/updateprogram.h"
#include "viewmodel/dialogpresenter.h"
#include "viewmodel/presscounter.h"
#include "viewmodel/quitsequence.h"
#include "viewmodel/windowitems.h"

#include <QObject>
#include <QTimer>

#include <functional>

class CSetInstallPathDialog;
class DlgSetting;
class GameRepair;
class GameLauncher;
class HttpRequestAPI;
class InstallFlow;
class LauncherContent;
class LauncherUpdate;
class ProgressTexts;
class UpdateVersionInfo;
class setupmanager;

// The one object the main window sees: keeps the game state and publishes
// what the window binds to. Each job behind it lives in a class of its own
// (content, install flow, game launch, item writes, dialogs); this class
// wires them to the window's names.
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
    Q_PROPERTY(bool downloadPaused READ downloadPaused NOTIFY gameStateChanged)
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
    void setClock(std::function<qint64()> clockMs) { m_clockMs = std::move(clockMs); }
    // For tests: how long quitting waits for the jobs and the quit report.
    void setQuitBoundMs(int ms) { m_quit.setBoundMs(ms); }
    bool isQuitting() const { return m_quit.isQuitting(); }

    void initialize();
    void setRootObject(QObject *root);

    void requestGameInfo();
    void requestContent();
    QString buildApiUrl(bool resource) const;
    void applyGameInfo();
    void decideGameState();
    void checkLauncherMinVersion();
    void showMessage(
        const QString &title, const QString &text, PendingAction action, bool showCancel);
    void setGameState(GameState state);
    void setProgress(float progress);
    GameState gameState() const { return m_gameState; }

    QString gameExePath(const QString &folder) const;
    bool isGameRunning() const;
    // Asks the player to end the running game of this install folder: on
    // yes it is ended and retry runs once it had a moment to go (on
    // context's thread, unless context is gone); on no, declined runs.
    void askToEndGame(QObject *context, int waitMs, std::function<void()> retry,
        std::function<void()> declined = {});
    void makeGameExecutable(const QString &folder) const;
    void normalizeInstallPath();
    void startGameDownload();
    QString localGameVersion() const { return m_localGameVersion; }
    // For tests: the flows behind the window.
    InstallFlow *installFlow() const { return m_install; }
    LauncherUpdate *launcherUpdate() const { return m_update; }
    GameRepair *gameRepair() const { return m_repair; }
    bool repairRunning() const;
    QString repairText() const;
    int repairPercent() const;

    QString updateShowVersion();
    float progress() const { return m_progress; }
    bool startGameEnable() const { return m_gameState == Ready && !repairRunning(); }
    bool startGameVisible() const;
    bool updateEnable() const { return m_gameState == NeedUpdate && !repairRunning(); }
    bool installEnable() const { return m_gameState == NeedInstall; }
    bool downloading() const { return m_gameState == Downloading; }
    bool downloadPaused() const;
    bool setupGameing() const { return m_gameState == Installing || m_gameState == Verifying; }
    bool servicesUnreachable() const { return m_gameState == CheckFailed; }
    // The installed game runs (looked at while it could be started).
    bool gameRunning() const { return m_gameRunning; }
    QString installPath() const;
    QString bgPath() const;
    QString reportParam() const;
    QString mainBgUrl() const;
    QString versionTitle() const;
    QString versionDesc() const;
    QString versionTitleColor() const;
    QString versionDescColor() const;

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

public slots:
    void onStartUpdate(AppVersionInfo updateInfo);
    void onQueryProgremUpdate();
    void onExit();
    void onNewProgramVersionUpdate();
    void handleMessage(const QString &message);
    void startInstall();
    void UpdateInstallPath(const QString &strPath);
    void onDlgYesNoConfirmClicked(bool value);
    void UpdateCheckMd5Tip();
    void onGlobalMetaDataDismiss();
    void onGlobalMetaDataError();
    void onStartMd5Check();

public:
    // False, with a message shown, when the game could not be started.
    Q_INVOKABLE bool startGameBtnClicked();
    Q_INVOKABLE void onGeneralDialogConfirmClicked(bool value);
    Q_INVOKABLE void onApplicationQuit();
    Q_INVOKABLE void onOpenWebsiteClick();
    Q_INVOKABLE void onOpenbbsClick();
    Q_INVOKABLE bool isDownloadNotComplated() const;
    Q_INVOKABLE void UpdateInfoByHttp();
    Q_INVOKABLE void btnExitClick();
    Q_INVOKABLE void btnSettingClick();
    Q_INVOKABLE void singleReloadWeb();
    Q_INVOKABLE QString btnMoreActiveJumpUrl();
    // Hands a web page (http or https only) to the desktop's browser.
    Q_INVOKABLE bool openExternalUrl(const QString &url);
    Q_INVOKABLE bool hasNewProgramVersion() const;

    Q_INVOKABLE void updateBtnClicked();
    Q_INVOKABLE void changeInstallPathBtnClicked();
    Q_INVOKABLE void pauseBtnClicked();
    Q_INVOKABLE void installEnsureBtnClicked();
    Q_INVOKABLE void appInfoAreaClick();
    // Asks the services again, from the start, whenever the player wants.
    Q_INVOKABLE void retryServices();
    Q_INVOKABLE void cancelRepairClicked();

private:
    void onResourceReply(bool ok, const QByteArray &body, const QString &errorText, int status);
    void retryResourceAction(bool confirmed);
    void onGameInstalled(const QString &version);
    void refreshGameRunning();

    WindowItems m_items;
    DialogPresenter m_dialogs { m_items };
    QString m_programFolder;
    bool m_startedByUpdater = false;
    QString m_language = QStringLiteral("en");
    QString m_localGameVersion;
    float m_progress = 0.0f;
    int m_resourceRetries = 0;
    GameState m_gameState = Checking;
    HttpRequestAPI *m_resourceApi = nullptr;
    UpdateVersionInfo *m_gameInfo = nullptr;
    GameLauncher *m_game = nullptr;
    LauncherContent *m_content = nullptr;
    ProgressTexts *m_progressTexts = nullptr;
    LauncherUpdate *m_update = nullptr;
    InstallFlow *m_install = nullptr;
    GameRepair *m_repair = nullptr;
    CSetInstallPathDialog *m_installPathDialog = nullptr;
    DlgSetting *m_settingsDialog = nullptr;
    PressCounter m_appInfoPresses;
    std::function<qint64()> m_clockMs;
    setupmanager *m_setupWorker = nullptr;

    // The first refresh after start-up finds its requests already on the way.
    bool m_firstRefresh = true;
    bool m_gameRunning = false;
    QTimer m_gameRunningPoll;
    QuitSequence m_quit;
};
