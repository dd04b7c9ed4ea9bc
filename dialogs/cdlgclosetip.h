#pragma once

#include "dialogs/cdlgframelesswindow.h"

class QButtonGroup;

namespace Ui {
class CDlgCloseTip;
}

// Asks once what the main window's close button should do: minimise the
// launcher to the tray or quit it. It opens on the stored choice and stores
// nothing itself; the caller reads exitType() however the dialog ended.
class CDlgCloseTip : public CDlgFramelessWindow
{
    Q_OBJECT

public:
    explicit CDlgCloseTip(QWidget *parent = nullptr);
    ~CDlgCloseTip() override;

    // 1 to minimise to the tray, 2 to quit: the values of "exit_type".
    int exitType() const;

private slots:
    void on_btn_ok_clicked();

private:
    Ui::CDlgCloseTip *ui;
    QButtonGroup *m_choices;
};
