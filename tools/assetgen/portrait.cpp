// Portraits of the people in the database. A portrait must help the player guess
// the person without giving the name away: it shows the side's colours, a figure in
// uniform (insignia by rank) or civilian dress, the rank or office and the years of
// life. The figure is varied from a hash of the name so that portraits differ.
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include "assetgen.h"

namespace assetgen {

namespace {

constexpr int kWidth = 240;
constexpr int kHeight = 300;

enum class Insignia { None, Stars, Eagle, Leaf, Bars, Chevrons };

struct Rank {
    Insignia kind = Insignia::None;
    int count = 0;
    bool navy = false;
    bool general = false;
};

Rank RankFromText(const QString& text)
{
    const QString t = text.toLower();
    Rank r;
    r.navy = t.contains("admiral") || t.contains("commodore") || t.contains("navy") || t.contains("naval") ||
             t.contains("flag officer") || t.contains("ensign");
    auto has = [&](const char* word) { return t.contains(QLatin1String(word)); };
    if (has("lieutenant general") || has("vice admiral")) {
        r = {Insignia::Stars, 3, r.navy, true};
    } else if (has("major general") || has("rear admiral")) {
        r = {Insignia::Stars, 2, r.navy, true};
    } else if (has("brigadier") || has("commodore") || has("flag officer")) {
        r = {Insignia::Stars, 1, r.navy, true};
    } else if (has("general") || has("admiral")) {
        r = {Insignia::Stars, 4, r.navy, true};
    } else if (has("lieutenant colonel") || has("lt. colonel") || has("commander")) {
        r = {Insignia::Leaf, 1, r.navy, false};
    } else if (has("colonel") || (has("captain") && r.navy)) {
        r = {Insignia::Eagle, 1, r.navy, false};
    } else if (has("major")) {
        r = {Insignia::Leaf, 1, r.navy, false};
    } else if (has("captain")) {
        r = {Insignia::Bars, 2, r.navy, false};
    } else if (has("lieutenant") || has("ensign")) {
        r = {Insignia::Bars, 1, r.navy, false};
    } else if (has("sergeant") || has("corporal") || has("private") || has("soldier") || has("scout")) {
        r = {Insignia::Chevrons, has("sergeant") ? 3 : has("corporal") ? 2 : 0, r.navy, false};
    }
    return r;
}

// A short list of first names is enough to dress the women of the database in a
// gown rather than a frock coat; anyone else gets a man's figure.
bool LooksFemale(const QString& name)
{
    static const char* const kNames[] = {
        "clara", "mary", "harriet", "rose", "belle", "sarah", "elizabeth", "louisa", "varina", "julia",
        "dorothea", "sojourner", "susan", "mother", "annie", "anna", "emma", "jennie", "jenny", "phoebe",
        "sally", "elizabeth", "frances", "loreta", "pauline", "mary", "rebecca", "juliet", "kate", "catherine",
        "margaret", "martha", "nancy", "lucy", "antonia", "ella", "eliza", "fannie", "betty", "cornelia"};
    const QString first = name.section(' ', 0, 0).toLower().remove('.');
    for (const char* n : kNames)
        if (first == QLatin1String(n))
            return true;
    return name.startsWith("Mrs", Qt::CaseInsensitive) || name.startsWith("Miss ", Qt::CaseInsensitive);
}

struct Palette {
    QColor backTop, backBottom, card, coat, coatDark, trim, accent;
};

Palette SidePalette(int side, bool officer)
{
    if (side == 1) {
        // Confederate: cadet grey coats and butternut tones.
        return {QColor(150, 128, 92), QColor(92, 74, 50), QColor(214, 196, 160), officer ? QColor(128, 132, 138) : QColor(92, 80, 64),
                officer ? QColor(88, 92, 98) : QColor(60, 50, 40), QColor(196, 160, 70), QColor(170, 40, 40)};
    }
    // Union: dark blue throughout.
    return {QColor(58, 78, 128), QColor(20, 28, 60), QColor(200, 206, 224), officer ? QColor(30, 40, 82) : QColor(40, 38, 44),
            officer ? QColor(16, 22, 50) : QColor(20, 20, 24), QColor(214, 178, 70), QColor(60, 90, 170)};
}

void DrawStarRow(QPainter& p, QPointF centre, double r, int count, bool vertical)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 210, 110));
    for (int i = 0; i < count; ++i) {
        const double off = (i - (count - 1) / 2.0) * r * 2.3;
        p.drawPolygon(StarPolygon(centre + (vertical ? QPointF(0, off) : QPointF(off, 0)), r));
    }
}

void DrawAnchor(QPainter& p, QPointF c, double s)
{
    p.setPen(QPen(QColor(240, 210, 110), s * 0.12, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawLine(c + QPointF(0, -s * 0.5), c + QPointF(0, s * 0.45));
    p.drawLine(c + QPointF(-s * 0.25, -s * 0.3), c + QPointF(s * 0.25, -s * 0.3));
    p.drawArc(QRectF(c.x() - s * 0.4, c.y() - s * 0.05, s * 0.8, s * 0.55), 180 * 16, 180 * 16);
    p.drawEllipse(c + QPointF(0, -s * 0.58), s * 0.08, s * 0.08);
}

// The insignia of a rank on a shoulder strap (Union style) or collar (Confederate style).
void DrawInsignia(QPainter& p, const Rank& rank, QRectF strap, bool onCollar)
{
    const QPointF c = strap.center();
    const double s = qMin(strap.width(), strap.height());
    switch (rank.kind) {
    case Insignia::Stars:
        if (rank.navy && !onCollar) {
            DrawAnchor(p, c + QPointF(-strap.width() * 0.28, 0), s * 0.85);
            DrawStarRow(p, c + QPointF(strap.width() * 0.15, 0), s * 0.22, qMin(rank.count, 3), false);
        } else {
            DrawStarRow(p, c, s * (rank.count > 2 ? 0.2 : 0.26), rank.count, false);
            if (onCollar && rank.general) {
                // The Confederate general's wreath around the stars.
                p.setPen(QPen(QColor(240, 210, 110), 1.2));
                p.setBrush(Qt::NoBrush);
                p.drawArc(strap.adjusted(1, 1, -1, -1), 200 * 16, 140 * 16);
            }
        }
        break;
    case Insignia::Eagle: {
        p.setPen(QPen(QColor(235, 220, 190), 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(c + QPointF(-s * 0.6, -s * 0.3), c);
        p.drawLine(c, c + QPointF(s * 0.6, -s * 0.3));
        p.setBrush(QColor(235, 220, 190));
        p.drawEllipse(c, s * 0.14, s * 0.14);
        break;
    }
    case Insignia::Leaf:
        p.setPen(Qt::NoPen);
        p.setBrush(rank.navy ? QColor(220, 220, 225) : QColor(240, 210, 110));
        p.drawEllipse(c, s * 0.3, s * 0.2);
        break;
    case Insignia::Bars:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(240, 210, 110));
        for (int i = 0; i < rank.count; ++i)
            p.drawRect(QRectF(c.x() - s * 0.35, c.y() - s * 0.3 + i * s * 0.35, s * 0.7, s * 0.18));
        break;
    case Insignia::Chevrons:
    case Insignia::None:
        break;
    }
}

}  // namespace

bool IsPerson(const bellarune::ItemRecord& item)
{
    return item.ItemType == bellarune::Officer || item.ItemType == bellarune::OtherPerson;
}

QImage DrawPortrait(const bellarune::ItemRecord& item)
{
    const QString name = FromLatin1OrUtf8(item.Name);
    const QString office = FromLatin1OrUtf8(item.Commanders);
    const bool officer = item.ItemType == bellarune::Officer;
    const bool female = !officer && LooksFemale(name);
    const Rank rank = officer ? RankFromText(office) : Rank{};
    const Palette pal = SidePalette(item.Side == 1 ? 1 : 0, officer);
    Rng rng(StableHash(name));

    const QRectF oval(26, 44, kWidth - 52, 206);
    QPainterPath ovalPath;
    ovalPath.addEllipse(oval);
    // The empty card depends only on side and kind: drawn once per run and copied,
    // since its large gradients are the dearest part of a portrait.
    static QImage cards[2][2];
    QImage& card = cards[item.Side == 1 ? 1 : 0][officer ? 1 : 0];
    if (card.isNull()) {
        card = QImage(kWidth, kHeight, QImage::Format_RGB32);
        QPainter c(&card);
        c.setRenderHint(QPainter::Antialiasing);
        // Card in the side's colours with an oval "photograph" in the middle.
        QLinearGradient back(0, 0, 0, kHeight);
        back.setColorAt(0, pal.backTop);
        back.setColorAt(1, pal.backBottom);
        c.fillRect(card.rect(), back);
        c.setPen(QPen(pal.trim, 3));
        c.setBrush(Qt::NoBrush);
        c.drawRect(QRectF(5.5, 5.5, kWidth - 11, kHeight - 11));
        c.setPen(QPen(pal.trim.darker(140), 1));
        c.drawRect(QRectF(10.5, 10.5, kWidth - 21, kHeight - 21));
        QRadialGradient photo(oval.center() + QPointF(-10, -30), oval.height() * 0.75);
        photo.setColorAt(0, pal.card.lighter(112));
        photo.setColorAt(1, pal.card.darker(135));
        c.setPen(Qt::NoPen);
        c.setBrush(photo);
        c.drawPath(ovalPath);
    }
    QImage img = card.copy();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);

    p.save();
    p.setClipPath(ovalPath);

    const double cx = oval.center().x() + rng.range(-4, 4);
    const double headY = 126 + rng.range(-4, 6);
    const double headW = rng.range(25, 31);
    const double headH = headW * rng.range(1.22, 1.36);
    const int bornDecade = item.Year1 > 0 ? item.Year1 : 1825;
    const bool old = bornDecade < 1812;

    static const QColor kHair[] = {QColor(45, 32, 24), QColor(25, 22, 20), QColor(96, 64, 38), QColor(130, 80, 42),
                                   QColor(150, 120, 80), QColor(70, 50, 36)};
    QColor hair = kHair[rng.below(6)];
    if (old)
        hair = rng.below(2) ? QColor(200, 198, 190) : QColor(150, 146, 140);
    static const QColor kSkin[] = {QColor(232, 196, 166), QColor(220, 180, 148), QColor(210, 168, 134),
                                   QColor(238, 206, 180)};
    const QColor skin = kSkin[rng.below(4)];

    // Body: shoulders and coat.
    const double shoulderY = headY + headH * 0.95;
    const double shoulderW = rng.range(84, 96);
    QPainterPath coat;
    coat.moveTo(cx - 14, shoulderY - 14);
    coat.cubicTo(cx - 40, shoulderY - 8, cx - shoulderW, shoulderY, cx - shoulderW - 6, kHeight);
    coat.lineTo(cx + shoulderW + 6, kHeight);
    coat.cubicTo(cx + shoulderW, shoulderY, cx + 40, shoulderY - 8, cx + 14, shoulderY - 14);
    coat.closeSubpath();
    QLinearGradient coatShade(cx - shoulderW, 0, cx + shoulderW, 0);
    const QColor coatColour = female ? (rng.below(2) ? QColor(40, 34, 40) : QColor(70, 40, 50)) : pal.coat;
    coatShade.setColorAt(0, coatColour.darker(150));
    coatShade.setColorAt(0.45, coatColour.lighter(115));
    coatShade.setColorAt(1, coatColour.darker(170));
    p.setPen(QPen(coatColour.darker(200), 1.5));
    p.setBrush(coatShade);
    p.drawPath(coat);

    // Neck.
    p.setPen(Qt::NoPen);
    p.setBrush(skin.darker(112));
    p.drawRect(QRectF(cx - headW * 0.42, headY + headH * 0.55, headW * 0.84, headH * 0.45));

    if (officer) {
        // Standing collar, front with buttons, shoulder straps (Union) or collar insignia (Confederate).
        const bool doubleBreasted = rank.general || rng.below(3) == 0;
        p.setPen(QPen(pal.coatDark.darker(150), 1));
        p.setBrush(pal.coatDark);
        QPainterPath collar;
        collar.moveTo(cx - headW * 0.62, shoulderY - 18);
        collar.lineTo(cx + headW * 0.62, shoulderY - 18);
        collar.lineTo(cx + headW * 0.7, shoulderY + 2);
        collar.lineTo(cx - headW * 0.7, shoulderY + 2);
        collar.closeSubpath();
        p.drawPath(collar);
        p.setPen(QPen(coatColour.darker(220), 1.2));
        p.drawLine(QPointF(cx, shoulderY + 2), QPointF(cx, kHeight));
        p.setPen(QPen(QColor(120, 90, 30), 0.8));
        p.setBrush(QColor(236, 200, 90));
        const int rows = rank.general ? (rank.count >= 2 ? 3 : 2) * 3 : 7;
        for (int i = 0; i < rows && shoulderY + 12 + i * 11 < kHeight - 54; ++i) {
            const double by = shoulderY + 12 + i * (rank.general ? 12 : 10);
            if (doubleBreasted) {
                p.drawEllipse(QPointF(cx - 13, by), 2.6, 2.6);
                p.drawEllipse(QPointF(cx + 13, by), 2.6, 2.6);
            } else {
                p.drawEllipse(QPointF(cx + 4, by), 2.4, 2.4);
            }
        }
        // Shoulder straps.
        for (int sgn : {-1, 1}) {
            const QRectF strap(cx + sgn * (shoulderW * 0.62) - 20, shoulderY + 4, 40, 14);
            p.save();
            p.translate(strap.center());
            p.rotate(sgn * 12);
            p.translate(-strap.center());
            // Confederate officers wore their rank on the collar instead (drawn with the head).
            if (item.Side != 1 || rank.navy) {
                p.setPen(QPen(QColor(200, 160, 60), 1.5));
                p.setBrush(rank.navy ? QColor(20, 24, 60) : QColor(30, 40, 90));
                p.drawRoundedRect(strap, 2, 2);
                DrawInsignia(p, rank, strap.adjusted(3, 2, -3, -2), false);
            }
            p.restore();
        }
        if (rank.kind == Insignia::Chevrons) {
            p.setPen(QPen(QColor(214, 178, 70), 2.2));
            for (int i = 0; i < qMax(1, rank.count); ++i) {
                const double y = kHeight - 40 + i * 6;
                p.drawLine(QPointF(cx - shoulderW * 0.8 - 10, y), QPointF(cx - shoulderW * 0.8, y - 8));
                p.drawLine(QPointF(cx - shoulderW * 0.8, y - 8), QPointF(cx - shoulderW * 0.8 + 10, y));
            }
        }
        if (rank.general && !rank.navy) {
            // A general's sash across the waist.
            p.setPen(Qt::NoPen);
            p.setBrush(item.Side == 1 ? QColor(190, 160, 80, 220) : QColor(200, 180, 120, 220));
            p.drawRect(QRectF(cx - shoulderW, kHeight - 38, shoulderW * 2, 9));
        }
    } else if (female) {
        // High lace collar and a brooch.
        p.setPen(QPen(QColor(200, 196, 186), 1));
        p.setBrush(QColor(238, 234, 224));
        p.drawRoundedRect(QRectF(cx - headW * 0.55, shoulderY - 20, headW * 1.1, 20), 5, 5);
        p.setBrush(QColor(160, 120, 60));
        p.drawEllipse(QPointF(cx, shoulderY + 3), 5, 6);
        p.setPen(QPen(coatColour.lighter(150), 1));
        for (int i = 0; i < 5; ++i)
            p.drawLine(QPointF(cx - 20 + i * 10, shoulderY + 14), QPointF(cx - 28 + i * 14, kHeight));
    } else {
        // Frock coat with lapels over a white shirt and a tie.
        p.setPen(QPen(QColor(180, 180, 175), 1));
        p.setBrush(QColor(240, 238, 230));
        QPainterPath shirt;
        shirt.moveTo(cx - headW * 0.6, shoulderY - 16);
        shirt.lineTo(cx + headW * 0.6, shoulderY - 16);
        shirt.lineTo(cx + 10, shoulderY + 60);
        shirt.lineTo(cx - 10, shoulderY + 60);
        shirt.closeSubpath();
        p.drawPath(shirt);
        p.setPen(QPen(coatColour.darker(200), 1));
        p.setBrush(coatColour.lighter(130));
        for (int sgn : {-1, 1}) {
            QPainterPath lapel;
            lapel.moveTo(cx + sgn * headW * 0.6, shoulderY - 12);
            lapel.lineTo(cx + sgn * 26, shoulderY + 22);
            lapel.lineTo(cx + sgn * 10, shoulderY + 64);
            lapel.lineTo(cx + sgn * 4, shoulderY + 62);
            lapel.closeSubpath();
            p.drawPath(lapel);
        }
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 20, 24));
        if (rng.below(2)) {
            QPolygonF bow;
            bow << QPointF(cx - 12, shoulderY - 13) << QPointF(cx, shoulderY - 8) << QPointF(cx - 12, shoulderY - 2)
                << QPointF(cx + 12, shoulderY - 13) << QPointF(cx, shoulderY - 8) << QPointF(cx + 12, shoulderY - 2);
            p.drawPolygon(bow.mid(0, 3));
            p.drawPolygon(bow.mid(3, 3));
        } else {
            p.drawRect(QRectF(cx - 6, shoulderY - 13, 12, 30));
        }
    }

    // Head.
    const QRectF head(cx - headW, headY - headH, headW * 2, headH * 2);
    // Hair at the back (a woman's drawn-back hair, or a man's longer hair).
    p.setPen(Qt::NoPen);
    p.setBrush(hair);
    if (female) {
        p.drawEllipse(head.adjusted(-5, -6, 5, -headH * 0.5));
        p.drawEllipse(QPointF(cx + headW * 0.95, headY - headH * 0.1), headW * 0.4, headW * 0.42);
    } else if (rng.below(3) == 0) {
        p.drawEllipse(head.adjusted(-4, -4, 4, -headH * 0.8));
    }
    // Ears.
    p.setBrush(skin.darker(108));
    p.drawEllipse(QPointF(cx - headW * 0.98, headY + 2), 5, 9);
    p.drawEllipse(QPointF(cx + headW * 0.98, headY + 2), 5, 9);
    QRadialGradient face(head.center() + QPointF(-headW * 0.3, -headH * 0.3), headH * 1.3);
    face.setColorAt(0, skin.lighter(110));
    face.setColorAt(1, skin.darker(125));
    p.setBrush(face);
    p.setPen(QPen(skin.darker(160), 1));
    p.drawEllipse(head);

    // Hair on top: parting or receding line, by hash.
    p.setPen(Qt::NoPen);
    p.setBrush(hair);
    const int hairStyle = rng.below(4);
    if (female) {
        QPainterPath top;
        top.moveTo(cx - headW * 1.02, headY - 2);
        top.cubicTo(cx - headW * 1.1, headY - headH * 1.2, cx + headW * 1.1, headY - headH * 1.2, cx + headW * 1.02, headY - 2);
        top.cubicTo(cx + headW * 0.6, headY - headH * 0.75, cx, headY - headH * 0.7, cx, headY - headH * 0.78);
        top.cubicTo(cx, headY - headH * 0.7, cx - headW * 0.6, headY - headH * 0.75, cx - headW * 1.02, headY - 2);
        p.drawPath(top);
    } else if (hairStyle != 3 || !old) {
        QPainterPath top;
        const double line = hairStyle == 0 ? 0.62 : hairStyle == 1 ? 0.72 : 0.55;
        top.moveTo(cx - headW * 1.02, headY - headH * 0.15);
        top.cubicTo(cx - headW * 1.05, headY - headH * 1.15, cx + headW * 1.05, headY - headH * 1.15, cx + headW * 1.02, headY - headH * 0.15);
        top.cubicTo(cx + headW * 0.7, headY - headH * line, cx - headW * 0.3, headY - headH * (line + 0.1),
                    cx - headW * 1.02, headY - headH * 0.15);
        p.drawPath(top);
    }

    // Eyes, brows, nose.
    const double eyeY = headY - headH * 0.08;
    p.setBrush(QColor(250, 250, 246));
    p.setPen(Qt::NoPen);
    for (int sgn : {-1, 1})
        p.drawEllipse(QPointF(cx + sgn * headW * 0.4, eyeY), 4.6, 2.6);
    p.setBrush(rng.below(2) ? QColor(60, 80, 110) : QColor(70, 50, 30));
    for (int sgn : {-1, 1})
        p.drawEllipse(QPointF(cx + sgn * headW * 0.4 + 0.5, eyeY), 2.2, 2.2);
    p.setPen(QPen(hair.darker(130), 2.4, Qt::SolidLine, Qt::RoundCap));
    const double browLift = rng.range(5, 8);
    for (int sgn : {-1, 1})
        p.drawLine(QPointF(cx + sgn * headW * 0.2, eyeY - browLift), QPointF(cx + sgn * headW * 0.62, eyeY - browLift - sgn * 0 - 1.5));
    p.setPen(QPen(skin.darker(150), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(cx + 1, eyeY + 2), QPointF(cx + 3, eyeY + headH * 0.32));
    p.drawLine(QPointF(cx + 3, eyeY + headH * 0.32), QPointF(cx - 3, eyeY + headH * 0.34));
    const double mouthY = headY + headH * 0.45;

    // Facial hair, by hash (none for women).
    const int beard = female ? -1 : rng.below(6);
    const QColor beardColour = hair;
    p.setPen(Qt::NoPen);
    p.setBrush(beardColour);
    if (beard == 1 || beard == 2 || beard == 5) {
        // Moustache.
        QPainterPath m;
        m.moveTo(cx, mouthY - 6);
        m.cubicTo(cx - 8, mouthY - 9, cx - 16, mouthY - 6, cx - 18, mouthY);
        m.cubicTo(cx - 10, mouthY - 3, cx - 4, mouthY - 2, cx, mouthY - 3);
        m.cubicTo(cx + 4, mouthY - 2, cx + 10, mouthY - 3, cx + 18, mouthY);
        m.cubicTo(cx + 16, mouthY - 6, cx + 8, mouthY - 9, cx, mouthY - 6);
        p.drawPath(m);
    }
    if (beard == 2 || beard == 3) {
        // Full beard, short (2) or long (3).
        const double len = beard == 3 ? headH * 1.1 : headH * 0.55;
        QPainterPath b;
        b.moveTo(cx - headW * 0.98, headY - headH * 0.05);
        b.cubicTo(cx - headW * 1.05, mouthY + len * 0.6, cx - headW * 0.5, mouthY + len, cx, mouthY + len);
        b.cubicTo(cx + headW * 0.5, mouthY + len, cx + headW * 1.05, mouthY + len * 0.6, cx + headW * 0.98, headY - headH * 0.05);
        b.cubicTo(cx + headW * 0.7, mouthY - 4, cx + 6, mouthY - 8, cx, mouthY - 6);
        b.cubicTo(cx - 6, mouthY - 8, cx - headW * 0.7, mouthY - 4, cx - headW * 0.98, headY - headH * 0.05);
        p.drawPath(b);
        p.setPen(QPen(beardColour.lighter(130), 0.8));
        for (int i = 0; i < 7; ++i)
            p.drawLine(QPointF(cx - 14 + i * 4.5, mouthY + 6), QPointF(cx - 16 + i * 5.2, mouthY + len - 6));
        p.setPen(Qt::NoPen);
    } else if (beard == 4) {
        // Side whiskers.
        for (int sgn : {-1, 1}) {
            QPainterPath w;
            w.moveTo(cx + sgn * headW * 1.0, headY - headH * 0.2);
            w.cubicTo(cx + sgn * headW * 1.1, mouthY, cx + sgn * headW * 0.7, mouthY + 12, cx + sgn * headW * 0.45, mouthY + 6);
            w.cubicTo(cx + sgn * headW * 0.7, mouthY - 6, cx + sgn * headW * 0.8, headY, cx + sgn * headW * 0.78, headY - headH * 0.2);
            w.closeSubpath();
            p.drawPath(w);
        }
    } else if (beard == 5) {
        // Goatee.
        p.drawEllipse(QPointF(cx, mouthY + 12), 7, 11);
    }
    if (beard != 2 && beard != 3) {
        p.setPen(QPen(skin.darker(170), 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(cx - 8, mouthY + 1), QPointF(cx + 8, mouthY + 1));
    }

    // Headgear, by hash: officers a kepi or a slouch hat, civilian men a top hat, women a bonnet.
    const int hat = rng.below(5);
    p.setPen(QPen(QColor(0, 0, 0, 120), 1));
    if (officer && hat <= 1) {
        // Kepi: cap in the coat colour with a leather visor.
        QPainterPath kepi;
        const double top = headY - headH * 1.45;
        kepi.moveTo(cx - headW * 0.98, headY - headH * 0.55);
        kepi.lineTo(cx - headW * 0.8, top);
        kepi.lineTo(cx + headW * 0.6, top - 4);
        kepi.lineTo(cx + headW * 1.0, headY - headH * 0.55);
        kepi.closeSubpath();
        p.setBrush(item.Side == 1 ? QColor(120, 124, 130) : QColor(28, 36, 80));
        p.drawPath(kepi);
        p.setBrush(QColor(20, 16, 12));
        p.drawChord(QRectF(cx - headW * 1.05, headY - headH * 0.7, headW * 2.1, headH * 0.4), 180 * 16, 180 * 16);
        p.setBrush(pal.trim);
        p.drawEllipse(QPointF(cx, headY - headH * 0.95), 4, 3);
    } else if (officer && hat == 2) {
        // Slouch hat with a wide brim.
        p.setBrush(item.Side == 1 ? QColor(70, 60, 48) : QColor(22, 22, 26));
        p.drawEllipse(QRectF(cx - headW * 1.8, headY - headH * 0.85, headW * 3.6, headH * 0.42));
        p.drawRoundedRect(QRectF(cx - headW * 0.9, headY - headH * 1.45, headW * 1.8, headH * 0.8), 10, 10);
        p.setBrush(pal.trim);
        p.drawRect(QRectF(cx - headW * 0.9, headY - headH * 0.86, headW * 1.8, 4));
    } else if (!officer && !female && hat <= 1) {
        // Top hat.
        p.setBrush(QColor(18, 18, 20));
        p.drawRect(QRectF(cx - headW * 0.85, headY - headH * 2.0, headW * 1.7, headH * 1.3));
        p.drawEllipse(QRectF(cx - headW * 1.35, headY - headH * 0.85, headW * 2.7, headH * 0.28));
        p.setBrush(QColor(60, 60, 66));
        p.drawRect(QRectF(cx - headW * 0.85, headY - headH * 0.98, headW * 1.7, 5));
    } else if (female && hat <= 1) {
        // Bonnet framing the face.
        p.setBrush(QColor(60, 50, 60));
        QPainterPath bonnet;
        bonnet.addEllipse(QRectF(cx - headW * 1.35, headY - headH * 1.35, headW * 2.7, headH * 1.9));
        QPainterPath faceHole;
        faceHole.addEllipse(head.adjusted(2, headH * 0.2, -2, 0));
        p.drawPath(bonnet.subtracted(faceHole));
        p.setPen(QPen(QColor(120, 30, 40), 4));
        p.drawLine(QPointF(cx - headW * 0.9, headY + headH * 0.6), QPointF(cx - 4, headY + headH * 1.05));
        p.drawLine(QPointF(cx + headW * 0.9, headY + headH * 0.6), QPointF(cx + 4, headY + headH * 1.05));
    }
    if (officer && item.Side == 1 && !rank.navy) {
        // Collar tabs beside the chin, with the rank's stars or bars.
        for (int sgn : {-1, 1}) {
            const QRectF tab(cx + sgn * headW * 1.25 - headW * 0.55, shoulderY - 6, headW * 1.1, 16);
            p.setPen(QPen(QColor(200, 160, 60), 1));
            p.setBrush(rank.general ? QColor(140, 110, 60) : QColor(90, 110, 150));
            p.drawRoundedRect(tab, 3, 3);
            DrawInsignia(p, rank, tab.adjusted(2, 1, -2, -1), true);
        }
    }
    p.restore();

    // Oval frame.
    p.setPen(QPen(pal.trim, 4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(oval);
    p.setPen(QPen(pal.trim.darker(160), 1));
    p.drawEllipse(oval.adjusted(-4, -4, 4, 4));

    // Rank or office on top, years of life below; never the name.
    QFont title("DejaVu Serif", 14, QFont::Bold);
    DrawFittedText(p, QRectF(16, 12, kWidth - 32, 32), office.isEmpty() ? QString(officer ? "Officer" : "Civilian") : office,
                   title, 7, 2, QColor(250, 238, 200));
    QString years;
    if (item.Year1 != 0 || item.Year2 != 0)
        years = QString("%1 - %2").arg(item.Year1 != 0 ? QString::number(item.Year1) : QString("?"),
                                        item.Year2 != 0 ? QString::number(item.Year2) : QString("?"));
    QFont yearsFont("DejaVu Serif", 15, QFont::Bold);
    DrawFittedText(p, QRectF(16, kHeight - 46, kWidth - 32, 32), years, yearsFont, 8, 1, QColor(250, 238, 200));
    return img;
}

}  // namespace assetgen
