#include "viewmodel/closebehaviour.h"

#include "core/launcherconfig.h"
#include "dialogs/cdlgclosetip.h"
#include "viewmodel/dialogpresenter.h"

bool closeKeepsLauncherInTray(DialogPresenter &dialogs)
{
    LauncherConfig *config = LauncherConfig::instance();
    int exitType = config->getInt(QStringLiteral("exit_type"), QString());
    if (config->getBool(QStringLiteral("is_first_exit"), QString(), true)) {
        config->setBool(QStringLiteral("is_first_exit"), false, QString());
        CDlgCloseTip tip;
        dialogs.exec(tip);
        exitType = tip.exitType();
        config->setInt(QStringLiteral("exit_type"), exitType, QString());
    }
    // exit_type 1 keeps the launcher in the tray; anything else quits.
    return exitType == 1;
}
