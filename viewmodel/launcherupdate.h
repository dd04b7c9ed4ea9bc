#pragma once

#include "net/updateprogram.h"
#include "net/updateprompt.h"

#include <QObject>

class ApplicationInfo;
class DialogPresenter;

// The launcher's own update: asks the release service, lets the decision
// put its questions to the player over the main window, and hands over to
// the updater program.
class LauncherUpdate : public QObject, private UpdatePrompt
{
    Q_OBJECT

public:
    explicit LauncherUpdate(DialogPresenter &dialogs, QObject *parent = nullptr);

    void setProgramFolder(const QString &folder);
    void requestLatestRelease(bool userAsked = false);
    // Starts the updater for info; false when it could not be started.
    bool handOver(const AppVersionInfo &info, const QString &language) const;
    QString updaterPath() const;
    // A launcher older than the manifest's minimum may not go on: the player
    // is told, the update page opens when there is one, and true says quit.
    bool refuseBelowMinimum(const QString &minimumVersion, const QString &updatePage);
    // A newer launcher than this one was offered and noted.
    bool hasNewerRelease() const;

    UpdateProgram *updateProgram() const { return m_program; }

signals:
    void quitApp();
    void startUpdate(AppVersionInfo updateInfo);
    void newProgramVersionUpdate();

private:
    bool ask(const QString &title, const QString &text, const QString &confirmText) override;
    void tell(const QString &title, const QString &text) override;

    DialogPresenter &m_dialogs;
    ApplicationInfo *m_appInfo = nullptr;
    UpdateProgram *m_program = nullptr;
    QString m_programFolder;
};
