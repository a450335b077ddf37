// Scene pictures: battles and other events, the threat pictures of the letter game
// and the main menu's background.
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include "assetgen.h"

namespace assetgen {

namespace {

// A rolling ridge line across the picture, filled down to the bottom.
QPainterPath Ridge(Rng& rng, double width, double height, double baseY, double amplitude, int bumps)
{
    QPainterPath path;
    path.moveTo(0, height);
    const double phase1 = rng.range(0, 6.28), phase2 = rng.range(0, 6.28);
    for (int x = 0; x <= int(width); x += 4) {
        const double t = x / width;
        const double y = baseY - amplitude * (0.6 * std::sin(t * bumps * M_PI + phase1) +
                                              0.4 * std::sin(t * bumps * 2.3 * M_PI + phase2));
        path.lineTo(x, y);
    }
    path.lineTo(width, height);
    path.closeSubpath();
    return path;
}

void DrawTree(QPainter& p, QPointF foot, double h, const QColor& leaf)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 42, 28));
    p.drawRect(QRectF(foot.x() - h * 0.05, foot.y() - h * 0.35, h * 0.1, h * 0.35));
    p.setBrush(leaf);
    p.drawEllipse(QPointF(foot.x(), foot.y() - h * 0.6), h * 0.28, h * 0.34);
    p.setBrush(leaf.lighter(118));
    p.drawEllipse(QPointF(foot.x() - h * 0.08, foot.y() - h * 0.7), h * 0.14, h * 0.16);
}

void DrawSmoke(QPainter& p, Rng& rng, QPointF c, double size, int puffs, int alpha)
{
    p.setPen(Qt::NoPen);
    for (int i = 0; i < puffs; ++i) {
        const QPointF at = c + QPointF(rng.range(-size, size), rng.range(-size * 0.5, size * 0.4));
        const double r = rng.range(size * 0.35, size * 0.75);
        // Soft edge from three stacked discs: solid fills stay on Qt's fast path,
        // where a radial gradient per puff would dominate the drawing time.
        for (int ring = 0; ring < 3; ++ring) {
            p.setBrush(QColor(228 - ring * 4, 226 - ring * 4, 220 - ring * 4, alpha / 4));
            p.drawEllipse(at, r * (1.0 - ring * 0.25), r * (1.0 - ring * 0.25));
        }
    }
}

// A line of tiny soldiers: bodies in the side's colour with bayonets glinting.
void DrawTroops(QPainter& p, Rng& rng, double x0, double x1, double y, double size, const QColor& coat)
{
    for (double x = x0; x < x1; x += size * 0.9) {
        const double yy = y + rng.range(-1, 1);
        p.setPen(Qt::NoPen);
        p.setBrush(coat);
        p.drawRect(QRectF(x, yy - size * 1.6, size * 0.55, size * 1.1));
        p.setBrush(QColor(225, 190, 160));
        p.drawEllipse(QPointF(x + size * 0.27, yy - size * 1.85), size * 0.25, size * 0.25);
        p.setPen(QPen(QColor(40, 40, 40), qMax(0.6, size * 0.1)));
        p.drawLine(QPointF(x + size * 0.15, yy - size * 0.5), QPointF(x + size * 0.15, yy));
        p.drawLine(QPointF(x + size * 0.42, yy - size * 0.5), QPointF(x + size * 0.42, yy));
        p.setPen(QPen(QColor(200, 200, 205), qMax(0.5, size * 0.08)));
        p.drawLine(QPointF(x + size * 0.55, yy - size * 1.3), QPointF(x + size * 0.6, yy - size * 2.6));
    }
}

void DrawBanner(QPainter& p, const QRectF& r, const QColor& fill)
{
    p.setPen(QPen(fill.darker(180), 1.5));
    p.setBrush(fill);
    p.drawRoundedRect(r, 4, 4);
}

QImage DrawBattle(const bellarune::ItemRecord& item, const QString& name, const QString& date, Rng& rng)
{
    const int W = 320, H = 240;
    QImage img(W, H, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    // Sky by hash: clear, hazy, overcast or evening.
    static const QColor kSky[][2] = {{QColor(110, 160, 215), QColor(220, 232, 240)},
                                     {QColor(150, 170, 190), QColor(230, 222, 200)},
                                     {QColor(120, 124, 134), QColor(196, 196, 196)},
                                     {QColor(80, 90, 150), QColor(240, 180, 120)}};
    const int sky = rng.below(4);
    static QImage skies[4];
    if (skies[sky].isNull()) {
        skies[sky] = QImage(W, H, QImage::Format_RGB32);
        QPainter sp(&skies[sky]);
        QLinearGradient g(0, 0, 0, H * 0.6);
        g.setColorAt(0, kSky[sky][0]);
        g.setColorAt(1, kSky[sky][1]);
        sp.fillRect(skies[sky].rect(), g);
    }
    p.drawImage(0, 0, skies[sky]);

    // Far hills, a river now and then, near fields.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 140, 150));
    p.drawPath(Ridge(rng, W, H, H * 0.48, 12, 3));
    p.setBrush(QColor(96, 128, 80));
    p.drawPath(Ridge(rng, W, H, H * 0.58, 9, 4));
    if (rng.below(2)) {
        QPainterPath river;
        const double x = rng.range(W * 0.3, W * 0.7);
        river.moveTo(x - 6, H * 0.58);
        river.cubicTo(x + 40, H * 0.7, x - 60, H * 0.8, x - 30, H);
        river.lineTo(x + 10, H);
        river.cubicTo(x - 20, H * 0.8, x + 60, H * 0.7, x + 6, H * 0.58);
        p.setBrush(QColor(110, 150, 180));
        p.drawPath(river);
    }
    p.setBrush(QColor(112, 140, 70));
    p.drawPath(Ridge(rng, W, H, H * 0.72, 6, 2));
    for (int i = 0; i < 9; ++i)
        DrawTree(p, QPointF(rng.range(0, W), rng.range(H * 0.52, H * 0.62)), rng.range(12, 22),
                 QColor(50, 90, 46));

    // The two lines, Union blue on one side, Confederate grey on the other.
    const bool unionLeft = item.Side != 1 ? rng.below(3) != 0 : rng.below(3) == 0;
    const QColor blue(36, 48, 110), grey(130, 130, 128);
    DrawTroops(p, rng, 14, W * 0.42, H * 0.8, 7, unionLeft ? blue : grey);
    DrawTroops(p, rng, W * 0.58, W - 14, H * 0.76, 6, unionLeft ? grey : blue);
    DrawFieldGun(p, QPointF(W * 0.34, H * 0.84), 9, 1, 4, QColor(110, 80, 50), QColor(70, 70, 72));
    DrawFieldGun(p, QPointF(W * 0.7, H * 0.8), 8, -1, 4, QColor(110, 80, 50), QColor(150, 110, 60));
    DrawSmoke(p, rng, QPointF(W * 0.5, H * 0.7), 30, 14, 170);
    DrawSmoke(p, rng, QPointF(W * 0.2, H * 0.66), 16, 6, 130);

    // Colours of both sides over their lines.
    auto flag = [&](bool unionFlag, double x, double y) {
        p.setPen(QPen(QColor(60, 44, 30), 1.6));
        p.drawLine(QPointF(x, y), QPointF(x, y + 52));
        if (unionFlag)
            DrawUnionFlag(p, QPointF(x + 1, y), 34, 22, rng.range(0, 6));
        else
            DrawConfederateFlag(p, QPointF(x + 1, y), 26, 24, rng.range(0, 6));
    };
    flag(unionLeft, W * 0.16, H * 0.5);
    flag(!unionLeft, W * 0.8, H * 0.46);

    // Name on top, date below.
    DrawBanner(p, QRectF(6, 5, W - 12, 42), QColor(240, 228, 196, 235));
    DrawFittedText(p, QRectF(12, 6, W - 24, 40), name, QFont("DejaVu Serif", 16, QFont::Bold), 8, 2,
                   QColor(60, 30, 20));
    if (!date.isEmpty()) {
        DrawBanner(p, QRectF(W * 0.18, H - 30, W * 0.64, 24), QColor(240, 228, 196, 235));
        DrawFittedText(p, QRectF(W * 0.18 + 4, H - 29, W * 0.64 - 8, 22), date,
                       QFont("DejaVu Serif", 12, QFont::Bold), 7, 1, QColor(60, 30, 20));
    }
    return img;
}

QImage DrawDocument(const bellarune::ItemRecord& item, const QString& name, const QString& date, Rng& rng)
{
    const int W = 320, H = 240;
    QImage img(W, H, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    // A writing desk of dark wood, the same under every document: drawn once per run.
    static const QImage desk = [] {
        QImage d(W, H, QImage::Format_RGB32);
        QPainter dp(&d);
        dp.setRenderHint(QPainter::Antialiasing);
        QLinearGradient wood(0, 0, W, H);
        wood.setColorAt(0, QColor(96, 62, 38));
        wood.setColorAt(1, QColor(58, 36, 22));
        dp.fillRect(d.rect(), wood);
        dp.setPen(QPen(QColor(70, 44, 26), 1));
        Rng grain(1863);
        for (int i = 0; i < 14; ++i) {
            const double y = grain.range(0, H);
            dp.drawLine(QPointF(0, y), QPointF(W, y + grain.range(-8, 8)));
        }
        return d;
    }();
    p.drawImage(0, 0, desk);

    // The side's flag behind the paper.
    p.setPen(QPen(QColor(50, 36, 24), 2));
    p.drawLine(QPointF(W - 44, 10), QPointF(W - 44, H - 10));
    if (item.Side == 1)
        DrawConfederateFlag(p, QPointF(W - 43, 14), 36, 34, rng.range(0, 6));
    else
        DrawUnionFlag(p, QPointF(W - 43, 14), 40, 28, rng.range(0, 6));

    // The document, slightly turned.
    p.save();
    p.translate(W * 0.45, H * 0.52);
    p.rotate(rng.range(-4, 4));
    const QRectF paper(-112, -100, 224, 200);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 80));
    p.drawRect(paper.translated(4, 5));
    QLinearGradient parchment(paper.topLeft(), paper.bottomRight());
    parchment.setColorAt(0, QColor(244, 232, 200));
    parchment.setColorAt(1, QColor(222, 200, 156));
    p.setBrush(parchment);
    p.setPen(QPen(QColor(160, 130, 90), 1));
    p.drawRect(paper);
    DrawFittedText(p, QRectF(paper.left() + 10, paper.top() + 8, paper.width() - 20, 52), name,
                   QFont("DejaVu Serif", 15, QFont::Bold), 7, 2, QColor(50, 30, 20));
    // Lines of handwriting.
    p.setPen(QPen(QColor(70, 50, 40, 170), 1.1));
    for (int line = 0; line < 7; ++line) {
        const double y = paper.top() + 74 + line * 13;
        double x = paper.left() + 14;
        const double end = paper.right() - 14 - (line == 6 ? 70 : 0);
        QPainterPath scribble;
        scribble.moveTo(x, y);
        while (x < end) {
            const double step = rng.range(3, 6);
            scribble.lineTo(x + step, y + rng.range(-2.5, 1.5));
            x += step;
            if (rng.below(9) == 0) {
                x += 4;
                scribble.moveTo(x, y);
            }
        }
        p.drawPath(scribble);
    }
    // Wax seal.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 20, 26));
    p.drawEllipse(QPointF(paper.right() - 34, paper.bottom() - 22), 14, 14);
    p.setBrush(QColor(180, 40, 40));
    p.drawPolygon(StarPolygon(QPointF(paper.right() - 34, paper.bottom() - 22), 8));
    if (!date.isEmpty())
        DrawFittedText(p, QRectF(paper.left() + 10, paper.bottom() - 32, paper.width() - 70, 22), date,
                       QFont("DejaVu Serif", 11, QFont::Normal), 6, 1, QColor(60, 40, 30));
    p.restore();

    // A quill pen across the corner.
    p.setPen(QPen(QColor(240, 236, 226), 1));
    p.setBrush(QColor(236, 232, 220));
    QPainterPath quill;
    quill.moveTo(W * 0.06, H * 0.95);
    quill.cubicTo(W * 0.1, H * 0.7, W * 0.2, H * 0.6, W * 0.3, H * 0.56);
    quill.cubicTo(W * 0.22, H * 0.66, W * 0.14, H * 0.8, W * 0.06, H * 0.95);
    p.drawPath(quill);
    return img;
}

}  // namespace

QImage DrawEventScene(const bellarune::ItemRecord& item)
{
    const QString name = FromLatin1OrUtf8(item.Name);
    const QString date = FromLatin1OrUtf8(
        item.DateText.empty() ? (item.Year1 ? std::to_string(item.Year1) : std::string()) : item.DateText);
    Rng rng(StableHash(name));
    if (item.ItemType == bellarune::Battle)
        return DrawBattle(item, name, date, rng);
    return DrawDocument(item, name, date, rng);
}

QImage DrawThreat(int stage)
{
    const int W = 240, H = 290;
    // menace 0 at the first wrong letter, 1 when the last try is gone.
    const double m = qBound(0.0, (6 - stage) / 5.0, 1.0);
    Rng rng(1000 + stage);
    QImage img(W, H, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    auto mix = [](QColor a, QColor b, double t) {
        return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t,
                                a.greenF() + (b.greenF() - a.greenF()) * t,
                                a.blueF() + (b.blueF() - a.blueF()) * t);
    };
    QLinearGradient sky(0, 0, 0, H);
    sky.setColorAt(0, mix(QColor(120, 170, 220), QColor(70, 20, 20), m));
    sky.setColorAt(0.6, mix(QColor(220, 230, 235), QColor(220, 100, 40), m));
    p.fillRect(img.rect(), sky);

    // The ground comes up as the gun comes nearer.
    const double horizon = 170 - 40 * m;
    p.setPen(Qt::NoPen);
    p.setBrush(mix(QColor(120, 150, 110), QColor(80, 70, 50), m));
    p.drawPath(Ridge(rng, W, H, horizon, 8, 3));
    p.setBrush(mix(QColor(100, 130, 70), QColor(60, 50, 36), m));
    p.drawPath(Ridge(rng, W, H, horizon + 40, 5, 2));

    // The gun: tiny on a far hill at first, then big, close and aimed at the player.
    const double R = 5 + 45 * std::pow(m, 1.4);
    const QPointF hub(W * 0.55 + 50 * m, horizon - R * 0.2 + 100 * m);
    const double elevation = 2 + 10 * m;
    DrawFieldGun(p, hub, R, -1, elevation, QColor(110, 78, 48), QColor(60, 60, 64));

    // The vent at the breech: a fuse that glows brighter with every stage.
    const double a = qDegreesToRadians(elevation);
    const QPointF vent = hub + QPointF(0.45 * R * std::cos(a), -0.45 * R * std::sin(a) - 0.2 * R);
    if (stage <= 5) {
        const double spark = 2 + 10 * m;
        QRadialGradient glow(vent, spark * 2);
        glow.setColorAt(0, QColor(255, 250, 200, 255));
        glow.setColorAt(0.4, QColor(255, 170, 40, 200));
        glow.setColorAt(1, QColor(255, 90, 0, 0));
        p.setBrush(glow);
        p.drawEllipse(vent, spark * 2, spark * 2);
        p.setPen(QPen(QColor(255, 220, 120), 1));
        for (int i = 0; i < int(4 + 14 * m); ++i) {
            const double ang = rng.range(-M_PI, 0);
            const double len = rng.range(spark * 0.6, spark * 2.2);
            p.drawLine(vent, vent + QPointF(std::cos(ang) * len, std::sin(ang) * len));
        }
        p.setPen(Qt::NoPen);
    } else {
        p.setBrush(QColor(255, 200, 80));
        p.drawEllipse(vent, 1.5, 1.5);
    }
    if (stage <= 3)
        DrawSmoke(p, rng, vent + QPointF(0, -R * 0.4), R * 0.3, 4 + int(6 * m), 120);

    const QPointF muzzle = hub + QPointF(-2.25 * R * std::cos(a), -2.25 * R * std::sin(a));
    if (stage == 1) {
        // It fires: flash, smoke and the ball coming at the player.
        DrawSmoke(p, rng, muzzle + QPointF(-20, 0), 46, 18, 220);
        QRadialGradient flash(muzzle, 70);
        flash.setColorAt(0, QColor(255, 255, 235, 255));
        flash.setColorAt(0.3, QColor(255, 220, 90, 240));
        flash.setColorAt(0.7, QColor(255, 120, 20, 150));
        flash.setColorAt(1, QColor(255, 60, 0, 0));
        p.setBrush(flash);
        p.drawEllipse(muzzle, 70, 70);
        QPolygonF burst;
        for (int i = 0; i < 24; ++i) {
            const double ang = i * M_PI / 12;
            const double r = (i % 2 == 0) ? rng.range(50, 80) : rng.range(18, 28);
            burst << muzzle + QPointF(std::cos(ang) * r, std::sin(ang) * r);
        }
        p.setBrush(QColor(255, 236, 150, 200));
        p.drawPolygon(burst);
        p.setBrush(QColor(20, 20, 22));
        p.drawEllipse(QPointF(W * 0.2, H * 0.36), 17, 17);
        p.setBrush(QColor(255, 255, 255, 90));
        p.drawEllipse(QPointF(W * 0.2 - 5, H * 0.36 - 6), 5, 4);
    } else if (stage == 2) {
        DrawSmoke(p, rng, muzzle, R * 0.25, 3, 90);
    }

    // A darkening rim as the danger grows.
    QRadialGradient vignette(QPointF(W / 2.0, H / 2.0), H * 0.7);
    vignette.setColorAt(0.6, QColor(0, 0, 0, 0));
    vignette.setColorAt(1, QColor(0, 0, 0, int(60 + 140 * m)));
    p.setBrush(vignette);
    p.drawRect(img.rect());
    return img;
}

QImage DrawMenuBackground()
{
    const int W = 800, H = 513;
    Rng rng(1861);
    QImage img(W, H, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    // Dusk sky: calm at the top where the title stands.
    QLinearGradient sky(0, 0, 0, H * 0.62);
    sky.setColorAt(0, QColor(26, 34, 72));
    sky.setColorAt(0.45, QColor(90, 70, 110));
    sky.setColorAt(0.8, QColor(220, 130, 80));
    sky.setColorAt(1, QColor(250, 200, 120));
    p.fillRect(img.rect(), sky);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 40; ++i) {
        const QPointF at(rng.range(0, W), rng.range(0, H * 0.25));
        p.setBrush(QColor(255, 255, 240, int(rng.range(60, 180))));
        p.drawEllipse(at, 0.9, 0.9);
    }
    // Low sun and thin clouds.
    QRadialGradient sun(QPointF(W * 0.5, H * 0.6), 80);
    sun.setColorAt(0, QColor(255, 240, 190, 255));
    sun.setColorAt(0.3, QColor(255, 210, 130, 200));
    sun.setColorAt(1, QColor(255, 170, 90, 0));
    p.setBrush(sun);
    p.drawEllipse(QPointF(W * 0.5, H * 0.6), 80, 80);
    for (int i = 0; i < 6; ++i) {
        const double y = rng.range(H * 0.38, H * 0.52);
        p.setBrush(QColor(120, 70, 90, 90));
        p.drawRoundedRect(QRectF(rng.range(-50, W), y, rng.range(120, 260), rng.range(4, 9)), 4, 4);
    }

    // Layered hills fading into the haze.
    p.setBrush(QColor(96, 70, 96));
    p.drawPath(Ridge(rng, W, H, H * 0.62, 14, 3));
    p.setBrush(QColor(66, 48, 66));
    p.drawPath(Ridge(rng, W, H, H * 0.7, 12, 4));
    p.setBrush(QColor(36, 28, 34));
    p.drawPath(Ridge(rng, W, H, H * 0.78, 8, 2));
    for (int i = 0; i < 10; ++i)
        DrawTree(p, QPointF(rng.range(0, W), rng.range(H * 0.68, H * 0.74)), rng.range(16, 30),
                 QColor(40, 32, 42));

    // Tents with a campfire in the middle distance.
    for (int i = 0; i < 5; ++i) {
        const double x = W * 0.34 + i * 46 + rng.range(-6, 6), y = H * 0.77;
        QPolygonF tent;
        tent << QPointF(x - 18, y) << QPointF(x, y - 22) << QPointF(x + 18, y);
        p.setBrush(QColor(200, 176, 140));
        p.drawPolygon(tent);
        p.setBrush(QColor(70, 50, 40));
        p.drawPolygon(QPolygonF() << QPointF(x - 3, y) << QPointF(x, y - 14) << QPointF(x + 3, y));
    }
    QRadialGradient fire(QPointF(W * 0.5, H * 0.8), 26);
    fire.setColorAt(0, QColor(255, 220, 120, 240));
    fire.setColorAt(1, QColor(255, 120, 30, 0));
    p.setBrush(fire);
    p.drawEllipse(QPointF(W * 0.5, H * 0.8), 26, 26);

    // The near ground: dark and plain where the buttons stand.
    QLinearGradient ground(0, H * 0.8, 0, H);
    ground.setColorAt(0, QColor(34, 28, 26));
    ground.setColorAt(1, QColor(18, 14, 14));
    p.setBrush(ground);
    p.drawPath(Ridge(rng, W, H, H * 0.82, 4, 2));

    // Two guns facing each other across the field, each under its flag.
    DrawFieldGun(p, QPointF(W * 0.17, H * 0.8), 26, 1, 6, QColor(60, 44, 34), QColor(40, 40, 44));
    DrawFieldGun(p, QPointF(W * 0.83, H * 0.8), 26, -1, 6, QColor(60, 44, 34), QColor(80, 60, 36));
    p.setPen(QPen(QColor(30, 22, 18), 3));
    p.drawLine(QPointF(W * 0.08, H * 0.82), QPointF(W * 0.08, H * 0.36));
    p.drawLine(QPointF(W * 0.92, H * 0.82), QPointF(W * 0.92, H * 0.36));
    DrawUnionFlag(p, QPointF(W * 0.08 + 1, H * 0.36), 96, 62, 0.8);
    DrawConfederateFlag(p, QPointF(W * 0.92 - 79, H * 0.36), 78, 72, 2.1);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRect(QRectF(0, H * 0.87, W, H * 0.13));
    return img;
}

}  // namespace assetgen
