// State maps for the "Match battles and states" question: the state filled among
// the outlines of its neighbours, with no name on it.
#include <QFile>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>
#include <QtMath>

#include "assetgen.h"

namespace assetgen {

bool LoadStateShapes(const QString& path, QVector<StateShape>& shapes, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        error = QString("cannot open %1: %2").arg(path, file.errorString());
        return false;
    }
    QTextStream in(&file);
    shapes.clear();
    int lineNo = 0;
    int pending = 0;  // points still to read for the current ring
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        ++lineNo;
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QStringList words = line.split(' ', Qt::SkipEmptyParts);
        if (pending > 0) {
            if (words.size() % 2 != 0 || words.size() / 2 > pending) {
                error = QString("%1:%2: bad point line").arg(path).arg(lineNo);
                return false;
            }
            for (int i = 0; i < words.size(); i += 2) {
                bool okX = false, okY = false;
                const double x = words[i].toDouble(&okX), y = words[i + 1].toDouble(&okY);
                if (!okX || !okY) {
                    error = QString("%1:%2: bad number").arg(path).arg(lineNo);
                    return false;
                }
                shapes.back().rings.back() << QPointF(x, y);
            }
            pending -= words.size() / 2;
        } else if (words.value(0) == "state" && words.size() >= 4) {
            shapes.push_back({words[1], words.mid(3).join(' '), {}});
        } else if (words.value(0) == "ring" && words.size() == 2 && !shapes.isEmpty()) {
            pending = words[1].toInt();
            if (pending < 3) {
                error = QString("%1:%2: ring too small").arg(path).arg(lineNo);
                return false;
            }
            shapes.back().rings.push_back(QPolygonF());
        } else {
            error = QString("%1:%2: unexpected line").arg(path).arg(lineNo);
            return false;
        }
    }
    if (pending > 0) {
        error = QString("%1: ends inside a ring").arg(path);
        return false;
    }
    return !shapes.isEmpty() || (error = path + ": no states", false);
}

QImage DrawStateMap(const QVector<StateShape>& shapes, const QStringList& codes)
{
    const int S = 300;
    QImage img(S, S, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    // Parchment background with a faint border.
    QRadialGradient back(QPointF(S / 2.0, S / 2.0), S * 0.75);
    back.setColorAt(0, QColor(246, 238, 214));
    back.setColorAt(1, QColor(216, 200, 164));
    p.fillRect(img.rect(), back);

    QRectF box;
    for (const StateShape& s : shapes)
        if (codes.contains(s.code))
            for (const QPolygonF& r : s.rings)
                box = box.isNull() ? r.boundingRect() : box.united(r.boundingRect());
    if (box.isNull())
        return img;

    // Equirectangular projection with the longitude shrunk by cos(latitude), which
    // keeps the shapes right at these sizes; the state fills about 70% of the square.
    const double k = std::cos(qDegreesToRadians(box.center().y()));
    const double spanX = box.width() * k, spanY = box.height();
    const double scale = S * 0.7 / qMax(spanX, spanY);
    auto project = [&](const QPolygonF& ring) {
        QPolygonF out;
        out.reserve(ring.size());
        for (const QPointF& pt : ring)
            out << QPointF(S / 2.0 + (pt.x() - box.center().x()) * k * scale,
                           S / 2.0 - (pt.y() - box.center().y()) * scale);
        return out;
    };
    const QRectF view = img.rect().adjusted(-20, -20, 20, 20);

    // Neighbours lightly, the chosen state filled and outlined on top.
    for (const StateShape& s : shapes) {
        if (codes.contains(s.code))
            continue;
        for (const QPolygonF& r : s.rings) {
            const QPolygonF poly = project(r);
            if (!poly.boundingRect().intersects(view))
                continue;
            p.setPen(QPen(QColor(150, 136, 110), 1.0));
            p.setBrush(QColor(236, 226, 200));
            p.drawPolygon(poly);
        }
    }
    for (const StateShape& s : shapes) {
        if (!codes.contains(s.code))
            continue;
        for (const QPolygonF& r : s.rings) {
            const QPolygonF poly = project(r);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0, 0, 0, 50));
            p.drawPolygon(poly.translated(3, 3));
            p.setPen(QPen(QColor(90, 40, 20), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(QColor(176, 82, 52));
            p.drawPolygon(poly);
        }
    }

    // A small compass mark, so the map reads as a map even without names.
    const QPointF c(S - 26, 30);
    p.setPen(QPen(QColor(110, 90, 60), 1));
    p.setBrush(QColor(110, 90, 60));
    p.drawPolygon(QPolygonF() << c + QPointF(0, -16) << c + QPointF(5, 0) << c + QPointF(-5, 0));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(QPolygonF() << c + QPointF(0, 16) << c + QPointF(5, 0) << c + QPointF(-5, 0));
    p.setFont(QFont("DejaVu Serif", 8, QFont::Bold));
    p.drawText(QRectF(c.x() - 8, c.y() + 15, 16, 14), Qt::AlignCenter, "N");
    p.setPen(QPen(QColor(150, 130, 96), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(3, 3, S - 6, S - 6));
    return img;
}

}  // namespace assetgen
