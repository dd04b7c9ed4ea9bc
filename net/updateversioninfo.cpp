#include "net/updateversioninfo.h"

#include "core/filenames.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QUrl>

#include <cctype>

namespace {

// Larger than any package: a size beyond it is a fault in the reply.
constexpr qint64 kMaxPackageSize = qint64(1) << 50;

// A whole number of bytes from 0 to kMaxPackageSize, from a JSON number or a
// decimal text; anything else (-1, 1e30, 1.5, "12abc") is unknown: -1.
qint64 packageSize(const QJsonValue &value)
{
    if (value.isString()) {
        const QString text = value.toString();
        if (text.isEmpty() || text.size() > 16)
            return -1;
        for (const QChar c : text) {
            if (!c.isDigit() || c.unicode() > 0x7f)
                return -1;
        }
        const qint64 size = text.toLongLong();
        return size <= kMaxPackageSize ? size : -1;
    }
    if (value.isDouble()) {
        const double number = value.toDouble();
        if (number < 0 || number > double(kMaxPackageSize) || number != qint64(number))
            return -1;
        return qint64(number);
    }
    return -1;
}

bool isMd5Text(const QString &md5)
{
    if (md5.size() != 32)
        return false;
    for (const QChar c : md5) {
        if (!isxdigit(c.toLatin1()) || c.unicode() > 0x7f)
            return false;
    }
    return true;
}

// The executable's name comes from the reply and is started later: only a
// plain name inside the install folder will do.
QString checkedEntry(const QString &entry)
{
    if (entry.isEmpty() || FileNames::isPlain(entry))
        return entry;
    qDebug() << "manifest entry" << entry << "is not a plain file name; the default is used";
    return QString();
}

} // namespace

UpdateVersionInfo::UpdateVersionInfo(QObject *parent)
    : QObject(parent)
    , m_manager(new QNetworkAccessManager(this))
{
}

void UpdateVersionInfo::parseGameInfo(const QByteArray &body)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    qDebug().noquote() << "update Info:" << document.toJson(QJsonDocument::Compact).left(4096);
    if (error.error != QJsonParseError::NoError)
        return;

    const QJsonObject data = document.object().value(QStringLiteral("data")).toObject();
    const QJsonObject game = data.value(QStringLiteral("game")).toObject();
    const QJsonObject latest = game.value(QStringLiteral("latest")).toObject();
    auto latestText = [&latest](const char *key) {
        return latest.value(QLatin1String(key)).toVariant().toString();
    };
    m_latestPath = latestText("path");
    m_latestVersion = latestText("version");
    m_latestEntry = checkedEntry(latestText("entry"));
    m_latestName = latestText("name");
    m_latestMd5 = latestText("md5");
    const qint64 size = latest.contains(QStringLiteral("size"))
        ? packageSize(latest.value(QStringLiteral("size")))
        : 0;
    if (size < 0)
        qDebug() << "manifest size" << latest.value(QStringLiteral("size"))
                 << "is not a byte count; asking the package host";
    m_latestSize = qMax<qint64>(size, 0);
    if (m_latestSize == 0 && QUrl(m_latestPath).isValid() && !m_latestPath.isEmpty())
        querySize();
    if (m_latestMd5.isEmpty() && !m_latestPath.isEmpty())
        qDebug() << "manifest gives no md5: the package is installed unverified";

    if (data.contains(QStringLiteral("force_update"))) {
        const QJsonObject force = data.value(QStringLiteral("force_update")).toObject();
        m_minVersion = force.value(QStringLiteral("min_version")).toVariant().toString();
        m_forceUpdateUrl = force.value(QStringLiteral("url")).toVariant().toString();
    }

    const QJsonArray diffs = game.value(QStringLiteral("diffs")).toArray();
    for (const QJsonValue &entry : diffs) {
        const QJsonObject diff = entry.toObject();
        DiffInfo &info = m_diffs[diff.value(QStringLiteral("version")).toString()];
        info.name = diff.value(QStringLiteral("name")).toString();
        info.md5 = diff.value(QStringLiteral("md5")).toString();
        info.path = diff.value(QStringLiteral("path")).toString();
        info.version = diff.value(QStringLiteral("version")).toString();
        const QJsonValue size = diff.value(QStringLiteral("size"));
        info.size = size.isString() && packageSize(size) >= 0 ? size.toString() : QString();
    }

    m_plugins = data.value(QStringLiteral("plugin"))
                    .toObject()
                    .value(QStringLiteral("plugins"))
                    .toArray()
                    .toVariantList();

    if (m_webUrl.isEmpty())
        m_webUrl = data.value(QStringLiteral("web_url")).toVariant().toString();
}

void UpdateVersionInfo::parseContent(const QByteArray &body)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError)
        return;
    const QJsonObject adv = document.object()
                                .value(QStringLiteral("data"))
                                .toObject()
                                .value(QStringLiteral("adv"))
                                .toObject();
    auto overwrite = [&adv](const char *key, QString &field) {
        if (adv.contains(QLatin1String(key)))
            field = adv.value(QLatin1String(key)).toVariant().toString();
    };
    overwrite("background", m_background);
    overwrite("url", m_bannerUrl);
    overwrite("icon", m_bannerIcon);
}

void UpdateVersionInfo::querySize()
{
    // Only the newest manifest's package counts; an older query still in
    // flight would report the size of a package nobody asked for.
    if (m_sizeReply)
        m_sizeReply->abort();
    m_sizeReply = m_manager->head(QNetworkRequest(QUrl(m_latestPath)));
    connect(
        m_sizeReply, &QNetworkReply::finished, this, &UpdateVersionInfo::OnHeaderResponseFinished);
}

void UpdateVersionInfo::OnHeaderResponseFinished()
{
    auto *reply = qobject_cast<QNetworkReply *>(sender());
    if (!reply)
        return;
    reply->deleteLater();
    if (reply != m_sizeReply)
        return;
    m_sizeReply = nullptr;
    if (reply->error() != QNetworkReply::NoError)
        return;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status != 200 && status != 206)
        return;
    bool ok = false;
    const qint64 size = reply->rawHeader("Content-Length").trimmed().toLongLong(&ok);
    if (ok && size >= 0) {
        m_latestSize = size;
        emit latestSizeKnown(size);
    }
}

QString UpdateVersionInfo::getUrl(const QString &fromVersion) const
{
    const auto diff = m_diffs.constFind(fromVersion);
    return !fromVersion.isEmpty() && diff != m_diffs.constEnd() ? diff->path : m_latestPath;
}

QString UpdateVersionInfo::getMd5(const QString &fromVersion) const
{
    const auto diff = m_diffs.constFind(fromVersion);
    return !fromVersion.isEmpty() && diff != m_diffs.constEnd() ? diff->md5 : m_latestMd5;
}

qint64 UpdateVersionInfo::getSize(const QString &fromVersion) const
{
    const auto diff = m_diffs.constFind(fromVersion);
    return !fromVersion.isEmpty() && diff != m_diffs.constEnd() ? diff->size.toLongLong()
                                                                : m_latestSize;
}

QString UpdateVersionInfo::packageProblem(const QString &fromVersion) const
{
    const QString md5 = getMd5(fromVersion);
    if (!md5.isEmpty() && !isMd5Text(md5))
        return tr("message_package_md5_invalid");
    return QString();
}

QString UpdateVersionInfo::fileName(const QString &url)
{
    if (url.isEmpty())
        return QString();
    const QUrl parsed(url);
    if (parsed.isEmpty())
        return QString();
    return parsed.fileName(QUrl::FullyDecoded);
}

QString UpdateVersionInfo::fileBaseName(const QString &url)
{
    const QString name = fileName(url);
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? name.left(dot) : name;
}

QString UpdateVersionInfo::background() const
{
    return m_background.isEmpty() ? QString() : m_background;
}
