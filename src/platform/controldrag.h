#pragma once
#include <QObject>
#include <QPoint>
#include <functional>
#include <vector>

class QFrame;
class QKeyEvent;
class QWidget;

namespace bellarune {

class DashedFrame;

// Drag of a control within a form, the way the matching screens need it: an outline of the
// dragged control follows the pointer, and a drop on a registered target calls that target's
// handler with the source. A drag either lasts while the mouse button is held (it ends at the
// release) or, started with the button up, until the next press. Plain mouse events only, so
// it behaves the same under a real X server, with synthetic input and with QTest offscreen.
// A press with any mouse button on a registered source is its MouseDown; a Click (left
// press and release, or the keyboard) is the source's own, so Space never drags.
// Only presses and keys in the form's own window count, and none while a modal window
// stands above it: a message box shown during a drag never receives the drop.
//
// The keyboard: Enter on a source runs its MouseDown and picks it up; a marker then shows
// one of the targets, the arrow keys (and Tab) move it in reading order, Enter drops the
// source there through the target's handler and Escape puts it back. Escape also ends a
// drag started by a click. The marked target holds the focus, so screen readers follow it.
class ControlDrag : public QObject {
    Q_OBJECT
public:
    explicit ControlDrag(QWidget* form);
    ~ControlDrag() override;

    using DropHandler = std::function<void(QWidget* target, QWidget* source)>;
    void addTarget(QWidget* target, DropHandler onDrop);
    // Calls onMouseDown for a press of any mouse button on source while no drag is on.
    void addSource(QWidget* source, std::function<void(QPoint hotSpot)> onMouseDown);

    // Starts a drag of source; hotSpot is where the pointer holds it, in source coordinates.
    void begin(QWidget* source, bool buttonHeld, QPoint hotSpot);
    void cancel();
    // Targets are laid out in rows of this many, for the Up and Down keys.
    void setColumns(int columns) { columns_ = columns; }
    bool active() const { return source_ != nullptr; }
    bool buttonHeld() const { return held_; }
    QWidget* source() const { return source_; }
    QFrame* outline() const { return outline_; }
    // The target the marker shows during a keyboard drag, else null.
    QWidget* marked() const;
    bool keyboardDrag() const { return keyboard_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow(const QPoint& globalPos);
    void finish(const QPoint& globalPos);
    QWidget* targetAt(const QPoint& globalPos) const;
    bool ownsInput(QWidget* w) const;
    bool key(QWidget* w, QKeyEvent* event);
    void pickUp(QWidget* source);
    void mark(int index);

    QWidget* form_;
    QFrame* outline_;
    struct Target {
        QWidget* widget;
        DropHandler onDrop;
    };
    std::vector<Target> targets_;
    std::vector<std::pair<QWidget*, std::function<void(QPoint)>>> sources_;
    QWidget* source_ = nullptr;
    bool held_ = false;
    bool swallowRelease_ = false;
    QPoint hotSpot_;
    bool keyboard_ = false;
    int marked_ = 0;
    int columns_ = 1;
    DashedFrame* marker_;
};

}  // namespace bellarune
