#include "dialogs/cdlgyesno.h"

#include "ui_cdlgyesno.h"

#include <QFile>

CDlgYesNo::CDlgYesNo(QWidget *parent)
    : CDlgFramelessWindow(parent)
    , ui(new Ui::CDlgYesNo)
{
    ui->setupUi(this);
    setBackgroundImage(QStringLiteral(":/pic/dlg_bg.png"));
    setShadowMargins(10, 10, 10, 10);
    ui->textBrowser->setEnabled(false);
    QFile styleSheet(QStringLiteral(":/qss/toolctrl.qss"));
    if (styleSheet.open(QIODevice::ReadOnly)) {
        const QByteArray text = styleSheet.readAll();
        setStyleSheet(QString::fromUtf8(
            text.left(text.indexOf('\0') < 0 ? text.size() : text.indexOf('\0'))));
    }
    setWindowTitle(tr("title_tip"));
    ui->lbl_ico->hide();
    ui->lbl_title->hide();
    ui->btn_close->hide();
}

CDlgYesNo::~CDlgYesNo()
{
    delete ui;
}

void CDlgYesNo::setTitleAndText(const QString &title, const QString &text)
{
    ui->lbl_title->setText(title);
    ui->textBrowser->setHtml(QStringLiteral("<div align=\"center\">%1</div>").arg(text));
}

void CDlgYesNo::setOkText(const QString &text)
{
    ui->btn_ok->setText(text);
}

void CDlgYesNo::setCancelText(const QString &text)
{
    ui->btn_cancel->setText(text);
}

void CDlgYesNo::setCloseButtonVisible(bool visible)
{
    ui->btn_close->setVisible(visible);
}

void CDlgYesNo::setOkOnly(bool okOnly)
{
    ui->btn_cancel->setVisible(!okOnly);
}

int CDlgYesNo::showMessage(const QString &title, const QString &text, bool withCancel,
    QWidget *parent, const QRect &parentRect)
{
    CDlgYesNo dialog(parent);
    dialog.ui->btn_cancel->setVisible(withCancel);
    dialog.resize(460, 300);
    dialog.setTitleAndText(title, text);
    dialog.ui->btn_close->hide();
    if (!parentRect.isEmpty())
        dialog.move(parentRect.center() - dialog.rect().center());
    return dialog.exec();
}

void CDlgYesNo::on_btn_ok_clicked()
{
    accept();
}

void CDlgYesNo::on_btn_cancel_clicked()
{
    close();
}

void CDlgYesNo::on_btn_close_clicked()
{
    close();
}
