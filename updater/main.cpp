// The updater: started by the launcher, which then quits, with the product
// name and the hand-over JSON; replaces the launcher's files and starts it
// again.
#include "core/buildinfo.h"
#include "platform/namedmutex.h"
#include "setup/launcherswap.h"
#include "updater/handover.h"
#ifdef TESSARIL_UPDATER_TEST_HOOKS
#include "updater/testhooks.h"
#endif
#include "updater/updatecontroller.h"
#include "updater/updatertranslator.h"
#include "updater/updaterwindow.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>
#include <memory>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);

    HandOver handOver;
    QString error;
    if (!HandOver::parse(app.arguments().mid(1), handOver, error)) {
        std::fprintf(stderr,
            "Update: %s\nIt is started by the launcher as: Update %s "
            "'{\"exe_dir\":\"<launcher executable>\",\"lang\":\"<code>\","
            "\"pkg_md5\":\"<md5>\",\"pkg_url\":\"<package url>\"}'\n",
            qPrintable(error), kApplicationName);
        return 2;
    }

    // Held while files move, so a launcher started meanwhile without the
    // reason "update" leaves at once.
    auto lock = std::make_unique<platform::NamedMutexHolder>(updateMutexName());
    if (!lock->isOwner()) {
        std::fprintf(stderr, "Update: another update is already running\n");
        return 3;
    }
    // A swap cut short by an updater that moved files away first can leave
    // the folder without its launcher, which then cannot recover it.
    if (!QFileInfo::exists(handOver.executable))
        LauncherSwap::recover(handOver.launcherFolder());
    // Nothing is changed in, or started from, a folder that is not one.
    if (!handOver.namesLauncher(error)) {
        std::fprintf(stderr, "Update: %s\n", qPrintable(error));
        return 2;
    }

    UpdaterTranslator translator;
    translator.loadFrom(handOver.launcherFolder(), handOver.language);
    QCoreApplication::installTranslator(&translator);

    UpdaterWindow window;
    window.show();
    UpdateController::Options options;
#ifdef TESSARIL_UPDATER_TEST_HOOKS
    options = TestHooks::fromEnvironment();
#endif
    UpdateController controller(handOver, window, options, std::move(lock));
    QTimer::singleShot(0, &controller, &UpdateController::start);
    app.exec();
    return controller.exitCode();
}
