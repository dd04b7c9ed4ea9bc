#pragma once

#include <QObject>
#include <QString>

class UpdateVersionInfo;
class WindowItems;
class downloadmanager;
class setupmanager;

// Getting and updating the game: the install folder as stored and shown,
// the package downloads and their extraction workers.
class InstallFlow : public QObject
{
    Q_OBJECT

public:
    InstallFlow(UpdateVersionInfo &info, WindowItems &items, QObject *parent = nullptr);

    // Takes the game's extraction worker, which lives for the whole process.
    void attachGameSetup(setupmanager *worker);

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

signals:
    void md5CheckStarted();

private:
    UpdateVersionInfo &m_info;
    WindowItems &m_items;
    downloadmanager *m_gameDownloader = nullptr;
    downloadmanager *m_pluginDownloader = nullptr;
    setupmanager *m_setupWorker = nullptr;
    setupmanager *m_pluginSetupWorker = nullptr;
};
