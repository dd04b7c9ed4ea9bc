#pragma once

#include "core/errordefine.h"

#include <QObject>
#include <QString>

class DownloadJob;
class ExtractJob;
class Job;
class MainViewModel;
class PluginPackage;
class ProgressTexts;
class StagingRun;
class UpdateVersionInfo;
class downloadmanager;

// Getting and updating the game, as a state machine that owns the job it
// runs: the package download with its check, the running-game question,
// the extraction, and the plugin package the flow waits for before the
// version is recorded. The phase changes only on a job's result or a
// player's answer, and the player's actions count only in the phases where
// they make sense. While a 7z package downloads, it is already extracted
// into a staging folder beside the game; the staged files take their place
// only once the package passed its check, and anything else throws them
// away. Where that extraction cannot be had, the package is extracted once
// checked.
class InstallFlow : public QObject
{
    Q_OBJECT

public:
    enum class Phase {
        Idle,
        Downloading,
        Paused,
        Verifying,
        EndingGame,
        Installing,
        WaitingForPlugin
    };
    Q_ENUM(Phase)

    InstallFlow(MainViewModel &model, UpdateVersionInfo &info, ProgressTexts &progress,
        QObject *parent = nullptr);

    void setProgramFolder(const QString &folder);
    void installClicked();
    // Starts the package download when the game is still to be installed.
    void startGameDownload();
    void updateClicked();
    void pauseClicked();
    Phase phase() const { return m_phase; }
    bool isPaused() const { return m_phase == Phase::Paused; }
    // The install folder, shortened in its middle for the window.
    QString installPathText() const;
    void updateInstallPath(const QString &path);
    // Makes the configured folder end in the game's own folder name.
    void normalizeInstallPath();
    // A partial package of the installed version's download is on disk.
    bool isDownloadNotComplated(const QString &localVersion) const;
    // What quitting stops and waits for.
    QList<Job *> jobs() const;
    downloadmanager *gameDownloader() const;
    // For tests: how long to wait after ending the game before looking again.
    void setKillRetryMs(int ms) { m_killRetryMs = ms; }

signals:
    void phaseChanged();
    // The package for version is installed and recorded.
    void installed(const QString &version);
    // The install folder was refused or too small: the dialog should open.
    void installPathWanted();

private:
    static QString cleanPath(QString path);
    bool hasRoomFor(const QString &path, qint64 need) const;
    void setPhase(Phase phase);
    void downloadPackage();
    void startRun();
    void installChecked();
    void setupFailed();
    void onDownloadFinished();
    void beginSetup();
    void onExtractFinished();
    void onPluginFinished();
    void recordInstall();
    void showError(const QString &title, const Job &job);
    QString packagePath() const;

    MainViewModel &m_model;
    UpdateVersionInfo &m_info;
    ProgressTexts &m_progress;
    DownloadJob *m_download = nullptr;
    ExtractJob *m_extract = nullptr;
    PluginPackage *m_plugin = nullptr;
    Phase m_phase = Phase::Idle;
    bool m_isUpdate = false;
    bool m_pausing = false;
    StagingRun *m_staging = nullptr;
    bool m_verified = false;
    int m_killRetryMs = 500;
};
