#include "dialogs/cdlgframelesswindow.h"

#include <QGraphicsDropShadowEffect>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int kCorner = 50;
const QColor kShadowColor(0, 0, 0, 51);
constexpr int kShadowBlur = 20;

} // namespace

CDlgFramelessWindow::CDlgFramelessWindow(QWidget *parent)
    : QDialog(parent)
{
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowSystemMenuHint
        | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint);
    setAttribute(Qt::WA_TranslucentBackground, true);
}

void CDlgFramelessWindow::setBackgroundImage(const QString &path)
{
    m_background.load(path);
}

void CDlgFramelessWindow::setShadowMargins(int left, int top, int right, int bottom)
{
    if (left < 0 || top < 0 || right < 0 || bottom < 0)
        return;
    m_shadowLeft = left;
    m_shadowTop = top;
    m_shadowRight = right;
    m_shadowBottom = bottom;
    auto *shadow = new QGraphicsDropShadowEffect(this);
    const bool surrounded = (left != 0 && right != 0) || (top != 0 && bottom != 0);
    shadow->setOffset(surrounded ? QPointF(0, 0) : QPointF(right, bottom));
    shadow->setColor(kShadowColor);
    shadow->setBlurRadius(kShadowBlur);
    setGraphicsEffect(shadow);
    resize(width() + left + right, height() + top + bottom);
}

void addDropShadow(QWidget *widget)
{
    auto *shadow = new QGraphicsDropShadowEffect(widget);
    shadow->setOffset(0, 0);
    shadow->setColor(kShadowColor);
    shadow->setBlurRadius(kShadowBlur);
    widget->setGraphicsEffect(shadow);
}

void CDlgFramelessWindow::mousePressEvent(QMouseEvent *event)
{
    m_pressed = true;
    if (event->button() == Qt::LeftButton) {
        m_dragOffset = event->globalPos() - frameGeometry().topLeft();
        event->accept();
    }
}

void CDlgFramelessWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (m_pressed && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPos() - m_dragOffset);
        event->accept();
    }
}

void CDlgFramelessWindow::mouseReleaseEvent(QMouseEvent *event)
{
    Q_UNUSED(event);
    m_pressed = false;
}

void CDlgFramelessWindow::paintEvent(QPaintEvent *event)
{
    if (m_background.isNull()) {
        QDialog::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.drawPixmap(m_shadowLeft, m_shadowTop,
        scaleNinePatch(m_background, kCorner, kCorner, width() - m_shadowLeft - m_shadowRight,
            height() - m_shadowTop - m_shadowBottom));
}

QPixmap CDlgFramelessWindow::scaleNinePatch(const QPixmap &source, int a, int b, int W, int H)
{
    const int w = source.width();
    const int h = source.height();
    auto piece = [&source](int x, int y, int pw, int ph) { return source.copy(x, y, pw, ph); };
    auto scaled = [](const QPixmap &p, int sw, int sh) {
        return p.scaled(qMax(sw, 1), qMax(sh, 1), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    };
    const QPixmap top = scaled(piece(a, 0, w - 2 * a, b), W - 2 * a, b);
    const QPixmap bottom = scaled(piece(a, h - b, w - 2 * a, b), W - 2 * a, b);
    const QPixmap left = scaled(piece(0, b, a, h - 2 * b), a, H - 2 * b);
    const QPixmap right = scaled(piece(w - a, b, a, h - 2 * b), a, H - 2 * b);
    const QPixmap centre = scaled(piece(a, b, w - 2 * a, h - 2 * b), W - 2 * a, H - 2 * b);

    QPixmap result(qMax(W, 1), qMax(H, 1));
    result.fill(Qt::transparent);
    QPainter painter(&result);
    painter.drawPixmap(0, 0, piece(0, 0, a, b));
    painter.drawPixmap(a, 0, top);
    painter.drawPixmap(W - a, 0, piece(w - a, 0, a, b));
    painter.drawPixmap(0, b, left);
    painter.drawPixmap(a, b, centre);
    painter.drawPixmap(W - a, b, right);
    painter.drawPixmap(0, H - b, piece(0, h - b, a, b));
    painter.drawPixmap(a, H - b, bottom);
    painter.drawPixmap(W - a, H - b, piece(w - a, h - b, a, b));
    return result;
}
