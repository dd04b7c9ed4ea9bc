#include "updater/handover.h"

#include "core/buildinfo.h"
#include "core/filenames.h"
#include "net/serviceaddresses.h"
#include "setup/archiveengine.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

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
    if (arguments.at(0) != QLatin1String(kApplicationName))
        return refuse(error,
            QStringLiteral("the first argument must be \"%1\"")
                .arg(QLatin1String(kApplicationName)));
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(arguments.at(1).toUtf8(), &parseError);
    if (!document.isObject())
        return refuse(error, QStringLiteral("the second argument is not a JSON object"));
    const QJsonObject object = document.object();
    for (const char *key : { "exe_dir", "lang", "pkg_md5", "pkg_url" }) {
        if (!object.value(QLatin1String(key)).isString())
            return refuse(error, QStringLiteral("\"%1\" is missing or not a string").arg(key));
    }

    HandOver result;
    const QString executable
        = QDir::fromNativeSeparators(object.value(QLatin1String("exe_dir")).toString());
    if (!QDir::isAbsolutePath(executable))
        return refuse(error, QStringLiteral("\"exe_dir\" is not an absolute path"));
    result.executable = QDir::cleanPath(executable);
    // The folder is replaced file by file and its staging folder sits beside
    // it, so it must be a real launcher folder with a parent.
    if (!QFileInfo(result.executable).isFile() || QDir(result.launcherFolder()).isRoot())
        return refuse(error,
            QStringLiteral("\"exe_dir\" names no launcher executable: %1").arg(result.executable));

    result.language = object.value(QLatin1String("lang")).toString();

    static const QRegularExpression md5Pattern(QStringLiteral("^[0-9A-Fa-f]{32}$"));
    result.packageMd5 = object.value(QLatin1String("pkg_md5")).toString().toLower();
    if (!md5Pattern.match(result.packageMd5).hasMatch())
        return refuse(error, QStringLiteral("\"pkg_md5\" is not 32 hexadecimal digits"));

    result.packageUrl = QUrl(object.value(QLatin1String("pkg_url")).toString(), QUrl::StrictMode);
    const QString origin
        = result.packageUrl.adjusted(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment)
              .toString();
    if (!result.packageUrl.isValid() || !ServiceAddresses::isAcceptableOrigin(origin))
        return refuse(error, QStringLiteral("\"pkg_url\" must be https, or http on loopback"));
    const QString name = result.packageFileName();
    if (!FileNames::isPlain(name) || !ArchiveEngine::classIdForSuffix(QFileInfo(name).suffix()))
        return refuse(error, QStringLiteral("\"pkg_url\" names no package the updater can unpack"));

    handOver = result;
    return true;
}
