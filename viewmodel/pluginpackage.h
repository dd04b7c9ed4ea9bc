#pragma once

#include "core/job.h"

#include <QString>

class DownloadJob;
class ExtractJob;
class UpdateVersionInfo;

// The first plugin package of the manifest, fetched into the cache and
// unpacked into a folder of its own beside the program while the game
// installs: a job that succeeds at once when the folder is already there.
// Its installer is started once the game is installed.
class PluginPackage : public Job
{
    Q_OBJECT

public:
    PluginPackage(const UpdateVersionInfo &info, QObject *parent = nullptr);

    void setProgramFolder(const QString &folder) { m_programFolder = folder; }
    // Gives the download and the extraction what the manifest names.
    void prepare();
    // Starts the installer of an unpacked plugin.
    void startInstaller();

protected:
    void doStart() override;
    void doAbort() override;

private:
    QString name() const;
    QString folder() const;
    QString cacheFolder() const;
    QString packagePath() const;
    // Top-level names in the program folder that belong to the program.
    QStringList programNames() const;
    void onFetched();
    void onUnpacked();

    const UpdateVersionInfo &m_info;
    QString m_programFolder;
    DownloadJob *m_download;
    ExtractJob *m_extract;
    QString m_preparedName;
    QString m_preparedFolder;
};
