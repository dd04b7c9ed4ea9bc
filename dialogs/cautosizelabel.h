#pragma once

#include <QTextBrowser>

// A read-only rich-text box whose height always fits its text.
class CAutoSizeLabel : public QTextBrowser
{
    Q_OBJECT

public:
    explicit CAutoSizeLabel(QWidget *parent = nullptr);

signals:
    void hightChanged(int nHeight);

public slots:
    void OnTextAreaChanged();

protected:
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
};
