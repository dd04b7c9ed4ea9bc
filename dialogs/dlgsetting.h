#pragma once

#include "dialogs/cdlgframelesswindow.h"

namespace Ui {
class DlgSetting;
}

// The launcher's settings: start at login, automatic launcher updates, a
// limit to the download speed and what the main window's close button does, plus the launcher's
// version and a way to ask for a launcher update now. It shows the stored settings each time it
// opens and stores them only on confirmation; exec() gives 1 then and 0 however else it closes.
class DlgSetting : public CDlgFramelessWindow
{
    Q_OBJECT

public:
    explicit DlgSetting(QWidget *parent = nullptr);
    ~DlgSetting() override;

    // Hands the stored download settings to the downloads: the limit at once
    // to those running, the segments to those made from now on. The launcher
    // makes its dialog at start, so this runs then too.
    static void applyDownloadSettings();

signals:
    // The user asked for a launcher update check, whose outcome is shown to
    // them.
    void checkProgrameUpdate();
    // The player asked to verify the game's files; the dialog has closed.
    void gameRepairRequested();

public slots:
    void onTabSwitch(int nCurRow);
    void onBtnCancel();
    void onBtnOk();
    void onBtnMin();
    void onBtnClose();
    void onCheckUpdate();
    void onBtnGameRepairClicked();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void loadControls();

    Ui::DlgSetting *ui;
};
