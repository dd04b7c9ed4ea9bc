#include "viewmodel/launcherupdate.h"

#include "core/buildinfo.h"
#include "dialogs/cdlgyesno.h"
#include "net/applicationinfo.h"
#include "platform/processes.h"
#include "report/statusreport.h"
#include "viewmodel/dialogpresenter.h"
#include "viewmodel/windowitems.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

LauncherUpdate::LauncherUpdate(WindowItems &items, QObject *parent)
    : QObject(parent)
    , m_items(items)
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
    return DialogPresenter(m_items).exec(dialog) == 1;
}

void LauncherUpdate::tell(const QString &title, const QString &text)
{
    DialogPresenter(m_items).showMessage(title, text, nullptr, false);
}
