#pragma once

#include "core/errordefine.h"

#include <QObject>
#include <QString>

#include <functional>

class MainViewModel;
class ProgressTexts;
class UpdateVersionInfo;
class WindowItems;
class downloadmanager;
class setupmanager;

// Getting and updating the game: the install folder as stored and shown, the
// free-space checks, the full or incremental package, download with pause
// and resume, verification, the running-game check, extraction, the version
// recorded, and the plugin package on the side.
class InstallFlow : public QObject
{
    Q_OBJECT

public:
    InstallFlow(MainViewModel &model, UpdateVersionInfo &info, WindowItems &items,
        ProgressTexts &progress, QObject *parent = nullptr);

    void setProgramFolder(const QString &folder) { m_programFolder = folder; }
    // Takes the game's extraction worker, which lives for the whole process.
    void attachGameSetup(setupmanager *worker);

    void installClicked();
    // Starts the package download when the game is still to be installed.
    void startGameDownload();
    void updateClicked();
    void pauseClicked();

    // The install folder, shortened in its middle for the window.
    QString installPathText() const;
    void updateInstallPath(const QString &path);
    // Makes the configured folder end in the game's own folder name.
    void normalizeInstallPath();
    // A partial package of the installed version's download is on disk.
    bool isDownloadNotComplated(const QString &localVersion) const;
    // Stops the download and lets go of the game worker as the program quits.
    void stopForQuit();

    downloadmanager *gameDownloader() const { return m_gameDownloader; }
    setupmanager *pluginSetupWorker() const { return m_pluginSetupWorker; }
    // For tests: how long to wait after ending the game before looking again.
    void setKillRetryMs(int ms) { m_killRetryMs = ms; }

signals:
    // The package for version is installed and recorded.
    void installed(const QString &version);
    // The install folder was refused or too small: the dialog should open.
    void installPathWanted();

private:
    static QString cleanPath(QString path);
    bool hasRoomFor(const QString &path, qint64 need) const;
    void downloadPackage();
    void preparePlugin();
    void onDownloadFinished();
    void onMd5Finished();
    void beginSetup();
    void onSetupFinished();
    void onDownloadError(ErrorDefine::ErrorCode code, const QString &message);
    void onHttpError(ErrorDefine::ErrorCode code, const QString &message);
    void onSetupError(ErrorDefine::ErrorCode code, const QString &message);
    void showError(const QString &title, ErrorDefine::ErrorCode code, const QString &message);
    void pluginStep(bool afterSetup);
    void startPluginInstaller();
    QString packageName() const;
    QString pluginName() const;
    QString pluginFolder() const;

    MainViewModel &m_model;
    UpdateVersionInfo &m_info;
    WindowItems &m_items;
    ProgressTexts &m_progress;
    QString m_programFolder;
    downloadmanager *m_gameDownloader = nullptr;
    downloadmanager *m_pluginDownloader = nullptr;
    setupmanager *m_setupWorker = nullptr;
    setupmanager *m_pluginSetupWorker = nullptr;
    bool m_pluginSetupRunning = false;
    bool m_isUpdate = false;
    bool m_setupErrorShown = false;
    // What the game's setup left to do until the plugin's extraction ends.
    std::function<void()> m_afterPlugin;
    int m_killRetryMs = 500;
};
