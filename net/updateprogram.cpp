#include "net/updateprogram.h"

#include "core/buildinfo.h"
#include "core/launcherconfig.h"
#include "core/versioncompare.h"
#include "net/serviceaddresses.h"
#include "net/updateprompt.h"
#include "platform/volume.h"

#include <QCoreApplication>
#include <QDebug>
#include <QJsonObject>
#include <QRegularExpression>
#include <QVariantMap>

namespace {

const QString kLauncherId = QStringLiteral("10");

} // namespace

UpdateProgram::UpdateProgram(UpdatePrompt &prompt, QObject *parent)
    : QObject(parent)
    , m_prompt(prompt)
    , m_launcherFolder(QCoreApplication::applicationDirPath())
{
    qRegisterMetaType<AppVersionInfo>();
}

QString UpdateProgram::packageRefusal(const QUrl &url, const QString &md5)
{
    static const QRegularExpression md5Pattern(QStringLiteral("^[0-9A-Fa-f]{32}$"));
    if (!ServiceAddresses::isAcceptableUrl(url))
        return QStringLiteral("the package URL must be https, or http on loopback: %1")
            .arg(url.toString());
    if (!md5Pattern.match(md5).hasMatch())
        return QStringLiteral("the package MD5 is not 32 hexadecimal digits: \"%1\"").arg(md5);
    return QString();
}

void UpdateProgram::onCheckProgramUpdate(const QJsonDocument &obj, bool userAsked)
{
    m_refused = false;
    if (parseReleaseInfo(obj))
        promptUpdate(userAsked);
    else if (!m_refused && userAsked)
        m_prompt.tell(tr("title_tip"), tr("message_is_latest_version"));
}

bool UpdateProgram::parseReleaseInfo(const QJsonDocument &doc)
{
    const QVariantMap data = doc.object().value(QStringLiteral("data")).toObject().toVariantMap();
    const QJsonDocument userDefined
        = QJsonDocument::fromJson(data.value(QStringLiteral("user_defined")).toString().toUtf8());
    const QString appId = userDefined.isObject()
        ? userDefined.object().value(QStringLiteral("app_id")).toVariant().toString()
        : QString();
    bool applies = data.value(QStringLiteral("has_update")).toString() == QLatin1String("true")
        && (appId.isEmpty() || appId == kLauncherId);
    LauncherConfig *config = LauncherConfig::instance();
    if (applies) {
        // Handing over quits the launcher; with automatic updates on, a
        // release the updater must refuse would close it at every start.
        QString refusal = packageRefusal(
            QUrl(data.value(QStringLiteral("package_url")).toString(), QUrl::StrictMode),
            data.value(QStringLiteral("package_md5")).toString());
        const QString version = data.value(QStringLiteral("package_version")).toString();
        if (refusal.isEmpty() && compareVersion(QLatin1String(kLauncherVersion), version) != 1)
            refusal = QStringLiteral("version \"%1\" is not newer than %2")
                          .arg(version, QLatin1String(kLauncherVersion));
        if (!refusal.isEmpty()) {
            qWarning().noquote() << "Launcher release refused:" << refusal;
            m_refused = true;
            applies = false;
            emit releaseRefused(data.value(QStringLiteral("package_url")).toString(), refusal);
        }
    }
    if (applies) {
        m_info.updateType = data.value(QStringLiteral("update_type")).toInt();
        m_info.packageName = data.value(QStringLiteral("package_name")).toString();
        m_info.packageVersion = data.value(QStringLiteral("package_version")).toString();
        m_info.packageUrl = data.value(QStringLiteral("package_url")).toString();
        m_info.packageMd5 = data.value(QStringLiteral("package_md5")).toString().toLower();
        m_info.packageSize = data.value(QStringLiteral("package_size")).toLongLong();
        config->setString(QStringLiteral("new_version"), m_info.packageVersion, QString());
    } else {
        config->setString(
            QStringLiteral("new_version"), QLatin1String(kLauncherVersion), QString());
    }
    emit newProgramVersionUpdate();
    return applies;
}

void UpdateProgram::promptUpdate(bool userAsked)
{
    const bool automatic
        = LauncherConfig::instance()->getBool(QStringLiteral("is_auto_update"), QString(), false);
    if (!automatic || userAsked) {
        if (m_info.updateType == 2) {
            if (!m_prompt.ask(tr("title_tip"), tr("message_new_version_please_update"),
                    tr("button_update"))) {
                emit quitApp();
                return;
            }
        } else if (!m_prompt.ask(tr("title_tip"), tr("message_new_version_whether_update"),
                       tr("button_update"))) {
            return;
        }
    }
    if (checkDiskSpace())
        emit startUpdate(m_info);
}

bool UpdateProgram::checkDiskSpace()
{
    const QStorageInfo volume = platform::volumeOf(m_launcherFolder);
    if (volume.isValid() && volume.bytesAvailable() >= m_info.packageSize)
        return true;
    m_prompt.tell(tr("title_tip"), tr("message_update_failed_not_enough_space"));
    return false;
}
