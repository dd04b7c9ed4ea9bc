#pragma once

#include <QWidget>

namespace Ui {
class LangTextWidget;
}

// One section entry in the settings dialog's list: a translated caption that
// takes the highlight colour while its section is the one shown.
class LangTextWidget : public QWidget
{
    Q_OBJECT

public:
    explicit LangTextWidget(const QString &text, QWidget *parent = nullptr);
    ~LangTextWidget() override;

    // Sets the caption's "labelState" to "select" or "normal".
    void setSelected(bool selected);

private:
    Ui::LangTextWidget *ui;
};
