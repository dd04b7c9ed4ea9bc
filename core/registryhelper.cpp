#include "core/registryhelper.h"

#include "core/buildinfo.h"
#include "platform/registry.h"

#include <QCoreApplication>
#include <QDir>

#include <memory>

namespace {

const QString kRunKey = QStringLiteral(
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run");
const QString kLauncherKey = QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\launcher");
const QString kDisplayVersion = QStringLiteral("DisplayVersion");
const QString kVersion = QStringLiteral("Version");

QString uninstallKey()
{
    return QStringLiteral("%1\\%2").arg(
        QStringLiteral(
            "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"),
        QLatin1String(kApplicationName));
}

void syncVersionValue(const QString &key, const QString &name)
{
    const QString current = QLatin1String(kLauncherVersion);
    if (platform::readRegistryString(key, name) != current)
        platform::writeRegistryString(key, name, current);
}

} // namespace

namespace {

std::unique_ptr<RegistryHelper> g_helper;

} // namespace

RegistryHelper *RegistryHelper::instance()
{
    if (!g_helper)
        g_helper.reset(new RegistryHelper);
    return g_helper.get();
}

void RegistryHelper::freeInstance()
{
    g_helper.reset();
}

RegistryHelper::RegistryHelper()
{
    platform::setRegistryOrganization(QLatin1String(kOrganizationName));
}

QString RegistryHelper::autoRunValueName()
{
    return QStringLiteral("%1_%2").arg(QLatin1String(kApplicationName), QStringLiteral("Launcher"));
}

QString RegistryHelper::autoRunData()
{
    return QDir::toNativeSeparators(QCoreApplication::applicationFilePath());
}

void RegistryHelper::writeAutoRun(const QString &data)
{
    platform::writeRegistryString(kRunKey, autoRunValueName(), data);
    platform::syncAutoStartEntry(autoRunValueName(), data);
}

bool RegistryHelper::isAutoRun()
{
    const QString stored = platform::readRegistryString(kRunKey, autoRunValueName());
    if (stored.isEmpty())
        return false;
    if (stored != autoRunData())
        platform::writeRegistryString(kRunKey, autoRunValueName(), autoRunData());
    // The value is what the settings dialog shows, but the desktop acts on its
    // own entry, which a session tool or a new profile may have dropped; an
    // "on" that does nothing at login would mislead the user.
    platform::syncAutoStartEntry(autoRunValueName(), autoRunData());
    return true;
}

void RegistryHelper::setAutoRun(bool on)
{
    writeAutoRun(on ? autoRunData() : QString());
}

QString RegistryHelper::uninstallDisplayVersion() const
{
    return platform::readRegistryString(uninstallKey(), kDisplayVersion);
}

void RegistryHelper::syncUninstallDisplayVersion()
{
    syncVersionValue(uninstallKey(), kDisplayVersion);
}

void RegistryHelper::syncLauncherVersion()
{
    syncVersionValue(kLauncherKey, kVersion);
}
