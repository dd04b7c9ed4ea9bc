// bench_responsiveness PROGRAM-FOLDER [--first-frame]
// Starts the launcher as app/main.cpp does (real view model, real window),
// against the services in the TESSARIL_*_ORIGIN variables, and installs the
// game they announce into PROGRAM-FOLDER/Tessaril Game. A probe timer on the
// GUI thread measures how late the event loop serves it while the package
// downloads, is verified and is extracted. Prints the time from process start
// to the window's first frame and the longest stall of each phase; with
// --first-frame, only the first.
#include "core/buildinfo.h"
#include "core/language.h"
#include "core/launcherconfig.h"
#include "dialogs/cdlgyesno.h"
#include "platform/singleapplication.h"
#include "platform/webengine.h"
#include "viewmodel/mainviewmodel.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickWindow>
#include <QTextBrowser>
#include <QTimer>
#include <QTranslator>
#include <QtWebEngine>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <map>
#include <mutex>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr int kProbeMs = 5;
constexpr int kGiveUpMs = 20 * 60 * 1000;

qint64 steadyMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Milliseconds since the kernel started this process, to the clock tick.
double msSinceProcessStart()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    // The command name may hold blanks; the fields after it do not.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    const double startTicks = fields.value(19).toDouble();
    timespec now;
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double nowMs = now.tv_sec * 1e3 + now.tv_nsec / 1e6;
    return nowMs - startTicks * 1e3 / double(sysconf(_SC_CLK_TCK));
}

const char *phaseName(int state)
{
    switch (state) {
    case MainViewModel::Downloading:
        return "download";
    case MainViewModel::Verifying:
        return "verify";
    case MainViewModel::Installing:
        return "install";
    default:
        return "other";
    }
}

// Every message the launcher shows here means the install went wrong.
QString shownMessage()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        auto *dialog = qobject_cast<CDlgYesNo *>(widget);
        if (!dialog || !dialog->isVisible())
            continue;
        QString text;
        for (QLabel *label : dialog->findChildren<QLabel *>())
            text += label->text() + QLatin1Char(' ');
        for (QTextBrowser *browser : dialog->findChildren<QTextBrowser *>())
            text += browser->toPlainText();
        return text.isEmpty() ? QStringLiteral("(a message)") : text;
    }
    return QString();
}

// What the GUI thread is doing while it is late, read by a thread of its own:
// the system call it waits in and, for root, its kernel stack.
class StallWitness
{
public:
    // lastTickMs: steadyMs() of the probe's last tick, -1 while it does not run.
    explicit StallWitness(std::atomic<qint64> &lastTickMs)
        : m_guiThread(pid_t(::syscall(SYS_gettid)))
        , m_thread([this, &lastTickMs] {
            while (!m_stop) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
                const qint64 last = lastTickMs.load();
                if (last < 0 || steadyMs() - last < 40)
                    continue;
                const QString seen = look();
                std::lock_guard<std::mutex> lock(m_mutex);
                if (!m_seen.contains(last))
                    m_seen.insert(last, seen);
            }
        })
    {
    }
    ~StallWitness()
    {
        m_stop = true;
        m_thread.join();
    }
    // What was seen during the stall that began at the tick at startMs
    // (steadyMs()).
    QString seenAfter(qint64 startMs)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_seen.value(startMs);
    }

private:
    QString look() const
    {
        const QString task = QStringLiteral("/proc/self/task/%1/").arg(m_guiThread);
        QFile call(task + QStringLiteral("syscall"));
        QFile stack(task + QStringLiteral("stack"));
        QString seen;
        if (call.open(QIODevice::ReadOnly))
            seen = QStringLiteral("syscall ")
                + QString::fromLatin1(call.readAll().split(' ').value(0).trimmed());
        if (stack.open(QIODevice::ReadOnly)) {
            const QList<QByteArray> frames = stack.readAll().split('\n');
            QStringList names;
            for (const QByteArray &frame : frames.mid(0, 6))
                names << QString::fromLatin1(frame.mid(frame.indexOf(']') + 2).split('+').value(0));
            seen
                += QStringLiteral(" [") + names.join(QLatin1Char(' ')).trimmed() + QLatin1Char(']');
        }
        return seen;
    }

    pid_t m_guiThread;
    std::atomic<bool> m_stop { false };
    std::mutex m_mutex;
    QHash<qint64, QString> m_seen;
    std::thread m_thread;
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL, true);
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    platform::prepareWebEngine();
    QtWebEngine::initialize();
    SingleApplication app(argc, argv, true);
    QCoreApplication::setOrganizationName(QLatin1String(kOrganizationName));
    QCoreApplication::setApplicationName(QLatin1String(kApplicationName));
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_responsiveness PROGRAM-FOLDER [--first-frame]\n");
        return 2;
    }
    const QString program = QString::fromLocal8Bit(argv[1]);
    LauncherConfig::useFile(program + QStringLiteral("/config.ini"));
    QApplication::setFont(QApplication::font("QMenu"));

    MainViewModel model;
    model.setProgramFolder(program);
    QQuickWindow::setSceneGraphBackend(QSGRendererInterface::Software);
    QQmlApplicationEngine engine;
    QTranslator translator;
    model.setLanguage(selectUiLanguage(translator));
    QCoreApplication::installTranslator(&translator);
    model.initialize();
    engine.rootContext()->setContextProperty(QStringLiteral("mainViewModel"), &model);
    engine.load(QUrl(QStringLiteral("qrc:/main.qml")));
    auto *window = qobject_cast<QQuickWindow *>(engine.rootObjects().value(0));
    if (!window) {
        std::fprintf(stderr, "the main window did not load\n");
        return 1;
    }
    model.setRootObject(window);

    const bool firstFrameOnly = app.arguments().contains(QStringLiteral("--first-frame"));
    bool framed = false;
    QObject::connect(window, &QQuickWindow::frameSwapped, [&framed, firstFrameOnly] {
        if (framed)
            return;
        framed = true;
        std::printf("first frame ms: %.0f\n", msSinceProcessStart());
        std::fflush(stdout);
        if (firstFrameOnly)
            QCoreApplication::quit();
    });

    QElapsedTimer clock;
    QElapsedTimer sinceTick;
    std::map<int, double> worst; // by game state
    struct Stall
    {
        double at;
        double ms;
        int state;
        QString seen;
    };
    std::atomic<qint64> lastTickMs { -1 };
    StallWitness witness(lastTickMs);
    QList<Stall> stalls;
    bool started = false;
    int exitCode = 0;

    std::function<void(int)> finish;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    probe.setInterval(kProbeMs);
    int stateAtLastTick = MainViewModel::Downloading;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const double late = sinceTick.nsecsElapsed() / 1e6 - kProbeMs;
        sinceTick.restart();
        const qint64 stallStart = lastTickMs.exchange(steadyMs());
        // A stall belongs to the phase it began in: the one that ends the
        // extraction (the version recorded) shows only once the game is ready.
        const int state = stateAtLastTick;
        stateAtLastTick = int(model.gameState());
        worst[state] = qMax(worst[state], late);
        if (late > 20)
            stalls.append({ clock.elapsed() / 1e3, late, state, witness.seenAfter(stallStart) });
        if (stateAtLastTick == MainViewModel::Ready)
            finish(0);
    });

    finish = [&](int code) {
        probe.stop();
        lastTickMs = -1;
        exitCode = code;
        double overall = 0;
        for (const int state : { int(MainViewModel::Downloading), int(MainViewModel::Verifying),
                 int(MainViewModel::Installing) }) {
            std::printf("stall max %s ms: %.0f\n", phaseName(state), worst[state]);
            overall = qMax(overall, worst[state]);
        }
        for (const Stall &stall : qAsConst(stalls))
            std::fprintf(stderr, "stall at %.2f s: %.0f ms (%s) %s\n", stall.at, stall.ms,
                phaseName(stall.state), qPrintable(stall.seen));
        std::printf("install seconds: %.1f\n", clock.elapsed() / 1e3);
        std::printf("gui stall max ms: %.0f\n", overall);
        QCoreApplication::exit(code);
    };

    // Starts once the window is up and the game manifest has arrived, as a
    // player would press the button.
    QTimer watch;
    watch.setInterval(50);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const QString message = shownMessage();
        if (!message.isEmpty()) {
            std::fprintf(stderr, "the launcher says: %s\n", qPrintable(message));
            watch.stop();
            finish(1);
            return;
        }
        if (!started) {
            if (!framed || model.gameState() != MainViewModel::NeedInstall)
                return;
            started = true;
            clock.start();
            sinceTick.start();
            lastTickMs = steadyMs();
            probe.start();
            model.installEnsureBtnClicked();
            return;
        }
        if (!probe.isActive()) {
            watch.stop();
        } else if (clock.elapsed() > kGiveUpMs) {
            std::fprintf(stderr, "no install after %d s\n", kGiveUpMs / 1000);
            watch.stop();
            finish(1);
        }
    });
    watch.start();

    QApplication::exec();
    return exitCode;
}
