#pragma once
#include <QColor>
#include <QFont>

class QPushButton;
class QWidget;

namespace bellarune {

// A command button of the question screens: named, in its face colour and font, and never
// the default button (Enter must not press it).
QPushButton* makeScreenButton(QWidget* parent, const char* name, const char* caption, const QColor& face,
                              const QFont& font);

}  // namespace bellarune
