#include "dialogs/cdlgclosetip.h"

#include "core/launcherconfig.h"

#include "ui_cdlgclosetip.h"

#include <QButtonGroup>

namespace {

constexpr int kExitMinimize = 1;
constexpr int kExitQuit = 2;

} // namespace

CDlgCloseTip::CDlgCloseTip(QWidget *parent)
    : CDlgFramelessWindow(parent)
    , ui(new Ui::CDlgCloseTip)
    , m_choices(new QButtonGroup(this))
{
    ui->setupUi(this);
    setBackgroundImage(QStringLiteral(":/pic/dlg_bg.png"));
    setShadowMargins(10, 10, 10, 10);

    m_choices->setExclusive(true);
    m_choices->addButton(ui->radio_min);
    m_choices->addButton(ui->radio_exit);
    ui->radio_min->setChecked(true);
    if (LauncherConfig::instance()->getInt(QStringLiteral("exit_type"), QString()) == kExitQuit)
        ui->radio_exit->setChecked(true);
}

CDlgCloseTip::~CDlgCloseTip()
{
    delete ui;
}

int CDlgCloseTip::exitType() const
{
    return ui->radio_min->isChecked() ? kExitMinimize : kExitQuit;
}

void CDlgCloseTip::on_btn_ok_clicked()
{
    accept();
}
