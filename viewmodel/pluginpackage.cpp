#include "viewmodel/pluginpackage.h"

#include "core/filenames.h"
#include "core/launcherconfig.h"
#include "download/downloadjob.h"
#include "download/downloadmanager.h"
#include "net/updateversioninfo.h"
#include "platform/processes.h"
#include "setup/extractjob.h"
#include "setup/setupmanager.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

PluginPackage::PluginPackage(const UpdateVersionInfo &info, QObject *parent)
    : Job(parent)
    , m_info(info)
    , m_programFolder(QCoreApplication::applicationDirPath())
    , m_download(new DownloadJob(this))
    , m_extract(new ExtractJob(this))
{
    m_download->manager()->setResumeKey(QStringLiteral("plugin"));
    connect(m_download, &Job::finished, this, &PluginPackage::onFetched);
    connect(m_extract, &Job::finished, this, &PluginPackage::onUnpacked);
}

void PluginPackage::doStart()
{
    const QFileInfo unpacked(folder());
    if (name().isEmpty() || m_preparedName != name() || unpacked.exists() || unpacked.isSymLink()) {
        succeed();
        return;
    }
    m_download->start();
}

void PluginPackage::doAbort()
{
    if (m_download->isRunning())
        m_download->abort();
    else
        m_extract->abort();
}

void PluginPackage::onFetched()
{
    if (!isRunning())
        return;
    if (m_download->succeeded() && !abortRequested())
        m_extract->start();
    else if (m_download->wasAborted() || abortRequested())
        finishAborted();
    else
        fail(m_download->errorCode(), m_download->errorText());
}

void PluginPackage::onUnpacked()
{
    if (!isRunning())
        return;
    if (m_extract->succeeded()) {
        succeed();
        return;
    }
    // A folder left half-filled would pass for an unpacked plugin next time,
    // and a package that failed would fail again. What was prepared, not
    // what the manifest names now: a newer manifest must never make this
    // remove anything else.
    QDir(m_preparedFolder).removeRecursively();
    if (m_extract->wasAborted()) {
        // The package is sound; the next start unpacks it without a fetch.
        finishAborted();
        return;
    }
    QFile::remove(cacheFolder() + QLatin1Char('/') + m_preparedName);
    fail(m_extract->errorCode(), m_extract->errorText());
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
    // A run under way keeps what it was started with.
    if (isRunning())
        return;
    if (name().isEmpty())
        return;
    const QVariantMap plugin = m_info.plugins().first().toMap();
    // Fetched and checked in the cache, unpacked only into its own folder:
    // nothing it names replaces a file of the program.
    QDir().mkpath(cacheFolder());
    downloadmanager *downloader = m_download->manager();
    downloader->setUrl(QUrl(plugin.value(QStringLiteral("path")).toString()));
    downloader->setFilePath(cacheFolder());
    downloader->setFileMD5(plugin.value(QStringLiteral("md5")).toString());
    m_download->setPackagePath(packagePath());
    setupmanager *setup = m_extract->manager();
    setup->setZipFilePath(cacheFolder());
    setup->setZipFileName(name());
    setup->setOutputFolder(m_programFolder, QFileInfo(folder()).fileName());
    m_preparedName = name();
    m_preparedFolder = folder();
}

void PluginPackage::startInstaller()
{
    if (isRunning() || name().isEmpty() || !QFileInfo(folder()).isDir())
        return;
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
