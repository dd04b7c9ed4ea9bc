#include "report/statusreport.h"

#include "core/buildinfo.h"
#include "core/language.h"
#include "core/launcherconfig.h"
#include "net/httprequestapi.h"
#include "net/serviceaddresses.h"
#include "platform/systeminfo.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QHostInfo>
#include <QMetaEnum>
#include <QMutex>
#include <QSysInfo>
#include <QUuid>

#include <random>

namespace {

// The service reads the query raw, so nothing else is encoded; but "#" would
// end the query once the URL is parsed and drop everything after it.
QString keepInQuery(QString text)
{
    return text.replace(QLatin1Char('#'), QStringLiteral("%23"));
}

} // namespace

namespace {

StatusReport *g_instance = nullptr;
QMutex g_instanceMutex;

// Its network manager must go while the application still exists: a reply
// still in flight at process exit otherwise crashes in static destruction.
void destroyInstance()
{
    StatusReport::freeInstance();
}

} // namespace

StatusReport *StatusReport::instance()
{
    QMutexLocker lock(&g_instanceMutex);
    if (!g_instance) {
        g_instance = new StatusReport;
        qAddPostRoutine(destroyInstance);
    }
    return g_instance;
}

void StatusReport::freeInstance()
{
    QMutexLocker lock(&g_instanceMutex);
    delete g_instance;
    g_instance = nullptr;
}

StatusReport::StatusReport()
    : m_http(new HttpRequestAPI(this))
    , m_transactionNo(makeTransactionNumber())
{
    QString deviceId = QString::fromLatin1(QSysInfo::machineUniqueId());
    if (deviceId.isEmpty())
        deviceId = QString::fromLatin1(QUuid::createUuid().toByteArray());
    const QString os = systemText();

    m_params.insert(QStringLiteral("device_id"), deviceId);
    m_params.insert(QStringLiteral("device_name"), QHostInfo::localHostName());
    m_params.insert(QStringLiteral("register_cps"), LauncherConfig::instance()->cps());
    m_params.insert(QStringLiteral("os"), os);
    m_params.insert(QStringLiteral("gamekey"), QStringLiteral("qx7a_global"));
    m_params.insert(QStringLiteral("transaction_no"), m_transactionNo);
    m_params.insert(QStringLiteral("appid"), QStringLiteral("10"));
    m_params.insert(QStringLiteral("env"),
        isDomesticEnvironment(QLatin1String(kBuildEnvironment)) ? QStringLiteral("1")
                                                                : QStringLiteral("2"));
    m_params.insert(QStringLiteral("version"), QLatin1String(kLauncherVersion));
    updateDeviceInfo();
    m_params.insert(QStringLiteral("client_language"), currentLanguage());
    m_params.insert(QStringLiteral("channel"), LauncherConfig::instance()->channel());
    m_params.insert(QStringLiteral("sub_channel"), LauncherConfig::instance()->subChannel());
}

QString StatusReport::makeTransactionNumber()
{
    const QDateTime now = QDateTime::currentDateTime();
    std::minstd_rand generator(unsigned(now.time().msecsSinceStartOfDay() / 1000));
    QString number = QString::number(now.toMSecsSinceEpoch());
    for (int i = 0; i < 5; ++i)
        number += QString::number(generator() % 9);
    return number;
}

void StatusReport::updateDeviceInfo()
{
    m_params.insert(QStringLiteral("device_info"),
        QStringLiteral("CPU:%1,GPU:%2,Memory: %3,System:%4")
            .arg(platform::processorName(), m_graphics, memoryText(), systemText()));
}

void StatusReport::setGraphicsDescription(const QString &description)
{
    m_graphics = description;
    updateDeviceInfo();
}

void StatusReport::watch(HttpRequestAPI *client)
{
    connect(client, &HttpRequestAPI::requestFailed, this,
        [this](const QString &url, int statusCode, const QString &errorText) {
            QMap<QString, QString> extras;
            extras.insert(QStringLiteral("url"), url);
            extras.insert(QStringLiteral("statusCode"), QString::number(statusCode));
            extras.insert(QStringLiteral("errorString"), errorText);
            report(LAUNCHER_NETWORK_ERROR, extras);
        });
    connect(client, &HttpRequestAPI::requestTimedOut, this, [this](const QString &url) {
        QMap<QString, QString> extras;
        extras.insert(QStringLiteral("url"), url);
        report(LAUNCHER_NETWORK_TIMEOUT, extras);
    });
}

QString StatusReport::memoryText()
{
    const platform::PhysicalMemory memory = platform::physicalMemory();
    const double gib = 1024.0 * 1024.0 * 1024.0;
    return QStringLiteral("可用 %1 GB / 共 %2 GB")
        .arg(QString::number(double(memory.availableBytes) / gib, 'f', 2),
            QString::number(double(memory.totalBytes) / gib, 'f', 2));
}

QString StatusReport::systemText()
{
    return QSysInfo::prettyProductName() + QLatin1Char(' ') + QSysInfo::buildCpuArchitecture();
}

QString StatusReport::buildQuery(StatusType type, const QMap<QString, QString> &extras) const
{
    QString query = QStringLiteral("action=%1&")
                        .arg(QLatin1String(QMetaEnum::fromType<StatusType>().valueToKey(type)));
    for (auto it = m_params.constBegin(); it != m_params.constEnd(); ++it)
        query += QStringLiteral("%1=%2&").arg(keepInQuery(it.key()), keepInQuery(it.value()));
    if (extras.isEmpty()) {
        query.chop(1);
        return query;
    }
    QString extra;
    for (auto it = extras.constBegin(); it != extras.constEnd(); ++it)
        extra += QStringLiteral("%1:%2;").arg(keepInQuery(it.key()), keepInQuery(it.value()));
    return query + QStringLiteral("extMsg=") + extra;
}

void StatusReport::report(
    StatusType type, const QMap<QString, QString> &extras, std::function<void()> delivered)
{
    emit reported(type, extras);
    const QDateTime now = QDateTime::currentDateTime();
    m_params.insert(QStringLiteral("cts"), now.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz")));
    m_params.insert(QStringLiteral("log_time"), QString::number(now.toSecsSinceEpoch()));

    m_http->setRawHeader("Cache-Control", "no-cache");
    const QString url = QStringLiteral("%1/client_report?%2")
                            .arg(ServiceAddresses::reportServiceOrigin(), buildQuery(type, extras));
    qDebug() << "report url :" << url;
    m_http->get(url,
        [delivered = std::move(delivered)](
            bool ok, const QByteArray &, const QString &errorText, int) {
            if (!ok)
                qDebug() << "error : " << errorText;
            if (delivered)
                delivered();
        });
}

QString StatusReport::reportParam() const
{
    QString param;
    for (auto it = m_params.constBegin(); it != m_params.constEnd(); ++it)
        param += QStringLiteral("%1=%2&").arg(it.key(), it.value());
    return param;
}
