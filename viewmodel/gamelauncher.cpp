#include "viewmodel/gamelauncher.h"

#include "core/filenames.h"
#include "core/launcherconfig.h"
#include "net/updateversioninfo.h"
#include "platform/processes.h"
#include "report/statusreport.h"
#include "viewmodel/dialogpresenter.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

namespace {

const QString kDefaultGameExe = QStringLiteral("Quorvela.exe");

} // namespace

GameLauncher::GameLauncher(const UpdateVersionInfo &info)
    : m_info(info)
{
}

QString GameLauncher::exeName() const
{
    const QString entry = m_info.latestEntry();
    return entry.isEmpty() ? kDefaultGameExe : entry;
}

QString GameLauncher::exePath(const QString &folder) const
{
    const QString base = folder.isEmpty() ? LauncherConfig::instance()->gameInstallPath() : folder;
    const QString path = base + QLatin1Char('/') + exeName();
    // A link the package or someone else left under that name could point
    // anywhere; only what stays in the install folder is ever started.
    if (exeName() != kDefaultGameExe && !FileNames::staysInside(base, path)) {
        qDebug() << "game executable" << path
                 << "leads out of the install folder; the default is used";
        return base + QLatin1Char('/') + kDefaultGameExe;
    }
    return path;
}

bool GameLauncher::isRunning() const
{
    return platform::isProgramRunning(exePath(QString()));
}

bool GameLauncher::start() const
{
    // The program itself, never through a shell or a command line that is
    // split again: the path comes from the manifest and the configuration.
    if (!QProcess::startDetached(exePath(QString()), {}))
        return false;
    StatusReport::instance()->report(StatusReport::LAUNCHER_START_GAME);
    return true;
}

void GameLauncher::makeExecutable(const QString &folder) const
{
    // Archives made on Windows store no exec bit; the entry could then never
    // be started. A link is left alone: it could lead to anybody's file.
    const QString path = exePath(folder);
    const QFileInfo entry(path);
    if (entry.isFile() && !entry.isSymLink())
        QFile::setPermissions(path, entry.permissions() | QFile::ExeOwner | QFile::ExeUser);
}

void GameLauncher::askToEnd(DialogPresenter &dialogs, QObject *context, int waitMs,
    std::function<void()> retry, std::function<void()> declined) const
{
    // The game of this install folder only, wherever the manifest's name
    // might also appear.
    const QString exe = exePath(QString());
    dialogs.showMessage(
        QCoreApplication::translate("MainViewModel", "title_warning"),
        QCoreApplication::translate("MainViewModel", "message_game_is_running_please_close"),
        [context, waitMs, exe, retry, declined](bool confirmed) {
            if (!confirmed) {
                if (declined)
                    declined();
                return;
            }
            platform::killProgram(exe);
            QTimer::singleShot(waitMs, context, retry);
        },
        true);
}
