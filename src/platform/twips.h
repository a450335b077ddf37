#pragma once
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <string>

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

// Texts are 8-bit Latin-1 in the data files; line breaks are CR LF in the program's texts.
inline QString qs(const std::string& s)
{
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}
inline std::string ss(const QString& s)
{
    QByteArray b = s.toLatin1();
    return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}
// For display: CR LF becomes a plain line break.
QString displayText(const std::string& s);

}  // namespace bellarune
