#pragma once

#include <QSettings>
#include <QString>

// The launcher's INI file beside the program, and the game's INI file in the
// install folder. The game's file travels with the game, so it is only ever
// opened for one operation and only single keys are added to it.
class LauncherConfig
{
public:
    // The launcher's "config.ini" beside the running program, unless its
    // owner pointed it elsewhere first.
    static LauncherConfig *instance();
    // Makes instance() the file given: a program that does not live beside
    // the launcher (the updater) names the launcher's file itself.
    static void useFile(const QString &launcherFile);
    // Writes the file out and lets the object go (see main).
    static void freeInstance();

    // Opens launcherFile and fills in the distribution keys that are missing.
    explicit LauncherConfig(const QString &launcherFile);

    bool getBool(const QString &key, const QString &group, bool defaultValue);
    int getInt(const QString &key, const QString &group);
    QString getString(const QString &key, const QString &group);
    void setBool(const QString &key, bool value, const QString &group);
    void setInt(const QString &key, int value, const QString &group);
    void setString(const QString &key, const QString &value, const QString &group);

    QString gameInstallPath() const;
    void setGameInstallPath(const QString &path);

    // The installed version, read from the game's file once and then cached
    // for the life of the process, even across install path changes.
    QString gameVersion();
    void setGameVersion(const QString &version);

    // The most MB/s all downloads together may take; 0 for no limit.
    int downloadSpeedLimit() const;
    void setDownloadSpeedLimit(int megabytesPerSecond);
    // How many ranges of a download are fetched at once; 1 for one.
    int downloadSegments() const;

    QString cps() const;
    QString channel() const;
    QString subChannel() const;
    void initCps(const QString &value);
    void initChannel(const QString &value);
    void initSubChannel(const QString &value);

    QString dynamicBgName() const;
    QString dynamicVersionTitle() const;
    QString dynamicVersionTitleColor() const;
    QString dynamicVersionDesc() const;
    QString dynamicVersionDescColor() const;
    void setDynamicBgName(const QString &value);
    void setDynamicVersionTitle(const QString &value);
    void setDynamicVersionTitleColor(const QString &value);
    void setDynamicVersionDesc(const QString &value);
    void setDynamicVersionDescColor(const QString &value);

private:
    QString gameConfigFile() const;
    QString valueOrDefault(const QString &key, const QString &defaultValue) const;
    void initDistributionKey(const QString &key, const QString &value);

    QSettings m_settings;
    QString m_cachedGameVersion;
};
