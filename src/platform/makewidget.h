#pragma once
#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <optional>
#include <utility>

class QPushButton;
class QWidget;

namespace bellarune {

// A control as the form designs it; whatever is left out keeps the widget's own default.
struct WidgetLook {
    const char* name = nullptr;  // objectName, the control's name in the form
    QString caption;             // text of a label, button or box, title of a group box
    QString tip;
    QString accessible;
    std::optional<QRect> twips;  // left, top, width, height in twips
    std::optional<QFont> font;
    std::optional<QColor> back;  // solid background
    std::optional<QColor> fore;  // text colour
};

// Gives a widget its name, caption, tooltip, accessible name, geometry, font and colours.
// A push button made this way is never pressed by Enter from another control.
void applyLook(QWidget* widget, const WidgetLook& look);

// Creates a W with the constructor arguments args followed by parent, and applies look.
template <typename W, typename... Args>
W* makeWidget(QWidget* parent, const WidgetLook& look, Args&&... args)
{
    W* widget = new W(std::forward<Args>(args)..., parent);
    applyLook(widget, look);
    return widget;
}

// Bar i of a matching screen ("Btn1<i>"): bold black text on its own colour in a thin frame, drawn by a
// style sheet so the desktop's button style cannot grey it.
QPushButton* makeColourBar(QWidget* parent, int i, const QRect& twips, const QString& tip,
                           const QColor& colour);

}  // namespace bellarune
