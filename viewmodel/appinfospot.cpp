#include "viewmodel/appinfospot.h"

#include "core/buildinfo.h"
#include "dialogs/cdlgappinfo.h"
#include "net/updateversioninfo.h"
#include "viewmodel/dialogpresenter.h"

AppInfoSpot::AppInfoSpot(DialogPresenter &dialogs, const UpdateVersionInfo &info)
    : m_dialogs(dialogs)
    , m_info(info)
    , m_clockMs([this] { return m_steady.elapsed(); })
{
    m_steady.start();
}

void AppInfoSpot::press()
{
    if (!m_presses.press(m_clockMs()))
        return;
    const QString launcherId = isDomesticEnvironment(QLatin1String(kBuildEnvironment))
        ? QStringLiteral("10")
        : QStringLiteral("OS_%1").arg(QStringLiteral("10"));
    CDlgAppInfo info;
    info.setInfo(m_info.latestVersion(), launcherId, QLatin1String(kLauncherVersion));
    m_dialogs.exec(info);
}
