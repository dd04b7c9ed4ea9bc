#pragma once

#include "dialogs/cdlgframelesswindow.h"

namespace Ui {
class CSetInstallPathDialog;
}

// Lets the user confirm or change the game's install folder before the first
// installation. The folder is refused while it is implausible or its volume
// has less free space than the installation needs; on confirmation it is
// stored and the owner is asked to start installing. exec() gives 1 only
// after confirmation.
class CSetInstallPathDialog : public CDlgFramelessWindow
{
    Q_OBJECT

public:
    explicit CSetInstallPathDialog(QWidget *parent = nullptr);
    ~CSetInstallPathDialog() override;

    void setRequiredSpace(qint64 bytes);
    void setInstallPath(const QString &path);

signals:
    // Emitted in this order on confirmation, with the path trimmed.
    void updateInstallPath(const QString &strPath);
    void startInstallClicked();

private slots:
    void on_btn_close_clicked();
    void on_btn_ok_clicked();
    void on_btn_chgPath_clicked();
    void onEdtPathTextChanged(const QString &strText);

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    void refuse(const QString &message);

    Ui::CSetInstallPathDialog *ui;
    qint64 m_requiredSpace = 0;
};
