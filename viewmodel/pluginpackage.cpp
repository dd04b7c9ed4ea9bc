#include "viewmodel/pluginpackage.h"

#include "core/filenames.h"
#include "download/downloadmanager.h"
#include "net/updateversioninfo.h"
#include "platform/processes.h"
#include "setup/setupmanager.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>
#include <QProcess>

PluginPackage::PluginPackage(const UpdateVersionInfo &info, QObject *parent)
    : QObject(parent)
    , m_info(info)
    , m_programFolder(QCoreApplication::applicationDirPath())
    , m_downloader(new downloadmanager(this))
    , m_setupWorker(new setupmanager(this))
{
    connect(m_downloader, &downloadmanager::downloadFinished, this,
        [this] { m_downloader->fileMd5(m_programFolder + QLatin1Char('/') + name()); });
    connect(m_downloader, &downloadmanager::md5CheckFinish, this, [this] {
        m_unpacking = true;
        m_setupWorker->start();
    });
    // Only the end of the extraction counts; a file it unpacked says nothing
    // about whether it is done.
    connect(m_setupWorker, &setupmanager::setupFinished, this, &PluginPackage::onUnpacked);
    connect(m_setupWorker, &setupmanager::setupError, this, &PluginPackage::onUnpacked);
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

QString PluginPackage::name() const
{
    const QVariantList plugins = m_info.plugins();
    if (plugins.isEmpty())
        return QString();
    const QString name = UpdateVersionInfo::fileName(
        plugins.first().toMap().value(QStringLiteral("path")).toString());
    return FileNames::isPlain(name) ? name : QString();
}

QString PluginPackage::folder() const
{
    const QString plugin = name();
    const int dot = plugin.lastIndexOf(QLatin1Char('.'));
    return m_programFolder + QLatin1Char('/') + (dot > 0 ? plugin.left(dot) : plugin);
}

void PluginPackage::prepare()
{
    if (name().isEmpty())
        return;
    const QVariantMap plugin = m_info.plugins().first().toMap();
    m_downloader->setUrl(QUrl(plugin.value(QStringLiteral("path")).toString()));
    m_downloader->setFilePath(m_programFolder);
    m_downloader->setFileMD5(plugin.value(QStringLiteral("md5")).toString());
    m_setupWorker->setZipFilePath(m_programFolder);
    m_setupWorker->setZipFileName(name());
}

void PluginPackage::step(bool afterSetup)
{
    if (name().isEmpty())
        return;
    if (!QFileInfo::exists(folder())) {
        const QString package = m_programFolder + QLatin1Char('/') + name();
        if (QFileInfo(package).isFile())
            m_downloader->fileMd5(package);
        m_downloader->startDownload();
        return;
    }
    if (afterSetup)
        startInstaller();
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
