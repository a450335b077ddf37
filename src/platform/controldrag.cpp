#include "controldrag.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include "platform/focusring.h"

namespace bellarune {

ControlDrag::ControlDrag(QWidget* form) : QObject(form), form_(form)
{
    outline_ = new QFrame(form);
    outline_->setObjectName("dragOutline");
    outline_->setFrameStyle(QFrame::Box | QFrame::Plain);
    outline_->setLineWidth(2);
    outline_->setAttribute(Qt::WA_TransparentForMouseEvents);
    outline_->hide();
    marker_ = new DashedFrame(form, 4);
    marker_->setObjectName("dropMarker");
    qApp->installEventFilter(this);
}

ControlDrag::~ControlDrag()
{
    qApp->removeEventFilter(this);
}

void ControlDrag::addTarget(QWidget* target, DropHandler onDrop)
{
    targets_.push_back({target, std::move(onDrop)});
}

void ControlDrag::addSource(QWidget* source, std::function<void(QPoint)> onMouseDown)
{
    sources_.emplace_back(source, std::move(onMouseDown));
}

void ControlDrag::begin(QWidget* source, bool buttonHeld, QPoint hotSpot)
{
    source_ = source;
    held_ = buttonHeld;
    hotSpot_ = hotSpot;
    outline_->resize(source->size());
    outline_->move(source->mapTo(form_, QPoint(0, 0)));
    outline_->raise();
    outline_->show();
    follow(QCursor::pos());
}

void ControlDrag::cancel()
{
    if (keyboard_) {
        marked()->setAccessibleDescription(QString());
        keyboard_ = false;
        source_->setFocus();
    }
    source_ = nullptr;
    outline_->hide();
    marker_->hide();
}

QWidget* ControlDrag::marked() const
{
    return keyboard_ ? targets_.at(static_cast<std::size_t>(marked_)).widget : nullptr;
}

bool ControlDrag::ownsInput(QWidget* w) const
{
    const QWidget* modal = QApplication::activeModalWidget();
    return w->window() == form_ && (!modal || modal == form_);
}

void ControlDrag::pickUp(QWidget* source)
{
    for (const auto& [control, onMouseDown] : sources_)
        if (control == source)
            onMouseDown(source->rect().center());
    if (source_ != source || targets_.empty())
        return;
    keyboard_ = true;
    held_ = false;
    outline_->move(source->mapTo(form_, QPoint(0, 0)));
    mark(0);
}

void ControlDrag::mark(int index)
{
    const int n = static_cast<int>(targets_.size());
    marked()->setAccessibleDescription(QString());
    marked_ = ((index % n) + n) % n;
    QWidget* target = marked();
    marker_->surround(target);
    // The focus goes with the marker, so a screen reader says where the held source would go;
    // the keys still belong to the drag, which gives the focus back to the source at its end.
    target->setAccessibleDescription("Drop " + source_->accessibleName() + " here");
    target->setFocus(Qt::OtherFocusReason);
}

bool ControlDrag::key(QWidget* w, QKeyEvent* event)
{
    if (!ownsInput(w))
        return false;
    const int k = event->key();
    const bool enter = k == Qt::Key_Return || k == Qt::Key_Enter;
    if (keyboard_) {
        // Every key belongs to the held source until it is dropped or put back; the Enter that
        // picked it up, held down, must not drop it at once.
        if (enter && event->isAutoRepeat())
            return true;
        if (enter) {
            const Target t = targets_.at(static_cast<std::size_t>(marked_));
            QWidget* source = source_;
            cancel();
            t.onDrop(t.widget, source);
        } else if (k == Qt::Key_Escape) {
            cancel();
        } else if (k == Qt::Key_Left || k == Qt::Key_Backtab) {
            mark(marked_ - 1);
        } else if (k == Qt::Key_Right || k == Qt::Key_Tab) {
            mark(marked_ + 1);
        } else if (k == Qt::Key_Up) {
            mark(marked_ - columns_);
        } else if (k == Qt::Key_Down) {
            mark(marked_ + columns_);
        }
        return true;
    }
    if (source_ && k == Qt::Key_Escape) {
        cancel();
        return true;
    }
    if (enter && !event->isAutoRepeat())
        for (const auto& src : sources_)
            if (src.first == w) {
                pickUp(w);
                return true;
            }
    return false;
}

void ControlDrag::follow(const QPoint& globalPos)
{
    // QCursor::pos() means nothing offscreen; only follow points inside the form.
    const QPoint p = form_->mapFromGlobal(globalPos) - hotSpot_;
    if (form_->rect().adjusted(-2000, -2000, 2000, 2000).contains(p))
        outline_->move(p);
}

QWidget* ControlDrag::targetAt(const QPoint& globalPos) const
{
    // The topmost control under the pointer decides, as a drop on a bar lying over a
    // description goes to the bar, not to the description.
    QWidget* w = form_->childAt(form_->mapFromGlobal(globalPos));
    for (; w && w != form_; w = w->parentWidget())
        for (const Target& t : targets_)
            if (t.widget == w)
                return w;
    return nullptr;
}

void ControlDrag::finish(const QPoint& globalPos)
{
    QWidget* source = source_;
    QWidget* target = targetAt(globalPos);
    cancel();
    for (const Target& t : targets_)
        if (t.widget == target) {
            t.onDrop(target, source);
            return;
        }
}

bool ControlDrag::eventFilter(QObject* watched, QEvent* event)
{
    if (!watched->isWidgetType())
        return false;
    auto* w = static_cast<QWidget*>(watched);
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress)
        return key(w, static_cast<QKeyEvent*>(event));
    const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
    if ((press || type == QEvent::MouseButtonRelease) && !ownsInput(w))
        return false;
    // A press puts back a bar held from the keyboard, then counts as it would otherwise.
    if (press && keyboard_)
        cancel();
    if (!source_) {
        if (swallowRelease_ && type == QEvent::MouseButtonRelease) {
            swallowRelease_ = false;
            return true;
        }
        if (type == QEvent::MouseButtonPress)
            for (const auto& [control, onMouseDown] : sources_)
                if (control == watched) {
                    // The control still sees its press: a left release on it is its Click.
                    onMouseDown(static_cast<QMouseEvent*>(event)->position().toPoint());
                    return false;
                }
        return false;
    }
    switch (type) {
        case QEvent::MouseMove:
            if (!keyboard_)
                follow(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
            return false;
        case QEvent::MouseButtonRelease:
            if (held_) {
                finish(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
                return false;  // the button under the pointer still sees its release
            }
            return false;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (!held_) {
                // The click that ends a drag started with the button up belongs to the drag.
                swallowRelease_ = true;
                finish(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
                return true;
            }
            return false;
        default:
            return false;
    }
}

}  // namespace bellarune
