#pragma once

#include "core/errordefine.h"

#include <QObject>
#include <QString>

#include <functional>

class MainViewModel;
class PluginPackage;
class ProgressTexts;
class UpdateVersionInfo;
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
    InstallFlow(MainViewModel &model, UpdateVersionInfo &info, ProgressTexts &progress,
        QObject *parent = nullptr);

    void setProgramFolder(const QString &folder);
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
    void onDownloadFinished();
    void onMd5Finished();
    void beginSetup();
    void onSetupFinished();
    void onDownloadError(ErrorDefine::ErrorCode code, const QString &message);
    void onHttpError(ErrorDefine::ErrorCode code, const QString &message);
    void onSetupError(ErrorDefine::ErrorCode code, const QString &message);
    void showError(const QString &title, ErrorDefine::ErrorCode code, const QString &message);
    QString packageName() const;

    MainViewModel &m_model;
    UpdateVersionInfo &m_info;
    ProgressTexts &m_progress;
    downloadmanager *m_gameDownloader = nullptr;
    setupmanager *m_setupWorker = nullptr;
    PluginPackage *m_plugin = nullptr;
    bool m_isUpdate = false;
    bool m_setupErrorShown = false;
    int m_killRetryMs = 500;
};
