#include "tests/support/servicestub.h"

#include <QJsonDocument>

const QString ServiceStub::kResource = "/qx7a_global/zqk/launcher/api/resource";
const QString ServiceStub::kContent = "/qx7a_global/zqk/launcher/api/content";
const QString ServiceStub::kRelease = "/brisko/quentharos/api/getLatestRelease";
const QString ServiceStub::kReport = "/client_report";

QByteArray manifest(const QJsonObject &latest, const QJsonArray &diffs, const QJsonObject &data)
{
    QJsonObject game { { "latest", latest } };
    if (!diffs.isEmpty())
        game.insert("diffs", diffs);
    QJsonObject all = data;
    all.insert("game", game);
    return QJsonDocument(QJsonObject { { "data", all } }).toJson();
}

QByteArray contentReply(const QJsonObject &adv)
{
    return QJsonDocument(QJsonObject { { "data", QJsonObject { { "adv", adv } } } }).toJson();
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
