#pragma once

#include <QObject>
#include <QString>

#include <functional>

class UpdateVersionInfo;
class downloadmanager;
class setupmanager;

// The first plugin package of the manifest, fetched into the cache and
// unpacked into a folder of its own beside the program while the game
// installs, and its installer started once unpacked.
class PluginPackage : public QObject
{
    Q_OBJECT

public:
    PluginPackage(const UpdateVersionInfo &info, QObject *parent = nullptr);

    void setProgramFolder(const QString &folder) { m_programFolder = folder; }
    // Gives the download and the extraction what the manifest names.
    void prepare();
    // Fetches the package when its folder is not there yet; after the
    // game's setup, starts the installer of an unpacked one.
    void step(bool afterSetup);
    bool isUnpacking() const { return m_unpacking; }
    // Runs action once the plugin's extraction ends (at once if it does not run).
    void whenUnpacked(std::function<void()> action);

    setupmanager *setupWorker() const { return m_setupWorker; }

private:
    QString name() const;
    QString folder() const;
    QString cacheFolder() const;
    QString packagePath() const;
    // Top-level names in the program folder that belong to the program.
    QStringList programNames() const;
    void verify();
    void startInstaller();
    void onUnpacked();

    const UpdateVersionInfo &m_info;
    QString m_programFolder;
    downloadmanager *m_downloader = nullptr;
    setupmanager *m_setupWorker = nullptr;
    bool m_verifying = false;
    bool m_unpacking = false;
    QString m_preparedName;
    QString m_preparedFolder;
    std::function<void()> m_afterUnpack;
};
