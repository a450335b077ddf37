#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include "assetgen.h"

namespace assetgen {

uint32_t StableHash(const QString& text)
{
    uint32_t h = 2166136261u;
    const QByteArray bytes = text.toUtf8();
    for (char c : bytes) {
        h ^= static_cast<uint8_t>(c);
        h *= 16777619u;
    }
    return h;
}

uint32_t Rng::next()
{
    // xorshift32; the seed mixing in the constructor keeps it away from zero
    // for every realistic name hash.
    if (state_ == 0)
        state_ = 0x6D2B79F5u;
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
}

double Rng::unit()
{
    return (next() >> 8) / 16777216.0;
}

int Rng::below(int n)
{
    return n <= 0 ? 0 : static_cast<int>(unit() * n);
}

double Rng::range(double lo, double hi)
{
    return lo + (hi - lo) * unit();
}

QString FromLatin1OrUtf8(const std::string& text)
{
    // The data file is 8-bit text: take it as UTF-8 when it is valid, else Latin-1.
    const QByteArray bytes = QByteArray::fromStdString(text);
    QString s = QString::fromUtf8(bytes);
    if (s.contains(QChar::ReplacementCharacter))
        s = QString::fromLatin1(bytes);
    return s.trimmed();
}

void DrawFittedText(QPainter& p, const QRectF& rect, const QString& text, QFont font, double minPoint,
                    int maxLines, const QColor& colour)
{
    if (text.isEmpty())
        return;
    const int flags = Qt::AlignCenter | Qt::TextWordWrap;
    double size = font.pointSizeF();
    for (;;) {
        font.setPointSizeF(size);
        const QFontMetricsF fm(font, p.device());
        const QRectF need = fm.boundingRect(rect, flags, text);
        const int lines = qRound(need.height() / fm.lineSpacing());
        if ((need.width() <= rect.width() + 0.5 && need.height() <= rect.height() + 0.5 &&
             lines <= maxLines) ||
            size <= minPoint)
            break;
        size -= 0.5;
    }
    p.save();
    p.setFont(font);
    const bool light = colour.lightness() > 128;
    p.setPen(light ? QColor(0, 0, 0, 150) : QColor(255, 255, 255, 90));
    p.drawText(rect.translated(1, 1), flags, text);
    p.setPen(colour);
    p.drawText(rect, flags, text);
    p.restore();
}

QPolygonF StarPolygon(QPointF c, double r)
{
    QPolygonF poly;
    for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 5;
        const double rr = (i % 2 == 0) ? r : r * 0.4;
        poly << QPointF(c.x() + rr * std::cos(a), c.y() + rr * std::sin(a));
    }
    return poly;
}

namespace {

// Renders a flat flag into an image and paints it in one-pixel columns shifted by a
// sine, with light and shade, so the cloth looks like it waves.
void DrawWaving(QPainter& p, const QImage& flat, QPointF topLeft, double wave)
{
    const int w = flat.width();
    const int h = flat.height();
    for (int x = 0; x < w; ++x) {
        const double t = static_cast<double>(x) / w;
        const double phase = t * 2.2 * M_PI + wave;
        const double off = std::sin(phase) * h * 0.07 * t;
        p.drawImage(QRectF(topLeft.x() + x, topLeft.y() + off, 1.2, h), flat, QRectF(x, 0, 1, h));
        const double shade = std::cos(phase) * 0.22 * (0.3 + t);
        p.fillRect(QRectF(topLeft.x() + x, topLeft.y() + off, 1.2, h),
                   shade > 0 ? QColor(255, 255, 255, int(shade * 120)) : QColor(0, 0, 0, int(-shade * 160)));
    }
}

}  // namespace

void DrawUnionFlag(QPainter& p, QPointF topLeft, double w, double h, double wave)
{
    QImage flat(qMax(4, int(w)), qMax(4, int(h)), QImage::Format_ARGB32_Premultiplied);
    flat.fill(Qt::white);
    {
        QPainter f(&flat);
        f.setRenderHint(QPainter::Antialiasing);
        const double stripe = flat.height() / 13.0;
        for (int i = 0; i < 13; i += 2)
            f.fillRect(QRectF(0, i * stripe, flat.width(), stripe), QColor(178, 34, 52));
        const QRectF canton(0, 0, flat.width() * 0.42, stripe * 7);
        f.fillRect(canton, QColor(40, 50, 110));
        f.setPen(Qt::NoPen);
        f.setBrush(Qt::white);
        const double r = qMax(0.6, canton.height() / 16.0);
        for (int row = 0; row < 5; ++row)
            for (int col = 0; col < 6 - row % 2; ++col) {
                const QPointF c(canton.left() + (col + 0.5 + (row % 2) * 0.5) * canton.width() / 6.0,
                                canton.top() + (row + 0.5) * canton.height() / 5.0);
                if (r > 1.5)
                    f.drawPolygon(StarPolygon(c, r));
                else
                    f.drawEllipse(c, r, r);
            }
    }
    DrawWaving(p, flat, topLeft, wave);
}

void DrawConfederateFlag(QPainter& p, QPointF topLeft, double w, double h, double wave)
{
    QImage flat(qMax(4, int(w)), qMax(4, int(h)), QImage::Format_ARGB32_Premultiplied);
    flat.fill(QColor(190, 30, 40));
    {
        QPainter f(&flat);
        f.setRenderHint(QPainter::Antialiasing);
        const double W = flat.width(), H = flat.height();
        const double band = H * 0.16;
        f.setPen(QPen(Qt::white, band * 1.35, Qt::SolidLine, Qt::FlatCap));
        f.drawLine(QPointF(0, 0), QPointF(W, H));
        f.drawLine(QPointF(0, H), QPointF(W, 0));
        f.setPen(QPen(QColor(30, 50, 120), band, Qt::SolidLine, Qt::FlatCap));
        f.drawLine(QPointF(0, 0), QPointF(W, H));
        f.drawLine(QPointF(0, H), QPointF(W, 0));
        f.setPen(Qt::NoPen);
        f.setBrush(Qt::white);
        const double r = qMax(0.6, band * 0.32);
        const QPointF c(W / 2, H / 2);
        for (int k = -3; k <= 3; ++k) {
            if (k == 0)
                continue;
            const double t = k / 3.5;
            for (const QPointF& d : {QPointF(t * W / 2, t * H / 2), QPointF(t * W / 2, -t * H / 2)}) {
                if (r > 1.5)
                    f.drawPolygon(StarPolygon(c + d, r));
                else
                    f.drawEllipse(c + d, r, r);
            }
        }
        if (r > 1.5)
            f.drawPolygon(StarPolygon(c, r));
        else
            f.drawEllipse(c, r, r);
    }
    DrawWaving(p, flat, topLeft, wave);
}

void DrawFieldGun(QPainter& p, QPointF hub, double R, double facing, double elevationDeg, const QColor& wood,
                  const QColor& metal)
{
    p.save();
    p.translate(hub);
    p.scale(facing < 0 ? -1 : 1, 1);
    p.setRenderHint(QPainter::Antialiasing);

    // Trail: a long beam from the axle back to the ground.
    QPainterPath trail;
    trail.moveTo(0.15 * R, -0.18 * R);
    trail.lineTo(-2.7 * R, 0.86 * R);
    trail.lineTo(-2.75 * R, 1.0 * R);
    trail.lineTo(-2.45 * R, 1.0 * R);
    trail.lineTo(0.1 * R, 0.15 * R);
    trail.closeSubpath();
    p.setPen(QPen(wood.darker(160), qMax(0.5, R * 0.03)));
    p.setBrush(wood);
    p.drawPath(trail);

    // Barrel: tapering tube with a muzzle swell and a breech knob.
    p.save();
    p.rotate(-elevationDeg);
    QPainterPath barrel;
    barrel.moveTo(-0.55 * R, -0.21 * R);
    barrel.lineTo(2.0 * R, -0.13 * R);
    barrel.lineTo(2.05 * R, -0.17 * R);
    barrel.lineTo(2.25 * R, -0.17 * R);
    barrel.lineTo(2.25 * R, 0.17 * R);
    barrel.lineTo(2.05 * R, 0.17 * R);
    barrel.lineTo(2.0 * R, 0.13 * R);
    barrel.lineTo(-0.55 * R, 0.21 * R);
    barrel.closeSubpath();
    QLinearGradient shine(0, -0.2 * R, 0, 0.2 * R);
    shine.setColorAt(0, metal.lighter(150));
    shine.setColorAt(0.35, metal);
    shine.setColorAt(1, metal.darker(200));
    p.setPen(QPen(metal.darker(250), qMax(0.5, R * 0.025)));
    p.setBrush(shine);
    p.drawPath(barrel);
    p.setBrush(metal.darker(130));
    p.drawEllipse(QPointF(-0.66 * R, 0), 0.12 * R, 0.12 * R);
    p.restore();

    // Near wheel: rim, spokes, hub.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(wood.darker(130), R * 0.07));
    for (int i = 0; i < 12; ++i) {
        const double a = i * M_PI / 6;
        p.drawLine(QPointF(0, 0), QPointF(std::cos(a) * R * 0.9, std::sin(a) * R * 0.9));
    }
    p.setPen(QPen(wood.darker(180), R * 0.14));
    p.drawEllipse(QPointF(0, 0), R * 0.92, R * 0.92);
    p.setPen(QPen(QColor(40, 40, 40), R * 0.05));
    p.drawEllipse(QPointF(0, 0), R * 0.99, R * 0.99);
    p.setPen(Qt::NoPen);
    p.setBrush(metal.darker(150));
    p.drawEllipse(QPointF(0, 0), R * 0.17, R * 0.17);
    p.restore();
}

}  // namespace assetgen
