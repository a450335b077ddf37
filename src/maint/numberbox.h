#pragma once
#include <QLineEdit>
#include <QToolButton>
#include <functional>

namespace bellarune {

// A text box holding a whole number. On every change of its text (typed, stepped or set by
// the program) the number is clamped between the bounds the rule gives and written back.
// A text that is no whole number (emptied, letters) is left alone while the player types
// and replaced by the last valid number when the box loses focus. Up and Down step it.
class NumberBox : public QLineEdit {
    Q_OBJECT
public:
    explicit NumberBox(QWidget* parent = nullptr);
    // low and high are asked afresh at every change, so a bound may follow another box.
    void setBounds(std::function<int()> low, std::function<int()> high);
    int value() const { return value_; }
    void setValue(int v);
    void step(int delta);

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void rule(const QString& text);
    std::function<int()> low_, high_;
    int value_ = 0;
    bool inRule_ = false;
};

// The spin control tied to a number box: its arrows step the number by 1.
class UpDown : public QWidget {
    Q_OBJECT
public:
    UpDown(NumberBox* buddy, QWidget* parent = nullptr);
    QToolButton* up;
    QToolButton* down;

protected:
    void resizeEvent(QResizeEvent* event) override;
};

}  // namespace bellarune
