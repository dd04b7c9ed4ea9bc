#include "core/launcherconfig.h"

#include <QCoreApplication>

#include <memory>

namespace {

const QString kGameInstallPath = QStringLiteral("game_install_path");
const QString kGameVersion = QStringLiteral("game_version");
const QString kCps = QStringLiteral("cps");
const QString kChannel = QStringLiteral("channel");
const QString kSubChannel = QStringLiteral("sub_channel");
const QString kDynamicBgName = QStringLiteral("game_dynamic_bg_name");
const QString kDynamicVersionTitle = QStringLiteral("game_dynamic_version_title");
const QString kDynamicVersionTitleColor = QStringLiteral("game_dynamic_version_title_color");
const QString kDynamicVersionDesc = QStringLiteral("game_dynamic_version_desc");
const QString kDynamicVersionDescColor = QStringLiteral("game_dynamic_version_desc_color");
const QString kDownloadSpeedLimit = QStringLiteral("download_speed_limit");
const QString kDownloadSegments = QStringLiteral("download_segments");
constexpr int kDefaultSegments = 4;

} // namespace

namespace {

std::unique_ptr<LauncherConfig> &sharedConfig()
{
    static std::unique_ptr<LauncherConfig> config;
    return config;
}

} // namespace

LauncherConfig *LauncherConfig::instance()
{
    std::unique_ptr<LauncherConfig> &config = sharedConfig();
    if (!config)
        config.reset(new LauncherConfig(
            QCoreApplication::applicationDirPath() + QStringLiteral("/config.ini")));
    return config.get();
}

void LauncherConfig::useFile(const QString &launcherFile)
{
    sharedConfig().reset(new LauncherConfig(launcherFile));
}

void LauncherConfig::freeInstance()
{
    sharedConfig().reset();
}

LauncherConfig::LauncherConfig(const QString &launcherFile)
    : m_settings(launcherFile, QSettings::IniFormat)
{
    initCps(QStringLiteral("vantor"));
    initChannel(QStringLiteral("1"));
    initSubChannel(QStringLiteral("0"));
}

bool LauncherConfig::getBool(const QString &key, const QString &group, bool defaultValue)
{
    m_settings.beginGroup(group);
    const bool value = m_settings.value(key, defaultValue).toBool();
    m_settings.endGroup();
    return value;
}

int LauncherConfig::getInt(const QString &key, const QString &group)
{
    m_settings.beginGroup(group);
    const int value = m_settings.value(key, 0).toInt();
    m_settings.endGroup();
    return value;
}

QString LauncherConfig::getString(const QString &key, const QString &group)
{
    m_settings.beginGroup(group);
    const QString value = m_settings.value(key).toString();
    m_settings.endGroup();
    return value;
}

void LauncherConfig::setBool(const QString &key, bool value, const QString &group)
{
    m_settings.beginGroup(group);
    m_settings.setValue(key, value);
    m_settings.endGroup();
}

void LauncherConfig::setInt(const QString &key, int value, const QString &group)
{
    m_settings.beginGroup(group);
    m_settings.setValue(key, value);
    m_settings.endGroup();
}

void LauncherConfig::setString(const QString &key, const QString &value, const QString &group)
{
    m_settings.beginGroup(group);
    m_settings.setValue(key, value);
    m_settings.endGroup();
}

QString LauncherConfig::gameInstallPath() const
{
    return m_settings.value(kGameInstallPath).toString();
}

void LauncherConfig::setGameInstallPath(const QString &path)
{
    m_settings.setValue(kGameInstallPath, path);
}

QString LauncherConfig::gameConfigFile() const
{
    const QString path = gameInstallPath();
    return path.isEmpty() ? QString() : path + QStringLiteral("/config.ini");
}

QString LauncherConfig::gameVersion()
{
    if (m_cachedGameVersion.isEmpty()) {
        const QString file = gameConfigFile();
        if (!file.isEmpty()) {
            const QString stored
                = QSettings(file, QSettings::IniFormat).value(kGameVersion).toString();
            if (!stored.isEmpty())
                m_cachedGameVersion = stored;
        }
    }
    return m_cachedGameVersion;
}

void LauncherConfig::setGameVersion(const QString &version)
{
    m_cachedGameVersion = version;
    const QString file = gameConfigFile();
    if (file.isEmpty())
        return;
    QSettings(file, QSettings::IniFormat).setValue(kGameVersion, m_cachedGameVersion);
    initCps(QString());
}

QString LauncherConfig::valueOrDefault(const QString &key, const QString &defaultValue) const
{
    const QString value = m_settings.value(key).toString();
    return value.isEmpty() ? defaultValue : value;
}

QString LauncherConfig::cps() const
{
    return valueOrDefault(kCps, QStringLiteral("vantor"));
}

QString LauncherConfig::channel() const
{
    return valueOrDefault(kChannel, QStringLiteral("1"));
}

QString LauncherConfig::subChannel() const
{
    return valueOrDefault(kSubChannel, QStringLiteral("0"));
}

// A non-empty value in the game's file wins: it came with the game from the
// distributor, so the launcher's own file is left alone then.
void LauncherConfig::initDistributionKey(const QString &key, const QString &value)
{
    const QString file = gameConfigFile();
    if (!file.isEmpty()) {
        QSettings game(file, QSettings::IniFormat);
        if (!game.value(key).toString().isEmpty())
            return;
        game.setValue(key, value);
    }
    if (!m_settings.value(key).toString().isEmpty())
        return;
    m_settings.setValue(key, value);
}

void LauncherConfig::initCps(const QString &value)
{
    initDistributionKey(kCps, value);
}

void LauncherConfig::initChannel(const QString &value)
{
    initDistributionKey(kChannel, value);
}

void LauncherConfig::initSubChannel(const QString &value)
{
    initDistributionKey(kSubChannel, value);
}

QString LauncherConfig::dynamicBgName() const
{
    return m_settings.value(kDynamicBgName).toString();
}
QString LauncherConfig::dynamicVersionTitle() const
{
    return m_settings.value(kDynamicVersionTitle).toString();
}
QString LauncherConfig::dynamicVersionTitleColor() const
{
    return m_settings.value(kDynamicVersionTitleColor).toString();
}
QString LauncherConfig::dynamicVersionDesc() const
{
    return m_settings.value(kDynamicVersionDesc).toString();
}
QString LauncherConfig::dynamicVersionDescColor() const
{
    return m_settings.value(kDynamicVersionDescColor).toString();
}
void LauncherConfig::setDynamicBgName(const QString &value)
{
    m_settings.setValue(kDynamicBgName, value);
}
void LauncherConfig::setDynamicVersionTitle(const QString &value)
{
    m_settings.setValue(kDynamicVersionTitle, value);
}
void LauncherConfig::setDynamicVersionTitleColor(const QString &value)
{
    m_settings.setValue(kDynamicVersionTitleColor, value);
}
void LauncherConfig::setDynamicVersionDesc(const QString &value)
{
    m_settings.setValue(kDynamicVersionDesc, value);
}
void LauncherConfig::setDynamicVersionDescColor(const QString &value)
{
    m_settings.setValue(kDynamicVersionDescColor, value);
}

int LauncherConfig::downloadSpeedLimit() const
{
    return qMax(0, m_settings.value(kDownloadSpeedLimit, 0).toInt());
}

void LauncherConfig::setDownloadSpeedLimit(int megabytesPerSecond)
{
    m_settings.setValue(kDownloadSpeedLimit, qMax(0, megabytesPerSecond));
}

int LauncherConfig::downloadSegments() const
{
    bool ok = false;
    const int count = m_settings.value(kDownloadSegments).toInt(&ok);
    return ok && count >= 1 ? count : kDefaultSegments;
}
