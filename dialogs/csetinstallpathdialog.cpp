#include "dialogs/csetinstallpathdialog.h"

#include "core/buildinfo.h"
#include "core/launcherconfig.h"
#include "dialogs/cdlgyesno.h"
#include "platform/volume.h"

#include "ui_csetinstallpathdialog.h"

#include <QBitmap>
#include <QDebug>
#include <QDir>
#include <QFileDialog>
#include <QIcon>
#include <QRegularExpression>

namespace {

const QString kBackground = QStringLiteral(":/pic/setdlg.png");
const QString kGameFolder = QStringLiteral("Tessaril Game");
constexpr double kBytesPerGB = 1024.0 * 1024.0 * 1024.0;

QString gigabytes(qint64 bytes)
{
    return QStringLiteral("%1 GB").arg(QString::number(bytes / kBytesPerGB, 'f', 1));
}

// Installing into a folder of its own keeps the game's files apart from
// whatever else lives where the user pointed, unless they already chose it.
QString withGameFolder(const QString &picked)
{
    const QString last = picked.split(QRegularExpression(QStringLiteral("[\\\\/]"))).last();
    if (last.compare(kGameFolder, Qt::CaseInsensitive) == 0)
        return picked;
    return QStringLiteral("%1/%2").arg(picked, kGameFolder);
}

bool holdsAnything(const QString &folder)
{
    // A hidden file is still someone else's file.
    return !QDir(folder)
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
                .isEmpty();
}

} // namespace

CSetInstallPathDialog::CSetInstallPathDialog(QWidget *parent)
    : CDlgFramelessWindow(parent)
    , ui(new Ui::CSetInstallPathDialog)
{
    ui->setupUi(this);
    setWindowIcon(QIcon(QStringLiteral(":/icon/launcher.ico")));
    setBackgroundImage(kBackground);
    const QPixmap background(kBackground);
    resize(background.size());
    // Whatever the artwork leaves transparent is neither drawn nor clickable.
    setMask(background.mask());

    ui->lbl_tip->hide();
    ui->lbl_selDirTip->show();
    ui->lblDefaultLang->setText(isDomesticEnvironment(QLatin1String(kBuildEnvironment))
            ? QStringLiteral("简体中文")
            : QStringLiteral("English"));
    connect(
        ui->edt_path, &QLineEdit::textChanged, this, &CSetInstallPathDialog::onEdtPathTextChanged);
}

CSetInstallPathDialog::~CSetInstallPathDialog()
{
    delete ui;
}

// Both setters check again even when nothing visible changes: the free
// space, or what the next installation needs, may have changed since the
// dialog was last shown, and a stale pass would let a short volume through.
void CSetInstallPathDialog::setRequiredSpace(qint64 bytes)
{
    m_requiredSpace = bytes;
    onEdtPathTextChanged(ui->edt_path->text());
}

void CSetInstallPathDialog::setInstallPath(const QString &path)
{
    if (ui->edt_path->text() == path)
        onEdtPathTextChanged(path);
    else
        ui->edt_path->setText(path);
}

void CSetInstallPathDialog::refuse(const QString &message)
{
    ui->lbl_tip->setText(message);
    ui->lbl_tip->adjustSize();
    ui->lbl_tip->show();
    ui->lbl_selDirTip->hide();
    ui->btn_ok->setEnabled(false);
}

void CSetInstallPathDialog::onEdtPathTextChanged(const QString &strText)
{
    ui->btn_ok->setEnabled(true);
    ui->lbl_tip->hide();
    ui->lbl_selDirTip->show();

    if (!platform::isValidInstallPath(strText) || !platform::canCreateFolderAt(strText)) {
        refuse(tr("messsage_path_invalid"));
        return;
    }

    const QStorageInfo volume = platform::volumeOf(strText);
    const qint64 available = volume.bytesAvailable();
    qDebug() << "diskSpaceTips : " << available << "name :" << volume.rootPath();

    ui->lbl_needSpace->setText(gigabytes(m_requiredSpace));
    if (available == -1) {
        ui->lbl_freeSpace->setText(QStringLiteral("0 GB"));
        refuse(tr("messsage_path_invalid"));
        return;
    }
    ui->lbl_freeSpace->setText(gigabytes(available));
    if (available < m_requiredSpace)
        refuse(tr("message_floder_not_enough_space"));
}

void CSetInstallPathDialog::on_btn_chgPath_clicked()
{
    for (;;) {
        const QString picked = QFileDialog::getExistingDirectory(
            this, tr("label_select_install_path"), ui->edt_path->text(), QFileDialog::ShowDirsOnly);
        if (picked.isEmpty())
            return;
        QString folder = withGameFolder(picked);
        if (holdsAnything(folder)) {
            // Its parent places it over this dialog rather than anywhere.
            CDlgYesNo question(this);
            question.setOkText(tr("button_continue"));
            question.setCancelText(tr("button_select_again"));
            question.setTitleAndText(tr("title_tip"), tr("message_suggest_select_empty_folder"));
            if (question.exec() != QDialog::Accepted)
                continue;
        }
        // A drive root comes back with its separator, which the appended
        // folder would double.
        folder.replace(QStringLiteral("//"), QStringLiteral("/"));
        setInstallPath(folder);
        return;
    }
}

void CSetInstallPathDialog::on_btn_ok_clicked()
{
    const QString path = ui->edt_path->text().trimmed();
    LauncherConfig::instance()->setGameInstallPath(path);
    // Hidden before the owner starts installing: a message the start shows
    // about this folder must not appear over a dialog that is already done.
    accept();
    emit updateInstallPath(path);
    emit startInstallClicked();
}

void CSetInstallPathDialog::on_btn_close_clicked()
{
    close();
}

void CSetInstallPathDialog::mousePressEvent(QMouseEvent *event)
{
    // Takes the focus away from the path field, which would otherwise keep
    // its focused border while the dialog is dragged.
    setFocus();
    CDlgFramelessWindow::mousePressEvent(event);
}
