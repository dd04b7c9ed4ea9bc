#include "updater/handover.h"

#include "core/buildinfo.h"
#include "core/filenames.h"
#include "net/updateprogram.h"
#include "setup/archiveengine.h"
#include "setup/launcherswapplan.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

bool refuse(QString &error, const QString &why)
{
    error = why;
    return false;
}

} // namespace

QString HandOver::launcherFolder() const
{
    return QFileInfo(executable).path();
}

QString HandOver::launcherFileName() const
{
    return QFileInfo(executable).fileName();
}

// Decoded only after the path was split, as the download does, so an encoded
// "/" cannot hide a path inside the name.
QString HandOver::packageFileName() const
{
    return QUrl::fromPercentEncoding(packageUrl.fileName(QUrl::FullyEncoded).toUtf8());
}

bool HandOver::parse(const QStringList &arguments, HandOver &handOver, QString &error)
{
    if (arguments.size() != 2)
        return refuse(error,
            QStringLiteral("expected two arguments, \"%1\" and the hand-over JSON object, got %2")
                .arg(QLatin1String(kApplicationName))
                .arg(arguments.size()));
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(arguments.at(1).toUtf8(), &parseError);
    if (!document.isObject())
        return refuse(error, QStringLiteral("the second argument is not a JSON object"));
    const QJsonObject object = document.object();
    const QJsonValue executable = object.value(QLatin1String("exe_dir"));
    if (!executable.isString()
        || !QDir::isAbsolutePath(QDir::fromNativeSeparators(executable.toString())))
        return refuse(error, QStringLiteral("\"exe_dir\" is missing or not an absolute path"));

    HandOver result;
    result.executable = QDir::cleanPath(QDir::fromNativeSeparators(executable.toString()));
    // The staging folder sits beside the launcher folder.
    if (QDir(result.launcherFolder()).isRoot())
        return refuse(error, QStringLiteral("\"exe_dir\" lies in no launcher folder"));
    result.language = object.value(QLatin1String("lang")).toString();
    result.packageMd5 = object.value(QLatin1String("pkg_md5")).toString().toLower();
    result.packageUrl = QUrl(object.value(QLatin1String("pkg_url")).toString(), QUrl::StrictMode);

    if (arguments.at(0) != QLatin1String(kApplicationName))
        result.refusal = QStringLiteral("the first argument must be \"%1\"")
                             .arg(QLatin1String(kApplicationName));
    for (const char *key : { "lang", "pkg_md5", "pkg_url" }) {
        if (result.refusal.isEmpty() && !object.value(QLatin1String(key)).isString())
            result.refusal = QStringLiteral("\"%1\" is missing or not a string").arg(key);
    }
    if (result.refusal.isEmpty())
        result.refusal = UpdateProgram::packageRefusal(result.packageUrl, result.packageMd5);
    const QString name = result.packageFileName();
    if (result.refusal.isEmpty()
        && (!FileNames::isPlain(name)
            || !ArchiveEngine::classIdForSuffix(QFileInfo(name).suffix())))
        result.refusal = QStringLiteral("\"pkg_url\" names no package the updater can unpack");
    handOver = result;
    return true;
}

bool HandOver::namesLauncher(QString &error) const
{
    const QFileInfo file(executable);
    if (!file.isFile() || file.isSymLink())
        return refuse(error,
            QStringLiteral("\"exe_dir\" names no launcher executable: %1")
                .arg(QDir::toNativeSeparators(executable)));
    QStringList lines;
    if (!LauncherSwapPlan::readList(
            launcherFolder() + QLatin1Char('/') + LauncherSwapPlan::kFileList, lines)
        || !lines.contains(launcherFileName()))
        return refuse(error,
            QStringLiteral("%1 is not a launcher folder: its %2 does not name %3")
                .arg(QDir::toNativeSeparators(launcherFolder()), LauncherSwapPlan::kFileList,
                    launcherFileName()));
    return true;
}
