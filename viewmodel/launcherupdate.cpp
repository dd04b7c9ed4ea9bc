#include "viewmodel/launcherupdate.h"

#include "core/buildinfo.h"
#include "core/launcherconfig.h"
#include "core/versioncompare.h"
#include "dialogs/cdlgyesno.h"
#include "net/applicationinfo.h"
#include "platform/processes.h"
#include "report/statusreport.h"
#include "viewmodel/dialogpresenter.h"
#include "viewmodel/weblink.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

LauncherUpdate::LauncherUpdate(DialogPresenter &dialogs, QObject *parent)
    : QObject(parent)
    , m_dialogs(dialogs)
    , m_appInfo(new ApplicationInfo(*this, this))
    , m_program(new UpdateProgram(*this, this))
{
    setProgramFolder(QCoreApplication::applicationDirPath());
    connect(m_appInfo, &ApplicationInfo::programVerInfoReply, m_program,
        &UpdateProgram::onCheckProgramUpdate);
    connect(m_program, &UpdateProgram::quitApp, this, &LauncherUpdate::quitApp);
    connect(m_program, &UpdateProgram::startUpdate, this, &LauncherUpdate::startUpdate);
    connect(m_program, &UpdateProgram::newProgramVersionUpdate, this,
        &LauncherUpdate::newProgramVersionUpdate);
    connect(m_program, &UpdateProgram::releaseRefused, this,
        [](const QString &packageUrl, const QString &why) {
            StatusReport::instance()->report(StatusReport::GLOBAL_META_DATA_ERROR,
                { { QStringLiteral("url"), packageUrl }, { QStringLiteral("errorString"), why } });
        });
}

void LauncherUpdate::setProgramFolder(const QString &folder)
{
    m_programFolder = folder;
    m_program->setLauncherFolder(folder);
}

void LauncherUpdate::requestLatestRelease(bool userAsked)
{
    m_appInfo->requestLatestRelease(userAsked);
}

QString LauncherUpdate::updaterPath() const
{
    // Beside the program, wherever the launcher was started from: a desktop
    // entry or the updater itself may start it in any working folder.
    return m_programFolder + QStringLiteral("/updateProgram/")
        + platform::executableFileName(QStringLiteral("Update"));
}

bool LauncherUpdate::handOver(const AppVersionInfo &info, const QString &language) const
{
    QJsonObject arguments;
    arguments.insert(QStringLiteral("pkg_url"), info.packageUrl);
    arguments.insert(QStringLiteral("pkg_md5"), info.packageMd5);
    arguments.insert(QStringLiteral("exe_dir"), QCoreApplication::applicationFilePath());
    arguments.insert(QStringLiteral("lang"), language);
    const QString json = QString::fromUtf8(QJsonDocument(arguments).toJson(QJsonDocument::Compact));
    return QProcess::startDetached(
        updaterPath(), { QLatin1String(kApplicationName), json }, m_programFolder);
}

bool LauncherUpdate::ask(const QString &title, const QString &text, const QString &confirmText)
{
    CDlgYesNo dialog;
    dialog.setTitleAndText(title, text);
    dialog.setOkText(confirmText);
    dialog.resize(460, 300);
    return m_dialogs.exec(dialog) == 1;
}

void LauncherUpdate::tell(const QString &title, const QString &text)
{
    m_dialogs.showMessage(title, text, nullptr, false);
}

bool LauncherUpdate::refuseBelowMinimum(const QString &minimumVersion, const QString &updatePage)
{
    if (compareVersion(QLatin1String(kLauncherVersion), minimumVersion) <= 0)
        return false;
    const bool pageValid = isWebPage(updatePage);
    CDlgYesNo dialog;
    dialog.setCloseButtonVisible(false);
    dialog.setOkOnly(true);
    dialog.setTitleAndText(QString(),
        pageValid ? QCoreApplication::translate("MainViewModel", "message_need_update_launcher")
                  : QCoreApplication::translate("MainViewModel", "message_launcher_version_old"));
    dialog.setOkText(QCoreApplication::translate("MainViewModel", "button_confirm"));
    dialog.resize(460, 300);
    m_dialogs.exec(dialog);
    if (pageValid)
        openWebPage(updatePage);
    return true;
}

bool LauncherUpdate::hasNewerRelease() const
{
    const QString newest
        = LauncherConfig::instance()->getString(QStringLiteral("new_version"), QString());
    return !newest.isEmpty() && compareVersion(QLatin1String(kLauncherVersion), newest) > 0;
}
