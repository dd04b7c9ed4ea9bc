// Draws the launcher's artwork into res/: one visual language throughout,
// a dark window with warm gold accents. Run it again after changing it:
//   build/tools/artwork/makeartwork res
// The output is deterministic (fixed random seed), so the committed PNGs only
// change when this file does.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QtMath>

#include <cstdio>

namespace {

const QColor kGold(0xff, 0xd8, 0x46);
const QColor kGoldHover(0xff, 0xec, 0x5c);
const QColor kGoldPressed(0xff, 0xc4, 0x3a);
const QColor kDeepGold(0xb8, 0x86, 0x2a);
const QColor kInk(0x14, 0x14, 0x14);
const QColor kPanel(0x1d, 0x1e, 0x22);

QString g_out;

QImage canvas(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void save(const QImage &image, const QString &name)
{
    const QString path = g_out + QLatin1Char('/') + name;
    QDir().mkpath(QFileInfo(path).path());
    if (!image.save(path, "PNG"))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

void smooth(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
}

// The three looks of a glyph button: quiet, lit, and pressed in gold.
struct Look
{
    QColor glyph;
    QColor plate;
};
const Look kLooks[3] = { { QColor(255, 255, 255, 170), Qt::transparent },
    { QColor(255, 255, 255, 255), QColor(255, 255, 255, 28) },
    { kGoldPressed, QColor(0, 0, 0, 60) } };
const char *const kSuffix[3] = { "_n", "_o", "_d" };

template <typename Draw> void glyphButtons(const QString &base, int size, Draw draw)
{
    for (int i = 0; i < 3; ++i) {
        QImage image = canvas(size, size);
        QPainter p(&image);
        smooth(p);
        p.fillRect(image.rect(), kLooks[i].plate);
        draw(p, kLooks[i].glyph, size);
        p.end();
        save(image, base + QLatin1String(kSuffix[i]) + QStringLiteral(".png"));
    }
}

void drawCross(QPainter &p, const QColor &c, int s)
{
    p.setPen(QPen(c, s / 15.0, Qt::SolidLine, Qt::RoundCap));
    const double m = s * 0.34;
    p.drawLine(QPointF(m, m), QPointF(s - m, s - m));
    p.drawLine(QPointF(s - m, m), QPointF(m, s - m));
}

void drawMinimise(QPainter &p, const QColor &c, int s)
{
    p.setPen(QPen(c, s / 15.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(s * 0.33, s * 0.52), QPointF(s * 0.67, s * 0.52));
}

void drawGear(QPainter &p, const QColor &c, int s)
{
    const QPointF centre(s / 2.0, s / 2.0);
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const double angle = i * M_PI / teeth;
        const double r = (i % 2 == 0) ? s * 0.30 : s * 0.24;
        const QPointF point = centre + QPointF(r * qCos(angle), r * qSin(angle));
        if (i == 0)
            gear.moveTo(point);
        else
            gear.lineTo(point);
    }
    gear.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(centre, s * 0.10, s * 0.10);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPath(gear.subtracted(hole));
}

void drawPauseBars(QPainter &p, const QColor &c, int s)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawRoundedRect(QRectF(s * 0.32, s * 0.27, s * 0.12, s * 0.46), 1.5, 1.5);
    p.drawRoundedRect(QRectF(s * 0.56, s * 0.27, s * 0.12, s * 0.46), 1.5, 1.5);
}

void drawPlay(QPainter &p, const QColor &c, int s)
{
    QPainterPath triangle;
    triangle.moveTo(s * 0.36, s * 0.26);
    triangle.lineTo(s * 0.74, s * 0.50);
    triangle.lineTo(s * 0.36, s * 0.74);
    triangle.closeSubpath();
    p.setPen(QPen(c, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(c);
    p.drawPath(triangle);
}

void drawRing(QPainter &p, const QColor &c, int s)
{
    p.setPen(QPen(c, s / 15.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(s / 2.0, s / 2.0), s * 0.36, s * 0.36);
}

// The yellow gradient plate of the main buttons.
QImage plate(int w, int h, int state, double radius)
{
    QImage image = canvas(w, h);
    QPainter p(&image);
    smooth(p);
    const QColor top[3]
        = { QColor(0xff, 0xe6, 0x6e), QColor(0xff, 0xf0, 0x8a), QColor(0xf2, 0xc2, 0x38) };
    const QColor bottom[3]
        = { QColor(0xf5, 0xb8, 0x1f), QColor(0xff, 0xc8, 0x30), QColor(0xd9, 0x9a, 0x16) };
    QLinearGradient fill(0, 0, 0, h);
    fill.setColorAt(0, top[state]);
    fill.setColorAt(1, bottom[state]);
    const QRectF body(1, 1, w - 2, h - 2);
    p.setPen(QPen(QColor(0x8a, 0x5a, 0x12, 200), 1.2));
    p.setBrush(fill);
    p.drawRoundedRect(body, radius, radius);
    // A highlight across the upper half gives the plate its polish.
    QLinearGradient shine(0, 0, 0, h / 2.0);
    shine.setColorAt(0, QColor(255, 255, 255, state == 2 ? 40 : 110));
    shine.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawRoundedRect(QRectF(3, 3, w - 6, h / 2.0 - 2), radius - 2, radius - 2);
    p.end();
    return image;
}

void drawStar(QPainter &p, const QPointF &c, double outer, double inner, const QColor &color)
{
    QPainterPath star;
    for (int i = 0; i < 8; ++i) {
        const double angle = -M_PI / 2 + i * M_PI / 4;
        const double r = (i % 2 == 0) ? outer : inner;
        const QPointF point = c + QPointF(r * qCos(angle), r * qSin(angle));
        if (i == 0)
            star.moveTo(point);
        else
            star.lineTo(point);
    }
    star.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPath(star);
}

QImage background()
{
    const int w = 1280, h = 730;
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    smooth(p);
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0.0, QColor(0x0b, 0x0d, 0x16));
    sky.setColorAt(0.55, QColor(0x1b, 0x17, 0x22));
    sky.setColorAt(1.0, QColor(0x2a, 0x1c, 0x12));
    p.fillRect(image.rect(), sky);

    QRandomGenerator random(20261207);
    for (int i = 0; i < 260; ++i) {
        const QPointF at(random.bounded(w), random.bounded(h * 0.6));
        const int alpha = 40 + random.bounded(150);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 240, 210, alpha));
        const double r = random.bounded(10) < 8 ? 0.8 : 1.5;
        p.drawEllipse(at, r, r);
    }

    QRadialGradient glow(QPointF(w * 0.68, h * 0.62), w * 0.45);
    glow.setColorAt(0, QColor(0xff, 0xb3, 0x40, 120));
    glow.setColorAt(0.4, QColor(0xc8, 0x6a, 0x1e, 50));
    glow.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillRect(image.rect(), glow);

    auto ridge = [&](double base, double amplitude, double phase, const QColor &color) {
        QPainterPath path;
        path.moveTo(0, h);
        for (int x = 0; x <= w; x += 8) {
            const double y = base
                - amplitude
                    * (0.55 * qSin(x / 130.0 + phase) + 0.3 * qSin(x / 47.0 + phase * 2)
                        + 0.15 * qSin(x / 19.0 + phase * 3));
            path.lineTo(x, y);
        }
        path.lineTo(w, h);
        path.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(color);
        p.drawPath(path);
    };
    // A citadel on the far hills, lit from within; the hills in front hide its foot.

    const QColor stone(0x12, 0x10, 0x13);
    p.setBrush(stone);
    const double cx = w * 0.70, ground = h * 0.66;
    p.drawRect(QRectF(cx - 125, ground - 60, 265, 160));
    for (double bx = cx - 125; bx < cx + 140; bx += 16)
        p.drawRect(QRectF(bx, ground - 70, 9, 10)); // battlements
    for (int i = 0; i < 5; ++i) {
        const double tx = cx - 110 + i * 55;
        const double th = 90 + (i == 2 ? 70 : (i % 2) * 25);
        p.drawRect(QRectF(tx, ground - th, 22, th));
        QPainterPath roof;
        roof.moveTo(tx - 4, ground - th);
        roof.lineTo(tx + 11, ground - th - 28);
        roof.lineTo(tx + 26, ground - th);
        roof.closeSubpath();
        p.drawPath(roof);
        p.setBrush(QColor(0xff, 0xc8, 0x5a, 200));
        p.drawRect(QRectF(tx + 8, ground - th + 20, 6, 9));
        p.setBrush(stone);
    }
    ridge(h * 0.70, 60, 0.3, QColor(0x24, 0x1d, 0x24));
    ridge(h * 0.78, 45, 1.7, QColor(0x19, 0x15, 0x19));
    ridge(h * 0.90, 30, 2.9, QColor(0x10, 0x0e, 0x10));

    QLinearGradient floor(0, h * 0.75, 0, h);
    floor.setColorAt(0, QColor(0x14, 0x14, 0x14, 0));
    floor.setColorAt(1, QColor(0x14, 0x14, 0x14, 230));
    p.fillRect(image.rect(), floor);
    p.end();
    return image;
}

QImage dialogFrame(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    smooth(p);
    QLinearGradient fill(0, 0, 0, h);
    fill.setColorAt(0, QColor(0x25, 0x26, 0x2b));
    fill.setColorAt(1, kPanel);
    p.fillRect(image.rect(), fill);
    p.setPen(QPen(QColor(0xb8, 0x86, 0x2a, 150), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(6.5, 6.5, w - 13, h - 13));
    // Ornamental corners, each inside its 50 x 50 square so that the
    // nine-patch scaling keeps them whole.
    for (int corner = 0; corner < 4; ++corner) {
        p.save();
        p.translate(corner % 2 ? w : 0, corner / 2 ? h : 0);
        p.scale(corner % 2 ? -1 : 1, corner / 2 ? -1 : 1);
        p.setPen(QPen(kGold, 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(12, 12), QPointF(40, 12));
        p.drawLine(QPointF(12, 12), QPointF(12, 40));
        drawStar(p, QPointF(12, 12), 6, 2, kGold);
        p.restore();
    }
    p.end();
    return image;
}

QImage indicator(bool radio, bool checked, int state)
{
    const int s = 24;
    QImage image = canvas(s, s);
    QPainter p(&image);
    smooth(p);
    const QColor edge[3] = { QColor(255, 255, 255, 150), QColor(255, 255, 255, 230), kGoldPressed };
    const QRectF box(3.5, 3.5, 17, 17);
    p.setPen(QPen(checked ? kGold : edge[state], 1.5));
    p.setBrush(checked ? QColor(0xff, 0xd8, 0x46, state == 1 ? 70 : 40) : QColor(0, 0, 0, 60));
    if (radio) {
        p.drawEllipse(box);
        if (checked) {
            p.setPen(Qt::NoPen);
            p.setBrush(state == 2 ? kGoldPressed : kGold);
            p.drawEllipse(QPointF(12, 12), 4.5, 4.5);
        }
    } else {
        p.drawRoundedRect(box, 3, 3);
        if (checked) {
            p.setPen(QPen(state == 2 ? kGoldPressed : kGold, 2.2, Qt::SolidLine, Qt::RoundCap,
                Qt::RoundJoin));
            p.drawPolyline(
                QPolygonF({ QPointF(7.5, 12.5), QPointF(10.8, 15.8), QPointF(16.8, 8.5) }));
        }
    }
    p.end();
    return image;
}

QImage emblem(int s)
{
    QImage image = canvas(s, s);
    QPainter p(&image);
    smooth(p);
    QPainterPath diamond;
    diamond.moveTo(s / 2.0, s * 0.03);
    diamond.lineTo(s * 0.97, s / 2.0);
    diamond.lineTo(s / 2.0, s * 0.97);
    diamond.lineTo(s * 0.03, s / 2.0);
    diamond.closeSubpath();
    QLinearGradient fill(0, 0, 0, s);
    fill.setColorAt(0, QColor(0x2c, 0x2a, 0x30));
    fill.setColorAt(1, QColor(0x12, 0x12, 0x14));
    p.setPen(QPen(kGold, qMax(1.0, s / 24.0)));
    p.setBrush(fill);
    p.drawPath(diamond);
    QPainterPath letter;
    const double stem = s * 0.12;
    letter.addRect(QRectF(s * 0.30, s * 0.28, s * 0.40, stem));
    letter.addRect(QRectF(s / 2.0 - stem / 2, s * 0.28, stem, s * 0.46));
    QLinearGradient gold(0, s * 0.28, 0, s * 0.74);
    gold.setColorAt(0, kGoldHover);
    gold.setColorAt(1, kDeepGold);
    p.setPen(Qt::NoPen);
    p.setBrush(gold);
    p.drawPath(letter.simplified());
    p.end();
    return image;
}

// An .ico holding PNG images, one per size, as Windows has read since Vista.
void saveIco(const QList<int> &sizes, const QString &name)
{
    QList<QByteArray> pngs;
    for (const int size : sizes) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        emblem(size).save(&buffer, "PNG");
        pngs.append(png);
    }
    QByteArray ico;
    auto u16 = [&ico](int v) { ico.append(char(v & 0xff)).append(char((v >> 8) & 0xff)); };
    auto u32 = [&](quint32 v) {
        u16(int(v & 0xffff));
        u16(int(v >> 16));
    };
    u16(0);
    u16(1);
    u16(sizes.size());
    quint32 offset = 6 + 16 * quint32(sizes.size());
    for (int i = 0; i < sizes.size(); ++i) {
        ico.append(char(sizes[i] >= 256 ? 0 : sizes[i]));
        ico.append(char(sizes[i] >= 256 ? 0 : sizes[i]));
        ico.append(char(0)).append(char(0));
        u16(1);
        u16(32);
        u32(quint32(pngs[i].size()));
        u32(offset);
        offset += quint32(pngs[i].size());
    }
    for (const QByteArray &png : pngs)
        ico.append(png);
    QFile file(g_out + QLatin1Char('/') + name);
    QDir().mkpath(QFileInfo(file.fileName()).path());
    if (file.open(QIODevice::WriteOnly))
        file.write(ico);
}

// The install-path dialog's controls sit on its right; its left shows the
// season's scene with the emblem, so that no part of the dialog is bare.
QImage installPathDialog()
{
    QImage image = dialogFrame(740, 536);
    QPainter p(&image);
    smooth(p);
    const QRectF panel(7, 7, 290, 522);
    const QImage scene = background();
    const double scale = panel.height() / scene.height();
    const QRectF source(
        scene.width() * 0.55 - panel.width() / scale / 2, 0, panel.width() / scale, scene.height());
    p.drawImage(panel, scene, source);
    QLinearGradient fade(panel.right() - 60, 0, panel.right(), 0);
    fade.setColorAt(0, QColor(0x25, 0x26, 0x2b, 0));
    fade.setColorAt(1, QColor(0x25, 0x26, 0x2b, 255));
    p.fillRect(QRectF(panel.right() - 60, panel.top(), 60, panel.height()), fade);
    p.drawImage(QRectF(panel.center().x() - 60, 150, 120, 120), emblem(240));
    QFont font;
    font.setPixelSize(28);
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 5);
    p.setFont(font);
    p.setPen(kGold);
    p.drawText(
        QRectF(panel.left(), 285, panel.width(), 40), Qt::AlignCenter, QStringLiteral("TESSARIL"));
    // The frame stays on top of the scene.
    p.setPen(QPen(QColor(0xb8, 0x86, 0x2a, 150), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(6.5, 6.5, 740 - 13, 536 - 13));
    p.end();
    return image;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    g_out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("res");

    save(background(), QStringLiteral("pic/bg.png"));

    QImage mask = canvas(40, 224);
    {
        QPainter p(&mask);
        QLinearGradient fade(0, 0, 0, 224);
        fade.setColorAt(0, QColor(0x14, 0x14, 0x14, 0));
        fade.setColorAt(0.55, QColor(0x14, 0x14, 0x14, 170));
        fade.setColorAt(1, QColor(0x14, 0x14, 0x14, 245));
        p.fillRect(mask.rect(), fade);
    }
    save(mask, QStringLiteral("pic/bg_mask.png"));

    glyphButtons(QStringLiteral("pic/btn_close"), 30, drawCross);
    glyphButtons(QStringLiteral("pic/btn_min"), 30, drawMinimise);
    glyphButtons(QStringLiteral("pic/btn_set"), 30, drawGear);
    glyphButtons(QStringLiteral("pic/continue"), 30, drawPauseBars);
    glyphButtons(QStringLiteral("pic/pause"), 30, drawPlay);
    for (const QString &name :
        { QStringLiteral("pic/btn_close_dis.png"), QStringLiteral("pic/btn_min_dis.png") }) {
        QImage image = canvas(30, 30);
        QPainter p(&image);
        smooth(p);
        (name.contains(QLatin1String("close")) ? drawCross : drawMinimise)(
            p, QColor(255, 255, 255, 60), 30);
        p.end();
        save(image, name);
    }

    for (int state = 0; state < 3; ++state) {
        save(plate(238, 64, state, 6),
            QStringLiteral("pic/main_btn%1.png").arg(QLatin1String(kSuffix[state])));
        save(plate(64, 64, state, 8),
            QStringLiteral("pic/btn%1.png").arg(QLatin1String(kSuffix[state])));
    }

    QImage change = canvas(36, 36);
    {
        QPainter p(&change);
        smooth(p);
        p.setPen(QPen(kGold, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(5, 12), QPointF(30, 12));
        p.drawPolyline(QPolygonF({ QPointF(23, 5), QPointF(30, 12), QPointF(23, 19) }));
        p.drawLine(QPointF(31, 24), QPointF(6, 24));
        p.drawPolyline(QPolygonF({ QPointF(13, 17), QPointF(6, 24), QPointF(13, 31) }));
    }
    save(change, QStringLiteral("pic/change.png"));

    save(dialogFrame(460, 270), QStringLiteral("pic/dlg_bg.png"));
    save(installPathDialog(), QStringLiteral("pic/setdlg.png"));

    for (int state = 0; state < 3; ++state) {
        const int s = state == 1 ? 20 : 18;
        QImage image = canvas(s, s);
        QPainter p(&image);
        smooth(p);
        drawCross(p,
            state == 2 ? kGoldPressed : (state == 1 ? kGoldHover : QColor(255, 255, 255, 190)), s);
        p.end();
        save(image, QStringLiteral("pic/dialog_close%1.png").arg(QLatin1String(kSuffix[state])));
    }
    {
        QImage image = canvas(18, 18);
        QPainter p(&image);
        smooth(p);
        drawCross(p, QColor(255, 255, 255, 190), 18);
        p.end();
        save(image, QStringLiteral("pic/dialog_close.png"));
    }

    for (int state = 0; state < 3; ++state) {
        const QString suffix = QLatin1String(kSuffix[state]);
        save(indicator(false, true, state), QStringLiteral("pic/check%1.png").arg(suffix));
        save(indicator(false, false, state), QStringLiteral("pic/uncheck%1.png").arg(suffix));
        save(indicator(true, false, state), QStringLiteral("pic/radio%1.png").arg(suffix));
        save(indicator(true, true, state), QStringLiteral("pic/radio_s%1.png").arg(suffix));
    }

    QImage star = canvas(20, 20);
    {
        QPainter p(&star);
        smooth(p);
        drawStar(p, QPointF(10, 10), 9, 2.6, kGold);
    }
    save(star, QStringLiteral("pic/star.png"));

    QImage logo = canvas(242, 150);
    {
        QPainter p(&logo);
        smooth(p);
        p.drawImage(QRect(81, 0, 80, 80), emblem(160));
        QFont font;
        font.setPixelSize(34);
        font.setBold(true);
        font.setLetterSpacing(QFont::AbsoluteSpacing, 6);
        p.setFont(font);
        p.setPen(kGold);
        p.drawText(QRect(0, 88, 242, 50), Qt::AlignCenter, QStringLiteral("TESSARIL"));
    }
    save(logo, QStringLiteral("pic/logo.png"));

    QImage done = dialogFrame(600, 340);
    {
        QPainter p(&done);
        smooth(p);
        p.drawImage(QRect(250, 60, 100, 100), emblem(200));
        p.setPen(QPen(kGold, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({ QPointF(250, 230), QPointF(290, 268), QPointF(355, 198) }));
    }
    save(done, QStringLiteral("pic/updateSucceed.png"));

    const QList<int> iconSizes = { 16, 24, 32, 48, 64, 128, 256 };
    saveIco(iconSizes, QStringLiteral("icon/launcher.ico"));
    // The same emblem for desktop menus, which look up icons by size.
    for (const int size : iconSizes)
        save(emblem(size),
            QStringLiteral("icons/hicolor/%1x%1/apps/tessaril-launcher.png").arg(size));
    return 0;
}
