#pragma once

#include <QMap>
#include <QObject>
#include <QString>

#include <functional>

class HttpRequestAPI;

// Fire-and-forget status events to the logging service, each carrying the
// device and installation parameters. The same parameters are offered to
// the web page through reportParam().
class StatusReport : public QObject
{
    Q_OBJECT

public:
    enum StatusType {
        LAUNCHER_HOME_SHOW,
        LAUNCHER_HOME_DOWNLOAD,
        LAUNCHER_HOME_DOWNLOAD_FINISH,
        LAUNCHER_HOME_INSTALL,
        LAUNCHER_HOME_INSTALL_FINISH,
        LAUNCHER_UPDATE_GAME,
        LAUNCHER_HOME_UPDATEGAME_FINISH,
        LAUNCHER_HOME_MD5,
        LAUNCHER_START_GAME,
        LAUNCHER_HOME_AD,
        LAUNCHER_QUIT,
        LAUNCHER_CHANGE_INSTALL_PATH,
        LAUNCHER_NETWORK_ERROR,
        LAUNCHER_NETWORK_TIMEOUT,
        LAUNCHER_DOWNLOAD_ERROR,
        LAUNCHER_GAME_INSTALL_PATH_ERROR,
        LAUNCHER_GAME_SETUP_ERROR,
        GLOBAL_META_DATA_ERROR,
        GLOBAL_META_DATA_DISSMISS_OR_ZERO,
        LAUNCHER_GAME_REPAIR,
    };
    Q_ENUM(StatusType)

    // Created on first use; lives until the process ends.
    static StatusReport *instance();
    // Made by main after the configuration and freed before it (see main).
    static void freeInstance();

    // delivered runs once the service answered or the request failed.
    void report(StatusType type, const QMap<QString, QString> &extras = {},
        std::function<void()> delivered = {});

    // Reports the failures and time-outs of a service client.
    void watch(HttpRequestAPI *client);

    // The GPU part of the device description; describing it needs a window
    // system, so the program with a window hands it over at start-up.
    void setGraphicsDescription(const QString &description);

    // "key=value&" for every parameter in key order, the last "&" kept.
    QString reportParam() const;

    // The query report() sends, without the service address.
    QString buildQuery(StatusType type, const QMap<QString, QString> &extras) const;

signals:
    // Each report as it is made, in order; the service may see them in any.
    void reported(StatusReport::StatusType type, const QMap<QString, QString> &extras);

private:
    StatusReport();

    static QString makeTransactionNumber();
    void updateDeviceInfo();
    static QString memoryText();
    static QString systemText();

    QMap<QString, QString> m_params;
    HttpRequestAPI *m_http = nullptr;
    QString m_transactionNo;
    QString m_graphics;
};
