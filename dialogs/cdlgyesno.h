#pragma once

#include "dialogs/cdlgframelesswindow.h"

#include <QRect>

namespace Ui {
class CDlgYesNo;
}

// The launcher's confirmation and notice dialog: a message, a confirm button
// and, optionally, a cancel button. exec() gives 1 only for confirm.
class CDlgYesNo : public CDlgFramelessWindow
{
    Q_OBJECT

public:
    explicit CDlgYesNo(QWidget *parent = nullptr);
    ~CDlgYesNo() override;

    void setTitleAndText(const QString &title, const QString &text);
    void setOkText(const QString &text);
    void setCancelText(const QString &text);
    void setCloseButtonVisible(bool visible);
    void setOkOnly(bool okOnly);

    // Shows a message modally over parentRect (when not empty) and returns
    // 1 when confirmed, 0 otherwise.
    static int showMessage(const QString &title, const QString &text, bool withCancel,
        QWidget *parent = nullptr, const QRect &parentRect = QRect());

signals:
    void dlgFinish(bool bResult);

private slots:
    void on_btn_close_clicked();
    void on_btn_ok_clicked();
    void on_btn_cancel_clicked();

private:
    Ui::CDlgYesNo *ui;
};
