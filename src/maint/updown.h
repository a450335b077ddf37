#pragma once
#include <QWidget>
#include <optional>

class QString;
class QToolButton;

namespace bellarune {

// A spin control beside its text box: two arrow buttons that ask the form to step the
// box's number by one. The form does the stepping, so the box's own rule decides the range.
class UpDown : public QWidget {
    Q_OBJECT
public:
    explicit UpDown(QWidget* parent = nullptr);

    QToolButton* up;
    QToolButton* down;

signals:
    void stepped(int delta);

protected:
    void resizeEvent(QResizeEvent* event) override;
};

// The number a box holds when its whole text (blanks around it allowed) is a whole
// number; values far out of range saturate at +-1e9 so a rule can still clamp them.
std::optional<long> wholeNumber(const QString& text);

// The number the text starts with, 0 when it starts with none ("7x" gives 7, "x" 0).
double leadingNumber(const QString& text);

}  // namespace bellarune
