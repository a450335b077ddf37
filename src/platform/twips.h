#pragma once
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <string>

#include "latin1text.h"  // the forms that place texts also convert them

class QWidget;
class QColor;

namespace bellarune {

// Design geometry is in twips (1/1440 inch); the screen's logical DPI turns it into pixels.
int twipsToPx(int twips);
int pxToTwips(int px);
QRect twipsRect(int left, int top, int width, int height);
// Places a widget at a design rectangle given in twips.
void setGeometryTwips(QWidget* w, int left, int top, int width, int height);

// The design's fonts, mapped to metric-compatible Liberation fonts.
QFont designFont(const QString& family, double pointSize, bool bold = false);

// Solid background colour for a form or control.
void setBackground(QWidget* w, const QColor& c);
void setForeground(QWidget* w, const QColor& c);

}  // namespace bellarune
