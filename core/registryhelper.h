#pragma once

#include <QString>

// The launcher's registry values: start at login, and the version the
// installer's uninstall entry and the machine-wide key show.
class RegistryHelper
{
public:
    static RegistryHelper *instance();
    static void freeInstance();

    // True when start at login is on; repairs a value that still names the
    // program at a former location.
    bool isAutoRun();
    void setAutoRun(bool on);

    QString uninstallDisplayVersion() const;
    void syncUninstallDisplayVersion();
    void syncLauncherVersion();

private:
    RegistryHelper();

    static QString autoRunValueName();
    static QString autoRunData();
    static void writeAutoRun(const QString &data);
};
