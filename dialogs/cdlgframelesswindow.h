#pragma once

#include <QDialog>
#include <QPixmap>
#include <QPoint>

// A frameless, translucent dialog drawn on a nine-patch frame image with a
// soft shadow around it, moved by dragging its background.
class CDlgFramelessWindow : public QDialog
{
    Q_OBJECT

public:
    explicit CDlgFramelessWindow(QWidget *parent = nullptr);

    void setBackgroundImage(const QString &path);
    // A transparent border this wide is kept around the frame for the shadow.
    void setShadowMargins(int left, int top, int right, int bottom);

    // Scales source to width x height keeping its cornerWidth x cornerHeight
    // corners as they are and stretching only the edges and the centre.
    static QPixmap scaleNinePatch(
        const QPixmap &source, int cornerWidth, int cornerHeight, int width, int height);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QPoint m_dragOffset;
    QPixmap m_background;
    bool m_pressed = false;
    int m_shadowLeft = 0;
    int m_shadowTop = 0;
    int m_shadowRight = 0;
    int m_shadowBottom = 0;
};

// Gives an inner widget the dialogs' soft shadow.
void addDropShadow(QWidget *widget);
