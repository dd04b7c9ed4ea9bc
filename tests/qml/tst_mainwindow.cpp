#include "core/launcherconfig.h"
#include "dialogs/cdlgyesno.h"
#include "platform/processes.h"
#include "tests/support/servicestub.h"
#include "tests/support/testdata.h"
#include "tests/support/webenginetestmain.h"
#include "viewmodel/mainviewmodel.h"

#include <QPushButton>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTextBrowser>
#include <QtTest>

namespace {

const QString kPage = QStringLiteral("/launcher/10/en");

} // namespace

// The real main window from the compiled bundle, driven by a view model
// whose state the test sets.
class tst_MainWindow : public QObject
{
    Q_OBJECT

private:
    ServiceStub m_services;
    QTemporaryDir m_programFolder;
    MainViewModel *m_model = nullptr;
    QQmlApplicationEngine *m_engine = nullptr;
    QQuickWindow *m_window = nullptr;

    QQuickItem *item(const QString &name) const { return m_window->findChild<QQuickItem *>(name); }

    QString text(const char *name) const { return item(name)->property("text").toString(); }

    bool shown(const QString &name) const { return item(name) && item(name)->isVisible(); }

    // A point of the window, given in the coordinates of one of its items.
    QPoint at(const char *name, qreal x, qreal y) const
    {
        return item(name)->mapToScene(QPointF(x, y)).toPoint();
    }

private slots:
    void initTestCase()
    {
        QQuickWindow::setSceneGraphBackend(QSGRendererInterface::Software);
        // Out of reach until a test brings the services back.
        for (const QString &path : { ServiceStub::kResource, ServiceStub::kContent, kPage })
            m_services.route(path, "down", 503);
        m_model = new MainViewModel;
        m_model->setProgramFolder(m_programFolder.path());
        m_model->setStartedByUpdater(true);
        m_engine = new QQmlApplicationEngine;
        m_engine->rootContext()->setContextProperty(QStringLiteral("mainViewModel"), m_model);
        m_engine->load(QUrl(QStringLiteral("qrc:/main.qml")));
        m_window = qobject_cast<QQuickWindow *>(m_engine->rootObjects().value(0));
        QVERIFY(m_window);
        m_model->setRootObject(m_window);
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
        // The launcher's multi-size icon, on the window as on the tray.
        const QList<QSize> iconSizes = m_window->icon().availableSizes();
        QVERIFY(iconSizes.contains(QSize(16, 16)) && iconSizes.contains(QSize(256, 256)));
    }

    void cleanupTestCase()
    {
        delete m_engine;
        delete m_model;
    }

    void statesShowTheirControls_data()
    {
        QTest::addColumn<MainViewModel::GameState>("state");
        QTest::addColumn<QString>("items"); // "!name": hidden
        QTest::addColumn<QString>("startState"); // of the start button, when it is there
        // Nothing dims or covers the window before a question or content comes.
        QTest::newRow("need-install") << MainViewModel::NeedInstall
                                      << "installBtn installPathRect !updateBtn !startBtn "
                                         "!download_bg !bgMask_msgbox !preTip !viewActivity"
                                      << QString();
        QTest::newRow("ready") << MainViewModel::Ready << "startBtn !installBtn !installPathRect"
                               << "nomal";
        QTest::newRow("downloading") << MainViewModel::Downloading
                                     << "download_bg pauseDownloadBtn download_speed bgBottomMask "
                                        "startBtn !setup_percentage"
                                     << "disable";
    }

    void statesShowTheirControls()
    {
        QFETCH(MainViewModel::GameState, state);
        QFETCH(QString, items);
        QFETCH(QString, startState);
        m_model->setGameState(state);
        QStringList wrong;
        for (const QString &name : items.split(' ')) {
            if (shown(name.mid(name.startsWith('!'))) == name.startsWith('!'))
                wrong << name;
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(' ')));
        if (!startState.isEmpty())
            QCOMPARE(item("startBtn")->state(), startState);
        if (state == MainViewModel::NeedInstall)
            QCOMPARE(text("installBtn"), "button_get_game");
    }

    // The texts the view model publishes reach the window as they change.
    void textsFollowTheViewModel()
    {
        m_model->UpdateInstallPath("/games/Tessaril Game");
        QCOMPARE(text("curinstallPath"), "/games/Tessaril Game");
        m_model->setGameState(MainViewModel::Verifying);
        m_model->UpdateCheckMd5Tip();
        m_model->UpdateCheckMd5Tip();
        QCOMPARE(text("setup_percentage"), "label_checking_md5.");
    }

    // Offline from the start: the question is answered with a retry, then
    // cancelled; the window must still offer a way on, and take it once the
    // services answer again. Every question sits centred over the dimmed
    // window.
    void offlineOffersAWayForward()
    {
        int resourceQuestions = 0;
        QStringList misplaced;
        QTimer answers;
        connect(&answers, &QTimer::timeout, [&] {
            for (QWidget *widget : QApplication::topLevelWidgets()) {
                auto *dialog = qobject_cast<CDlgYesNo *>(widget);
                if (!dialog || !dialog->isVisible())
                    continue;
                const QPoint off
                    = dialog->frameGeometry().center() - m_window->frameGeometry().center();
                if (off.manhattanLength() > 2 || !shown("bgMask_msgbox"))
                    misplaced << QStringLiteral("off by %1,%2").arg(off.x()).arg(off.y());
                const bool resource = dialog->findChild<QTextBrowser *>()->toPlainText().contains(
                    "message_resource_check_failed");
                const bool retry = resource && ++resourceQuestions == 1;
                dialog->findChild<QPushButton *>(retry ? "btn_ok" : "btn_cancel")->click();
                return;
            }
        });
        answers.start(20);
        m_model->initialize();
        QTRY_VERIFY_WITH_TIMEOUT(
            resourceQuestions == 2 && shown("retryBtn") && !shown("bgMask_msgbox"), 20000);
        QVERIFY2(misplaced.isEmpty(), qPrintable(misplaced.join(' ')));
        QVERIFY(shown("offlineTip"));
        for (const char *name : { "installBtn", "updateBtn", "startBtn", "bgWebView" })
            QVERIFY2(!shown(name), name);

        m_services.route(ServiceStub::kResource,
            manifest({ { "version", "2.0.0" }, { "size", "100" },
                { "path", "https://cdn.example/game.zip" } }));
        m_services.route(ServiceStub::kContent, contentReply());
        m_services.route(kPage, "<html><body style='background:transparent'></body></html>");
        QTest::mouseClick(m_window, Qt::LeftButton, {}, at("retryBtn", 119, 32));
        QTRY_COMPARE(m_model->gameState(), MainViewModel::NeedInstall);
        QTRY_VERIFY_WITH_TIMEOUT(shown("bgWebView"), 20000);
        // The page of this launcher's language; under load its first request
        // may come after the view is already shown.
        QTRY_VERIFY_WITH_TIMEOUT(!m_services.requestsFor(kPage).isEmpty(), 20000);
        QVERIFY(!shown("retryBtn"));
    }

    // After the services are back (a return to the window asks them again).
    // The artwork is drawn for one size, which the window manager is told
    // to keep; the window comes back from the tray where it was even when it
    // was moved while away.
    void windowKeepsItsSizeAndPlace()
    {
        QCOMPARE(m_window->minimumSize(), QSize(1280, 730));
        QCOMPARE(m_window->maximumSize(), QSize(1280, 730));
        m_window->setPosition(120, 90);
        QTRY_COMPARE(m_window->position(), QPoint(120, 90));
        m_window->hide();
        m_window->setPosition(0, 0);
        // A second start of the launcher brings the window back.
        m_model->handleMessage(QStringLiteral("raise_window_noop"));
        QTRY_VERIFY(m_window->isVisible());
        QTRY_COMPARE(m_window->position(), QPoint(120, 90));
    }

    // The game from the install folder runs: the button says so, and
    // neither it nor a Play that slipped through starts a second copy.
    void secondPlayStartsNothing()
    {
        QTemporaryDir install;
        const QString game = install.filePath(QStringLiteral("Quorvela.exe"));
        QVERIFY(writeFile(game, "#!/bin/sh\nwhile :; do sleep 1; done\n"));
        QVERIFY(QFile::setPermissions(game, QFile::ReadOwner | QFile::ExeOwner));
        LauncherConfig::instance()->setGameInstallPath(install.path());
        LauncherConfig::instance()->setGameVersion(QStringLiteral("2.0.0"));
        m_model->decideGameState();
        QCOMPARE(m_model->gameState(), MainViewModel::Ready);
        m_model->startGameBtnClicked();
        QTRY_COMPARE(text("startBtn"), "button_game_running");
        QSignalSpy raised(m_model, &MainViewModel::raiseWindowRequested);
        QTest::mouseClick(m_window, Qt::LeftButton, {}, at("startBtn", 119, 32));
        m_model->startGameBtnClicked();
        // Only the Play that slipped through arrives: the grey button takes no click.
        QVERIFY(raised.wait());
        QCOMPARE(raised.count(), 1);
        QProcess copies;
        copies.start(QStringLiteral("pgrep"), { QStringLiteral("-c"), QStringLiteral("-f"), game });
        QVERIFY(copies.waitForFinished());
        QCOMPARE(copies.readAll().trimmed(), QByteArray("1"));
        platform::killProgram(game);
        QTRY_VERIFY(!m_model->gameRunning());
    }
};

TESSARIL_WEBENGINE_TEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
