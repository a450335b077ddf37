#include "controldrag.h"

#include <QApplication>
#include <QFrame>
#include <QMouseEvent>
#include <QWidget>

namespace bellarune {

ControlDrag::ControlDrag(QWidget* form) : QObject(form), form_(form)
{
    outline_ = new QFrame(form);
    outline_->setObjectName("dragOutline");
    outline_->setFrameStyle(QFrame::Box | QFrame::Plain);
    outline_->setLineWidth(2);
    outline_->setAttribute(Qt::WA_TransparentForMouseEvents);
    outline_->hide();
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
    source_ = nullptr;
    outline_->hide();
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
    if (!source_) {
        if (swallowRelease_ && event->type() == QEvent::MouseButtonRelease) {
            swallowRelease_ = false;
            return true;
        }
        if (event->type() == QEvent::MouseButtonPress)
            for (const auto& [control, onMouseDown] : sources_)
                if (control == watched) {
                    // The control still sees its press: a left release on it is its Click.
                    onMouseDown(static_cast<QMouseEvent*>(event)->position().toPoint());
                    return false;
                }
        return QObject::eventFilter(watched, event);
    }
    if (!watched->isWidgetType())
        return false;
    switch (event->type()) {
        case QEvent::MouseMove:
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
