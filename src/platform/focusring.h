#pragma once
#include <QObject>
#include <QPointer>
#include <QWidget>

class QPainter;

namespace bellarune {

// Draws a rectangle's outline, thickness wide inside it, in black and white dashes.
void paintDashedOutline(QPainter& p, const QRect& r, int thickness);

// A rectangle drawn in black and white dashes, seen on every background colour the screens
// use. It lets the mouse through to whatever lies below it.
class DashedFrame : public QWidget {
    Q_OBJECT
public:
    DashedFrame(QWidget* parent, int thickness);
    // Stands around target (a child of this frame's parent, or of one of its children).
    void surround(QWidget* target);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int thickness_;
};

// Draws a dashed frame around the control that has the keyboard focus, in every window of
// the application, so the focus shows whatever the control's own colours.
class FocusRing : public QObject {
    Q_OBJECT
public:
    FocusRing();
    ~FocusRing() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow(QWidget* now);
    QPointer<QWidget> focused_;
    QPointer<DashedFrame> ring_;
};

}  // namespace bellarune
