#pragma once

#include <QJsonDocument>
#include <QMetaType>
#include <QObject>
#include <QString>

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

    bool parseReleaseInfo(const QJsonDocument &doc);
    void promptUpdate();
    bool checkDiskSpace();
    const AppVersionInfo &offer() const { return m_info; }

signals:
    void quitApp();
    void startUpdate(AppVersionInfo updateInfo);
    void newProgramVersionUpdate();

public slots:
    void onCheckProgramUpdate(const QJsonDocument &obj);

private:
    UpdatePrompt &m_prompt;
    AppVersionInfo m_info;
    QString m_launcherFolder;
};
