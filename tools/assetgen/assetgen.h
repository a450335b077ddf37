#pragma once
// The asset generator's drawing and synthesis pieces. Everything here is pure
// painting on QImage (no widgets), so the generator runs with the offscreen platform.
#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdint>

#include "data/itemrecord.h"

class QPainter;

namespace assetgen {

// ---- common.cpp ----
// FNV-1a: stable across runs and platforms, unlike std::hash, so an event's picture
// never changes between builds.
uint32_t StableHash(const QString& text);

// A small deterministic generator for the variations drawn from a hash.
class Rng {
public:
    explicit Rng(uint32_t seed) : state_(seed * 2654435761u + 0x9E3779B9u) {}
    uint32_t next();
    double unit();     // [0, 1)
    int below(int n);  // 0..n-1
    double range(double lo, double hi);

private:
    uint32_t state_;
};

QString FromLatin1OrUtf8(const std::string& text);
// Draws text centred in rect, shrinking the font (down to minPoint) and wrapping
// to at most maxLines lines until it fits.
void DrawFittedText(QPainter& p, const QRectF& rect, const QString& text, QFont font, double minPoint,
                    int maxLines, const QColor& colour);
// A five-pointed star centred at c with outer radius r.
QPolygonF StarPolygon(QPointF c, double r);
// Flags on a pole: the pole foot at foot, cloth size w x h, waving by phase.
void DrawUnionFlag(QPainter& p, QPointF topLeft, double w, double h, double wave);
void DrawConfederateFlag(QPainter& p, QPointF topLeft, double w, double h, double wave);
// A field gun seen from the side; origin at the wheel hub, facing right when
// facing > 0, left when < 0. elevation in degrees.
void DrawFieldGun(QPainter& p, QPointF hub, double scale, double facing, double elevationDeg,
                  const QColor& wood, const QColor& metal);

// ---- scenes.cpp ----
QImage DrawEventScene(const bellarune::ItemRecord& item);
// stage 6 = first wrong letter (hardly a threat) .. 1 = the cannon fires.
QImage DrawThreat(int stage);
QImage DrawMenuBackground();

// ---- statemap.cpp ----
struct StateShape {
    QString code;
    QString name;
    QVector<QPolygonF> rings;  // lon, lat
};
// Reads the outline file (format described in convert-states.mjs). Returns false
// with a message in error when it cannot be read.
bool LoadStateShapes(const QString& path, QVector<StateShape>& shapes, QString& error);
// The map of the states in codes (filled) among every other shape near them (outlined).
QImage DrawStateMap(const QVector<StateShape>& shapes, const QStringList& codes);

// ---- sounds.cpp ----
constexpr int kSampleRate = 22050;
// The whole RIFF/WAVE file of sound n (0..8).
QByteArray SynthesizeSound(int n);
// The file names of sounds 0..8, in sound-number order.
const QStringList& SoundFileNames();

}  // namespace assetgen
