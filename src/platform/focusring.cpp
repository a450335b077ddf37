#include "focusring.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>

namespace bellarune {

DashedFrame::DashedFrame(QWidget* parent, int thickness) : QWidget(parent), thickness_(thickness)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void DashedFrame::surround(QWidget* target)
{
    const QPoint at = target->mapTo(parentWidget(), QPoint(0, 0));
    setGeometry(QRect(at, target->size()).adjusted(-thickness_, -thickness_, thickness_, thickness_));
    raise();
    show();
}

void paintDashedOutline(QPainter& p, const QRect& r, int thickness)
{
    const double half = thickness / 2.0;
    const QRectF line = QRectF(r).adjusted(half, half, -half, -half);
    QPen pen(Qt::black, thickness, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    p.setPen(pen);
    p.drawRect(line);
    // White dashes over the black line: one of the two colours contrasts with any background.
    pen.setColor(Qt::white);
    pen.setDashPattern({2, 2});
    p.setPen(pen);
    p.drawRect(line);
}

void DashedFrame::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    paintDashedOutline(p, rect(), thickness_);
}

FocusRing::FocusRing()
{
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { follow(now); });
}

FocusRing::~FocusRing()
{
    delete ring_;
}

void FocusRing::follow(QWidget* now)
{
    if (focused_)
        focused_->removeEventFilter(this);
    focused_ = now;
    QWidget* parent = now && !now->isWindow() ? now->parentWidget() : nullptr;
    if (!parent) {
        if (ring_)
            ring_->hide();
        return;
    }
    if (!ring_)
        ring_ = new DashedFrame(parent, 2);
    else if (ring_->parentWidget() != parent)
        ring_->setParent(parent);
    now->installEventFilter(this);
    if (now->isVisible())
        ring_->surround(now);
    else
        ring_->hide();
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event)
{
    // The ring follows its control as it moves, resizes, hides or comes to the front.
    if (watched == focused_ && ring_) {
        const auto t = event->type();
        if (t == QEvent::Move || t == QEvent::Resize || t == QEvent::Show || t == QEvent::ZOrderChange)
            ring_->surround(focused_);
        else if (t == QEvent::Hide)
            ring_->hide();
    }
    return false;
}

}  // namespace bellarune
