#include "platform/processes.h"

#include <QProcess>
#include <QStringList>

namespace platform {

bool isProcessRunning(const QString &imageName)
{
    QProcess tasklist;
    tasklist.start(QStringLiteral("tasklist"),
        { QStringLiteral("/FI"), QStringLiteral("imagename eq ") + imageName });
    tasklist.waitForFinished(30000);
    return QString::fromLocal8Bit(tasklist.readAllStandardOutput()).contains(imageName);
}

void killProcesses(const QString &imageName)
{
    QProcess::execute(
        QStringLiteral("taskkill"), { QStringLiteral("/im"), imageName, QStringLiteral("/f") });
}

QString executableFileName(const QString &baseName)
{
    return baseName + QStringLiteral(".exe");
}

} // namespace platform
