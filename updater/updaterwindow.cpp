#include "updater/updaterwindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

UpdaterWindow::UpdaterWindow(QWidget *parent)
    : QWidget(parent)
    , m_stage(new QLabel(this))
    , m_progress(new QProgressBar(this))
    , m_detail(new QLabel(this))
    , m_close(new QPushButton(tr("updater_close"), this))
{
    setWindowTitle(tr("updater_title"));
    setMinimumWidth(420);
    m_stage->setWordWrap(true);
    m_detail->setWordWrap(true);
    m_detail->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_detail->hide();
    m_close->hide();
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_stage);
    layout->addWidget(m_progress);
    layout->addWidget(m_detail);
    layout->addLayout(buttons);
    showStage(Stage::Waiting);
}

void UpdaterWindow::showStage(Stage stage)
{
    switch (stage) {
    case Stage::Waiting:
        m_stage->setText(tr("updater_waiting"));
        break;
    case Stage::Downloading:
        m_stage->setText(tr("updater_downloading"));
        break;
    case Stage::Verifying:
        m_stage->setText(tr("updater_verifying"));
        break;
    case Stage::Installing:
        m_stage->setText(tr("updater_installing"));
        break;
    case Stage::Restarting:
        m_stage->setText(tr("updater_restarting"));
        break;
    }
    // Stages without a measure of their own show a busy bar.
    const bool measured = stage == Stage::Downloading || stage == Stage::Installing;
    m_progress->setRange(0, measured ? 1000 : 0);
    m_progress->setValue(0);
}

void UpdaterWindow::showProgress(qint64 done, qint64 total)
{
    if (total <= 0 || m_progress->maximum() == 0)
        return;
    m_progress->setValue(int(qBound<qint64>(0, done * 1000 / total, 1000)));
}

QString UpdaterWindow::failureText(Failure failure) const
{
    switch (failure) {
    case Failure::LauncherRunning:
        return tr("updater_failed_launcher_running");
    case Failure::Download:
        return tr("updater_failed_download");
    case Failure::Damaged:
        return tr("updater_failed_damaged");
    case Failure::Package:
        return tr("updater_failed_package");
    case Failure::Install:
        return tr("updater_failed_install");
    case Failure::Recovery:
        return tr("updater_failed_recovery");
    case Failure::Restart:
        return tr("updater_failed_restart");
    }
    return QString();
}

void UpdaterWindow::showFailure(Failure failure, const QString &detail)
{
    m_stage->setText(failureText(failure));
    m_progress->hide();
    m_detail->setText(detail);
    m_detail->setVisible(!detail.isEmpty());
    m_closable = true;
    m_close->show();
}

void UpdaterWindow::closeEvent(QCloseEvent *event)
{
    if (m_closable)
        event->accept();
    else
        event->ignore();
}
