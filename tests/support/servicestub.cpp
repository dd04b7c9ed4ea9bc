#include "tests/support/servicestub.h"

#include <QJsonDocument>

const QString ServiceStub::kResource = QStringLiteral("/qx7a_global/zqk/launcher/api/resource");
const QString ServiceStub::kContent = QStringLiteral("/qx7a_global/zqk/launcher/api/content");
const QString ServiceStub::kRelease = QStringLiteral("/brisko/quentharos/api/getLatestRelease");
const QString ServiceStub::kReport = QStringLiteral("/client_report");

QByteArray manifest(const QJsonObject &latest, const QJsonArray &diffs, const QJsonObject &data)
{
    QJsonObject game { { QStringLiteral("latest"), latest } };
    if (!diffs.isEmpty())
        game.insert(QStringLiteral("diffs"), diffs);
    QJsonObject all = data;
    all.insert(QStringLiteral("game"), game);
    return QJsonDocument(QJsonObject { { QStringLiteral("data"), all } }).toJson();
}

QByteArray contentReply(const QJsonObject &adv)
{
    return QJsonDocument(
        QJsonObject { { QStringLiteral("data"), QJsonObject { { QStringLiteral("adv"), adv } } } })
        .toJson();
}

ServiceStub::ServiceStub(QObject *parent)
    : HttpTestServer(parent)
{
    for (const char *name : { "TESSARIL_CONTENT_ORIGIN", "TESSARIL_REPORT_ORIGIN",
             "TESSARIL_RELEASE_ORIGIN", "TESSARIL_WEB_ORIGIN", "TESSARIL_LAUNCHER_API_ORIGIN" })
        qputenv(name, origin().toUtf8());
    route(kReport, "{}");
    route(kContent, contentReply());
}
