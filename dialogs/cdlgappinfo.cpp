#include "dialogs/cdlgappinfo.h"

#include "ui_cdlgappinfo.h"

CDlgAppInfo::CDlgAppInfo(QWidget *parent)
    : CDlgFramelessWindow(parent)
    , ui(new Ui::CDlgAppInfo)
{
    ui->setupUi(this);
    setBackgroundImage(QStringLiteral(":/pic/dlg_bg.png"));
    setShadowMargins(10, 10, 10, 10);
}

CDlgAppInfo::~CDlgAppInfo()
{
    delete ui;
}

void CDlgAppInfo::setInfo(
    const QString &gameInfo, const QString &appInfo, const QString &launcherVersion)
{
    ui->lbl_gameInfo->setText(gameInfo);
    ui->lbl_appInfo->setText(appInfo);
    ui->lbl_launchVer->setText(launcherVersion);
}

void CDlgAppInfo::on_pushButton_clicked()
{
    close();
}
