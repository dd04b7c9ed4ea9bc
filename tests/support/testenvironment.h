#pragma once

#include <QCoreApplication>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QtTest>

// Points HOME, the XDG folders and the launcher's own file at a fresh
// temporary folder for the life of the process, so tests never see or change
// the real user's settings nor leave a file beside the test program.
class IsolatedUserFolders
{
public:
    IsolatedUserFolders();
    QString path() const { return m_root.path(); }

private:
    QTemporaryDir m_root;
};

// The path of the helper program (see tst_helper.cpp).
QString testHelperPath();

// Starts the helper with args and waits until it prints a first line, which
// it returns (trimmed).
QString startHelper(QProcess &process, const QStringList &args, int timeoutMs = 10000);

// The process's next line on standard output (trimmed), once it is there.
QString nextLine(QProcess &process, int timeoutMs = 10000);

// Like QTEST_GUILESS_MAIN, but isolates the user folders before the
// application object exists, since Qt reads some of them at start-up.
#define TESSARIL_TEST_MAIN(TestClass)                                                              \
    int main(int argc, char **argv)                                                                \
    {                                                                                              \
        IsolatedUserFolders folders;                                                               \
        QCoreApplication app(argc, argv);                                                          \
        TestClass test;                                                                            \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
