#pragma once

#include <QJsonDocument>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QUrl>

class UpdatePrompt;

// A launcher release on offer.
struct AppVersionInfo
{
    int updateType = 1; // 2: mandatory
    QString packageName;
    QString packageVersion;
    QString packageUrl;
    QString packageMd5; // lower case
    qint64 packageSize = 0;
};
Q_DECLARE_METATYPE(AppVersionInfo)

// Reads a release reply, records the newest launcher version, and decides
// whether to offer, impose or silently start an update, once the launcher's
// volume has room for the package.
class UpdateProgram : public QObject
{
    Q_OBJECT

public:
    explicit UpdateProgram(UpdatePrompt &prompt, QObject *parent = nullptr);

    // The folder whose volume must hold the package (the launcher's own).
    void setLauncherFolder(const QString &folder) { m_launcherFolder = folder; }

    // Why a launcher package may not be handed over to the updater, or an
    // empty string when it may: its URL is https (http only on loopback)
    // and its MD5 is 32 hexadecimal digits. The updater applies the same
    // rule to what it is handed.
    static QString packageRefusal(const QUrl &url, const QString &md5);

    bool parseReleaseInfo(const QJsonDocument &doc);
    void promptUpdate(bool userAsked);
    bool checkDiskSpace();
    const AppVersionInfo &offer() const { return m_info; }

signals:
    void quitApp();
    void startUpdate(AppVersionInfo updateInfo);
    void newProgramVersionUpdate();
    // A release that claims to apply but cannot be trusted or used; it is
    // neither offered nor handed over.
    void releaseRefused(const QString &packageUrl, const QString &why);

public slots:
    void onCheckProgramUpdate(const QJsonDocument &obj, bool userAsked);

private:
    UpdatePrompt &m_prompt;
    AppVersionInfo m_info;
    bool m_refused = false;
    QString m_launcherFolder;
};
