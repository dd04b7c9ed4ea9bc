#include "tests/support/testenvironment.h"

#include "core/launcherconfig.h"

#include <QDir>

IsolatedUserFolders::IsolatedUserFolders()
{
    const QString root = m_root.path();
    for (const char *folder : { "home", "config", "data", "cache", "runtime" })
        QDir(root).mkpath(QLatin1String(folder));
    QFile::setPermissions(
        root + "/runtime", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("HOME", QFile::encodeName(root + "/home"));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(root + "/config"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(root + "/data"));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(root + "/cache"));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(root + "/runtime"));
    LauncherConfig::useFile(root + "/config.ini");
}

QString testHelperPath()
{
    return qEnvironmentVariable("TESSARIL_TEST_HELPER");
}

QString startHelper(QProcess &process, const QStringList &args, int timeoutMs)
{
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(testHelperPath(), args);
    return process.waitForStarted(timeoutMs) ? nextLine(process, timeoutMs) : QString();
}

QString nextLine(QProcess &process, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!process.canReadLine() && process.waitForReadyRead(int(deadline.remainingTime()))) { }
    return QString::fromUtf8(process.readLine()).trimmed();
}
