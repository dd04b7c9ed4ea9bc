#include "dialogs/dlgsetting.h"

#include "core/buildinfo.h"
#include "core/launcherconfig.h"
#include "core/registryhelper.h"
#include "core/versioncompare.h"
#include "dialogs/langtextwidget.h"
#include "download/bandwidthlimit.h"
#include "download/downloadmanager.h"

#include "ui_dlgsetting.h"

#include <QListWidgetItem>
#include <QShowEvent>

namespace {

constexpr int kExitQuit = 2;
constexpr int kExitMinimize = 1;
constexpr qint64 kMegabyte = 1000 * 1000;

} // namespace

DlgSetting::DlgSetting(QWidget *parent)
    : CDlgFramelessWindow(parent)
    , ui(new Ui::DlgSetting)
{
    ui->setupUi(this);
    setWindowTitle(tr("title_set"));
    addDropShadow(ui->frame);
    ui->btnClose->hide();

    const QString sections[]
        = { tr("label_launch_set"), tr("label_close_set"), tr("label_version_set") };
    for (int row = 0; row < 3; ++row) {
        auto *item = new QListWidgetItem;
        auto *entry = new LangTextWidget(sections[row]);
        item->setSizeHint(entry->size());
        ui->listWidget->insertItem(row, item);
        ui->listWidget->setItemWidget(item, entry);
    }

    connect(ui->btnCancel, &QPushButton::clicked, this, &DlgSetting::onBtnCancel);
    connect(ui->btnOk, &QPushButton::clicked, this, &DlgSetting::onBtnOk);
    connect(ui->btnClose, &QPushButton::clicked, this, &DlgSetting::onBtnClose);
    connect(ui->listWidget, &QListWidget::currentRowChanged, this, &DlgSetting::onTabSwitch);
    connect(ui->btnCheckUpdate, &QPushButton::clicked, this, &DlgSetting::onCheckUpdate);
    connect(ui->btnGameRepair, &QPushButton::clicked, this, &DlgSetting::onBtnGameRepairClicked);
    ui->spinSpeedLimit->setSuffix(tr("label_megabytes_per_second"));
    connect(ui->checkBoxSpeedLimit, &QCheckBox::toggled, ui->spinSpeedLimit, &QWidget::setEnabled);

    ui->stackedWidget->setCurrentIndex(0);
    // Its width follows the translated text, and the dot sits on its corner.
    ui->btnCheckUpdate->ensurePolished();
    ui->btnCheckUpdate->adjustSize();
    ui->btnGameRepair->ensurePolished();
    ui->btnGameRepair->adjustSize();
    const QRect button = ui->btnCheckUpdate->geometry();
    ui->lblRedPoint->move(button.x() + button.width() - 5, button.y() - 5);
    ui->lblRedPoint->raise();

    loadControls();
    onTabSwitch(0);
    applyDownloadSettings();
}

DlgSetting::~DlgSetting()
{
    delete ui;
}

void DlgSetting::loadControls()
{
    LauncherConfig *config = LauncherConfig::instance();
    ui->checkBoxAutoRun->setChecked(RegistryHelper::instance()->isAutoRun());
    ui->checkBoxAutoUpdate->setChecked(
        config->getBool(QStringLiteral("is_auto_update"), QString(), false));
    const QString current = QLatin1String(kLauncherVersion);
    ui->lblVersion->setText(current);
    const QString newest = config->getString(QStringLiteral("new_version"), QString());
    ui->lblRedPoint->setVisible(!newest.isEmpty() && compareVersion(current, newest) > 0);
    if (config->getInt(QStringLiteral("exit_type"), QString()) == kExitQuit)
        ui->radioExit->setChecked(true);
    else
        ui->radioMin->setChecked(true);
    const int limit = config->downloadSpeedLimit();
    ui->checkBoxSpeedLimit->setChecked(limit > 0);
    ui->spinSpeedLimit->setEnabled(limit > 0);
    if (limit > 0)
        ui->spinSpeedLimit->setValue(limit);
}

void DlgSetting::applyDownloadSettings()
{
    const LauncherConfig *config = LauncherConfig::instance();
    BandwidthLimit::shared().setBytesPerSecond(qint64(config->downloadSpeedLimit()) * kMegabyte);
    downloadmanager::setDefaultSegments(config->downloadSegments());
}

void DlgSetting::showEvent(QShowEvent *event)
{
    // A window coming back from being minimised is shown again by the window
    // system; reloading then would throw away what the user has not yet
    // confirmed.
    if (!event->spontaneous()) {
        loadControls();
        onTabSwitch(0);
    }
    CDlgFramelessWindow::showEvent(event);
}

void DlgSetting::onTabSwitch(int nCurRow)
{
    ui->listWidget->setCurrentRow(nCurRow);
    ui->stackedWidget->setCurrentIndex(nCurRow);
    for (int row = 0; row < ui->listWidget->count(); ++row) {
        QListWidgetItem *item = ui->listWidget->item(row);
        if (auto *entry = qobject_cast<LangTextWidget *>(ui->listWidget->itemWidget(item)))
            entry->setSelected(item->isSelected());
    }
}

void DlgSetting::onBtnCancel()
{
    close();
}

void DlgSetting::onBtnOk()
{
    LauncherConfig *config = LauncherConfig::instance();
    RegistryHelper::instance()->setAutoRun(ui->checkBoxAutoRun->isChecked());
    config->setBool(
        QStringLiteral("is_auto_update"), ui->checkBoxAutoUpdate->isChecked(), QString());
    if (ui->radioMin->isChecked()) {
        config->setInt(QStringLiteral("exit_type"), kExitMinimize, QString());
    } else {
        // Quitting was chosen on purpose, so the close button need not ask.
        config->setBool(QStringLiteral("is_first_exit"), false, QString());
        config->setInt(QStringLiteral("exit_type"), kExitQuit, QString());
    }
    config->setDownloadSpeedLimit(
        ui->checkBoxSpeedLimit->isChecked() ? ui->spinSpeedLimit->value() : 0);
    applyDownloadSettings();
    accept();
}

void DlgSetting::onBtnMin()
{
    showMinimized();
}

void DlgSetting::onBtnClose()
{
    close();
}

void DlgSetting::onCheckUpdate()
{
    emit checkProgrameUpdate();
}

void DlgSetting::onBtnGameRepairClicked()
{
    // The job shows its progress in the main window, which this modal
    // dialog would otherwise keep out of reach.
    close();
    emit gameRepairRequested();
}
