// Gets the game with the real view model, offscreen and without the window,
// from the get button to Ready, and prints the time it took and the time
// from the download's last byte to Ready. The services
// and the package come from the addresses in the environment.
// Usage: bench_install <program folder>
#include "core/launcherconfig.h"
#include "dialogs/cdlgyesno.h"
#include "download/downloadmanager.h"
#include "viewmodel/installflow.h"
#include "viewmodel/mainviewmodel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextBrowser>
#include <QTimer>

#include <cstdio>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_install <program folder>\n");
        return 2;
    }
    const QString program = QString::fromLocal8Bit(argv[1]);
    LauncherConfig::useFile(program + QStringLiteral("/config.ini"));
    // As the settings dialog does at the program's start.
    downloadmanager::setDefaultSegments(LauncherConfig::instance()->downloadSegments());
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});

    MainViewModel model;
    model.setProgramFolder(program);

    // Any message means the install failed: say which and stop.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *dialog = qobject_cast<CDlgYesNo *>(widget);
            if (dialog && dialog->isVisible()) {
                const auto *text = dialog->findChild<QTextBrowser *>();
                std::fprintf(stderr, "message: %s\n", text ? qPrintable(text->toPlainText()) : "");
                std::fflush(stderr);
                std::_Exit(1);
            }
        }
    });
    watch.start(100);

    QElapsedTimer clock;
    bool started = false;
    // The transfer reports its end as soon as the last byte is written.
    qint64 lastByteNs = -1;
    QObject::connect(model.installFlow()->gameDownloader(), &downloadmanager::downloadReplyProgress,
        [&](qlonglong done, qlonglong total) {
            if (started && lastByteNs < 0 && total > 0 && done >= total)
                lastByteNs = clock.nsecsElapsed();
        });
    QObject::connect(&model, &MainViewModel::gameStateChanged, [&] {
        if (!started && model.gameState() == MainViewModel::NeedInstall) {
            started = true;
            clock.start();
            QTimer::singleShot(0, &model, &MainViewModel::installEnsureBtnClicked);
        } else if (started && model.gameState() == MainViewModel::Ready) {
            const qint64 readyNs = clock.nsecsElapsed();
            std::printf("seconds %.3f\n", readyNs / 1e9);
            std::printf("after_last_byte %.3f\n", (readyNs - lastByteNs) / 1e9);
            QCoreApplication::exit(0);
        }
    });
    model.initialize();
    return QApplication::exec();
}
