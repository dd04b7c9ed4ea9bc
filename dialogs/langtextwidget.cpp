#include "dialogs/langtextwidget.h"

#include "ui_langtextwidget.h"

LangTextWidget::LangTextWidget(const QString &text, QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::LangTextWidget)
{
    ui->setupUi(this);
    ui->label->setText(text);
}

LangTextWidget::~LangTextWidget()
{
    delete ui;
}

void LangTextWidget::setSelected(bool selected)
{
    ui->label->setProperty("labelState", selected ? "select" : "normal");
    // Style sheets match dynamic properties only when they are applied, so
    // a changed state needs the sheet applied again.
    ui->label->setStyleSheet(ui->label->styleSheet());
}
