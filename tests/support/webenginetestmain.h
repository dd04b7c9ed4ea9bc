#pragma once

#include "platform/webengine.h"
#include "tests/support/guitestenvironment.h"

#include <QTranslator>
#include <QtWebEngine>

// Like TESSARIL_GUI_TEST_MAIN, for tests that show the web page: the web
// engine is prepared as the program does before the application object
// exists, and the English texts are loaded when TESSARIL_LANGUAGE_DIR names
// their folder, so grabs show what a player sees.
#define TESSARIL_WEBENGINE_TEST_MAIN(TestClass)                                                    \
    int main(int argc, char **argv)                                                                \
    {                                                                                              \
        IsolatedUserFolders folders;                                                               \
        chooseWindowPlatform();                                                                    \
        platform::prepareWebEngine();                                                              \
        QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL, true);                            \
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);                                \
        QtWebEngine::initialize();                                                                 \
        QApplication app(argc, argv);                                                              \
        QTranslator english;                                                                       \
        if (english.load(                                                                          \
                qEnvironmentVariable("TESSARIL_LANGUAGE_DIR") + QStringLiteral("/i18n_en.qm")))    \
            QCoreApplication::installTranslator(&english);                                         \
        TestClass test;                                                                            \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
