#include "core/buildinfo.h"
#include "core/language.h"
#include "core/launcherconfig.h"
#include "core/registryhelper.h"
#include "platform/crashhandler.h"
#include "platform/graphicsinfo.h"
#include "platform/namedmutex.h"
#include "platform/singleapplication.h"
#include "platform/webengine.h"
#include "platform/window.h"
#include "report/statusreport.h"
#include "setup/archiveengine.h"
#include "setup/launcherswap.h"
#include "setup/setupmanager.h"
#include "viewmodel/languagefont.h"
#include "viewmodel/mainviewmodel.h"

#include <QLibrary>
#include <QMessageBox>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickWindow>
#include <QTranslator>
#include <QtWebEngine>

namespace {

// The engine library the installs will use, or an empty string. Only looked
// up here, so that a program folder without its engine shows in the log at
// start rather than at the player's first install.
QString findArchiveEngine()
{
    for (const QString &path : ArchiveEngine::candidatePaths()) {
        QLibrary library(path);
        const bool usable = library.load() && library.resolve("CreateObject");
        library.unload();
        if (usable)
            return path;
    }
    return QString();
}

// The objects every part of the launcher reaches through instance(), made
// in this order and freed in the reverse one: the reports read the
// configuration, and the game's worker reports through the reports. The
// worker is stopped and joined before anything it reports to goes.
class ProcessWideObjects
{
public:
    ProcessWideObjects()
    {
        LauncherConfig::useFile(
            QCoreApplication::applicationDirPath() + QStringLiteral("/config.ini"));
        RegistryHelper::instance();
        StatusReport::instance();
        setupmanager::instance();
    }
    ~ProcessWideObjects()
    {
        setupmanager::freeInstance();
        StatusReport::freeInstance();
        RegistryHelper::freeInstance();
        LauncherConfig::freeInstance();
    }
    Q_DISABLE_COPY(ProcessWideObjects)
};

} // namespace

int main(int argc, char *argv[])
{
    platform::installCrashHandler();
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL, true);
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    platform::prepareWebEngine();
    QtWebEngine::initialize();

    SingleApplication app(argc, argv, true);
    QCoreApplication::setOrganizationName(QLatin1String(kOrganizationName));
    QCoreApplication::setOrganizationDomain(organizationDomain());
    QCoreApplication::setApplicationName(QLatin1String(kApplicationName));

    if (app.isRunning()) {
        app.sendMessage(QStringLiteral("raise_window_noop"), 5000);
        return -1;
    }

    QApplication::setFont(QApplication::font("QMenu"));
    const QString reason = QCoreApplication::arguments().value(1);

    if (platform::isNamedMutexHeld(updateMutexName()) && reason != QLatin1String("update")) {
        QCoreApplication::exit(0);
        return -1;
    }

    // An update cut short by a crash or a power cut leaves a journal: finish
    // or undo it before anything of the program folder is used.
    LauncherSwap::recoverAtStartup(QCoreApplication::applicationDirPath());

    const ProcessWideObjects processWide;
    // Declared first so it goes last: whatever still shows a text on the way
    // out finds its translation.
    QTranslator translator;
    MainViewModel model;
    model.setStartedByUpdater(reason == QLatin1String("update"));

    QQuickWindow::setSceneGraphBackend(QSGRendererInterface::Software);
    // Goes before the view model its bindings read.
    QQmlApplicationEngine engine;

    model.setLanguage(selectUiLanguage(translator));
    QApplication::setFont(windowFontFor(currentLanguage(), QApplication::font()));
    QCoreApplication::installTranslator(&translator);
    qInfo().noquote() << "language:" << currentLanguage()
                      << (translator.isEmpty() ? QStringLiteral("untranslated, no file")
                                               : translator.filePath());
    const QString archiveEngine = findArchiveEngine();
    qInfo().noquote() << "archive engine:"
                      << (archiveEngine.isEmpty() ? QString("none") : archiveEngine);

    StatusReport::instance()->setGraphicsDescription(platform::graphicsDescription());
    model.initialize();
    engine.rootContext()->setContextProperty(QStringLiteral("mainViewModel"), &model);
    QStringList qmlErrors;
    QObject::connect(&engine, &QQmlApplicationEngine::warnings, [&qmlErrors](const auto &warnings) {
        for (const QQmlError &warning : warnings)
            qmlErrors << warning.toString();
    });
    engine.load(QUrl(QStringLiteral("qrc:/main.qml")));
    if (engine.rootObjects().isEmpty()) {
        // Without a window the player would see nothing at all; say why.
        for (const QString &error : qAsConst(qmlErrors))
            qCritical().noquote() << error;
        QMessageBox::critical(nullptr, QCoreApplication::applicationName(),
            QStringLiteral("The main window could not be loaded:\n\n%1")
                .arg(qmlErrors.join(QLatin1Char('\n'))));
        return 1;
    }

    QObject *root = engine.rootObjects().first();
    if (root->isWindowType())
        platform::bringToFront(qobject_cast<QWindow *>(root));
    model.setRootObject(root);
    QObject::connect(
        &app, &SingleApplication::messageReceived, &model, &MainViewModel::handleMessage);
    // Closing the window starts the quit; the program ends once the quit has
    // stopped the jobs, not the moment the last window goes.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&model, &MainViewModel::readyToQuit, &app, [] { QCoreApplication::exit(0); });
    return QApplication::exec();
}
