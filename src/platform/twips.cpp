#include "twips.h"

#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace bellarune {

namespace {
double logicalDpi()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return dpi > 0 ? dpi : 96.0;
}
}  // namespace

int twipsToPx(int twips)
{
    return static_cast<int>(std::lround(twips * logicalDpi() / 1440.0));
}

int pxToTwips(int px)
{
    return static_cast<int>(std::lround(px * 1440.0 / logicalDpi()));
}

QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPx(left), twipsToPx(top), twipsToPx(width), twipsToPx(height));
}

void setGeometryTwips(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(twipsRect(left, top, width, height));
}

QFont designFont(const QString& family, double pointSize, bool bold)
{
    QString mapped = family;
    if (family == "Times New Roman" || family == "MS Serif")
        mapped = "Liberation Serif";
    else if (family == "Arial" || family == "MS Sans Serif")
        mapped = "Liberation Sans";
    else if (family == "Courier New")
        mapped = "Liberation Mono";
    QFont f(mapped);
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    return f;
}

void setBackground(QWidget* w, const QColor& c)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, c);
    p.setColor(QPalette::Button, c);
    p.setColor(QPalette::Base, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void setForeground(QWidget* w, const QColor& c)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, c);
    p.setColor(QPalette::ButtonText, c);
    p.setColor(QPalette::Text, c);
    w->setPalette(p);
}

}  // namespace bellarune
