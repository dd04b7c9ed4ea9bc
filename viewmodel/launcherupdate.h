#pragma once

#include "net/updateprogram.h"
#include "net/updateprompt.h"

#include <QObject>

class ApplicationInfo;
class WindowItems;

// The launcher's own update: asks the release service, lets the decision
// put its questions to the player over the main window, and hands over to
// the updater program.
class LauncherUpdate : public QObject, private UpdatePrompt
{
    Q_OBJECT

public:
    LauncherUpdate(WindowItems &items, QObject *parent = nullptr);

    void setProgramFolder(const QString &folder);
    void requestLatestRelease(bool userAsked = false);
    // Starts the updater for info; false when it could not be started.
    bool handOver(const AppVersionInfo &info, const QString &language) const;
    QString updaterPath() const;

    ApplicationInfo *applicationInfo() const { return m_appInfo; }
    UpdateProgram *updateProgram() const { return m_program; }

signals:
    void quitApp();
    void startUpdate(AppVersionInfo updateInfo);
    void newProgramVersionUpdate();

private:
    bool ask(const QString &title, const QString &text, const QString &confirmText) override;
    void tell(const QString &title, const QString &text) override;

    WindowItems &m_items;
    ApplicationInfo *m_appInfo = nullptr;
    UpdateProgram *m_program = nullptr;
    QString m_programFolder;
};
