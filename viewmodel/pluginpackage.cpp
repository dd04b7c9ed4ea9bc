#include "viewmodel/pluginpackage.h"

#include "core/filenames.h"
#include "core/launcherconfig.h"
#include "download/downloadmanager.h"
#include "net/updateversioninfo.h"
#include "platform/processes.h"
#include "setup/setupmanager.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

PluginPackage::PluginPackage(const UpdateVersionInfo &info, QObject *parent)
    : QObject(parent)
    , m_info(info)
    , m_programFolder(QCoreApplication::applicationDirPath())
    , m_downloader(new downloadmanager(this))
    , m_setupWorker(new setupmanager(this))
{
    m_downloader->setResumeKey(QStringLiteral("plugin"));
    connect(m_downloader, &downloadmanager::downloadFinished, this, &PluginPackage::verify);
    connect(m_downloader, &downloadmanager::md5CheckFinish, this, [this] {
        m_verifying = false;
        if (m_unpacking)
            return;
        m_unpacking = true;
        m_setupWorker->start();
    });
    connect(m_downloader, &downloadmanager::downloadError, this, [this] { m_verifying = false; });
    // Only the end of the extraction counts; a file it unpacked says nothing
    // about whether it is done.
    connect(m_setupWorker, &setupmanager::setupFinished, this, &PluginPackage::onUnpacked);
    // A folder left half-filled would pass for an unpacked plugin next time,
    // and a package that failed would fail again.
    // What was prepared, not what the manifest names now: a newer manifest
    // must never make this remove anything else.
    connect(m_setupWorker, &setupmanager::setupError, this, [this] {
        if (!m_preparedName.isEmpty()) {
            QDir(m_preparedFolder).removeRecursively();
            QFile::remove(cacheFolder() + QLatin1Char('/') + m_preparedName);
        }
        onUnpacked();
    });
}

void PluginPackage::whenUnpacked(std::function<void()> action)
{
    if (!m_unpacking) {
        action();
        return;
    }
    m_afterUnpack = std::move(action);
}

void PluginPackage::onUnpacked()
{
    m_unpacking = false;
    if (m_afterUnpack) {
        const auto pending = std::move(m_afterUnpack);
        m_afterUnpack = nullptr;
        pending();
    }
}

QStringList PluginPackage::programNames() const
{
    QStringList names = { QStringLiteral("config.ini"), QStringLiteral("cache"),
        QStringLiteral("tessaril-files.txt") };
    QFile list(m_programFolder + QStringLiteral("/tessaril-files.txt"));
    if (list.open(QIODevice::ReadOnly)) {
        while (!list.atEnd())
            names
                << QString::fromUtf8(list.readLine(4096)).trimmed().section(QLatin1Char('/'), 0, 0);
    }
    const QString game
        = QDir(m_programFolder)
              .relativeFilePath(QDir::cleanPath(LauncherConfig::instance()->gameInstallPath()));
    names << game.section(QLatin1Char('/'), 0, 0);
    return names;
}

QString PluginPackage::name() const
{
    const QVariantList plugins = m_info.plugins();
    if (plugins.isEmpty())
        return QString();
    const QString name = UpdateVersionInfo::fileName(
        plugins.first().toMap().value(QStringLiteral("path")).toString());
    if (!FileNames::isPlain(name))
        return QString();
    // The plugin's folder may be new or the plugin's own, never one of the
    // program's files or folders: the package would replace them.
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > 0 ? name.left(dot) : name;
    if (programNames().contains(base, Qt::CaseInsensitive)) {
        qDebug() << "plugin" << name << "would unpack over the program's own" << base;
        return QString();
    }
    return name;
}

QString PluginPackage::folder() const
{
    const QString plugin = name();
    const int dot = plugin.lastIndexOf(QLatin1Char('.'));
    return m_programFolder + QLatin1Char('/') + (dot > 0 ? plugin.left(dot) : plugin);
}

QString PluginPackage::cacheFolder() const
{
    return m_programFolder + QStringLiteral("/cache");
}

QString PluginPackage::packagePath() const
{
    return cacheFolder() + QLatin1Char('/') + name();
}

void PluginPackage::prepare()
{
    if (name().isEmpty())
        return;
    const QVariantMap plugin = m_info.plugins().first().toMap();
    // Fetched and checked in the cache, unpacked only into its own folder:
    // nothing it names replaces a file of the program.
    QDir().mkpath(cacheFolder());
    m_downloader->setUrl(QUrl(plugin.value(QStringLiteral("path")).toString()));
    m_downloader->setFilePath(cacheFolder());
    m_downloader->setFileMD5(plugin.value(QStringLiteral("md5")).toString());
    m_setupWorker->setZipFilePath(cacheFolder());
    m_setupWorker->setZipFileName(name());
    m_setupWorker->setOutputFolder(m_programFolder, QFileInfo(folder()).fileName());
    m_preparedName = name();
    m_preparedFolder = folder();
}

void PluginPackage::step(bool afterSetup)
{
    if (name().isEmpty())
        return;
    // One fetch, check and extraction at a time: a second extraction of a
    // package the first already removed would fail and take the plugin's
    // folder with it.
    if (m_verifying || m_unpacking || m_downloader->isDownloading())
        return;
    const QFileInfo unpacked(folder());
    if (!unpacked.exists() && !unpacked.isSymLink()) {
        if (QFileInfo(packagePath()).isFile())
            verify();
        else
            m_downloader->startDownload();
        return;
    }
    if (afterSetup)
        startInstaller();
}

void PluginPackage::verify()
{
    if (m_verifying)
        return;
    m_verifying = true;
    m_downloader->fileMd5(packagePath());
}

void PluginPackage::startInstaller()
{
    const QString pluginFolder = folder();
    const QString installer = pluginFolder + QLatin1Char('/')
        + platform::executableFileName(QFileInfo(pluginFolder).fileName());
    const QFileInfo file(installer);
    // The package decides what lies in its folder; only a program of the
    // expected name inside that folder is ever started.
    if (!file.isFile() || !file.isExecutable()
        || !FileNames::staysInside(pluginFolder, installer)) {
        qDebug() << "plugin installer" << installer << "is not a program in the plugin folder";
        return;
    }
    QProcess::startDetached(installer, { QStringLiteral("/silent") }, m_programFolder);
}
