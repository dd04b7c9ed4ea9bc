#pragma once

#include "dialogs/cdlgframelesswindow.h"

namespace Ui {
class CDlgAppInfo;
}

// Shows what support asks for: the game's version, the distribution the
// launcher was built for and the launcher's own version. exec() gives 0.
class CDlgAppInfo : public CDlgFramelessWindow
{
    Q_OBJECT

public:
    explicit CDlgAppInfo(QWidget *parent = nullptr);
    ~CDlgAppInfo() override;

    void setInfo(const QString &gameInfo, const QString &appInfo, const QString &launcherVersion);

private slots:
    void on_pushButton_clicked();

private:
    Ui::CDlgAppInfo *ui;
};
