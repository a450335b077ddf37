#include "numberbox.h"

#include <QKeyEvent>

#include "engine/gamestate.h"

namespace bellarune {

namespace {
// A whole number, optionally signed; false for anything else. Far-out values are capped
// so that the clamp still gives the nearer bound.
bool wholeNumber(const QString& text, int& out)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    int i = (t[0] == '-' || t[0] == '+') ? 1 : 0;
    if (i == t.size())
        return false;
    long v = 0;
    for (; i < t.size(); ++i) {
        if (!t[i].isDigit() || t[i].unicode() > '9')
            return false;
        v = std::min(v * 10 + (t[i].unicode() - '0'), 100000L);
    }
    out = static_cast<int>(t[0] == '-' ? -v : v);
    out = std::clamp(out, -32768, 32767);
    return true;
}
}  // namespace

NumberBox::NumberBox(QWidget* parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, &NumberBox::rule);
}

void NumberBox::setBounds(std::function<int()> low, std::function<int()> high)
{
    low_ = std::move(low);
    high_ = std::move(high);
}

void NumberBox::setValue(int v)
{
    setText(QString::number(v));
}

void NumberBox::step(int delta)
{
    setValue(value_ + delta);
}

void NumberBox::rule(const QString& text)
{
    if (inRule_)
        return;
    int n = 0;
    if (!wholeNumber(text, n))
        return;  // kept until focus leaves; the number stays the last valid one
    const int clamped = Clamp(n, low_ ? low_() : -32768, high_ ? high_() : 32767);
    value_ = clamped;
    const QString shown = QString::number(clamped);
    if (shown != text) {
        inRule_ = true;
        setText(shown);
        inRule_ = false;
    }
}

void NumberBox::keyPressEvent(QKeyEvent* event)
{
    // The arrow keys step the number as the spin control's arrows do.
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        step(event->key() == Qt::Key_Up ? 1 : -1);
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void NumberBox::focusOutEvent(QFocusEvent* event)
{
    int n = 0;
    if (!wholeNumber(text(), n))
        setValue(value_);
    QLineEdit::focusOutEvent(event);
}

UpDown::UpDown(NumberBox* buddy, QWidget* parent) : QWidget(parent)
{
    up = new QToolButton(this);
    up->setObjectName("up");
    up->setArrowType(Qt::UpArrow);
    up->setAutoRepeat(true);
    up->setAccessibleName("Up");
    down = new QToolButton(this);
    down->setObjectName("down");
    down->setArrowType(Qt::DownArrow);
    down->setAutoRepeat(true);
    down->setAccessibleName("Down");
    connect(up, &QToolButton::clicked, buddy, [buddy] { buddy->step(1); });
    connect(down, &QToolButton::clicked, buddy, [buddy] { buddy->step(-1); });
}

void UpDown::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int h = height() / 2;
    up->setGeometry(0, 0, width(), h);
    down->setGeometry(0, h, width(), height() - h);
}

}  // namespace bellarune
