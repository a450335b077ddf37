#include "makewidget.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include "platform/twips.h"

namespace bellarune {

void applyLook(QWidget* w, const WidgetLook& look)
{
    if (look.name)
        w->setObjectName(look.name);
    if (!look.caption.isEmpty()) {
        if (auto* label = qobject_cast<QLabel*>(w))
            label->setText(look.caption);
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            button->setText(look.caption);
        else if (auto* group = qobject_cast<QGroupBox*>(w))
            group->setTitle(look.caption);
        else if (auto* box = qobject_cast<QLineEdit*>(w))
            box->setText(look.caption);
    }
    if (auto* button = qobject_cast<QPushButton*>(w))
        button->setAutoDefault(false);
    if (!look.tip.isEmpty())
        w->setToolTip(look.tip);
    if (!look.accessible.isEmpty())
        w->setAccessibleName(look.accessible);
    if (look.twips)
        setGeometryTwips(w, look.twips->x(), look.twips->y(), look.twips->width(), look.twips->height());
    if (look.font)
        w->setFont(*look.font);
    if (look.back)
        setBackground(w, *look.back);
    if (look.fore)
        setForeground(w, *look.fore);
}

QPushButton* makeColourBar(QWidget* parent, int i, const QRect& twips, const QString& tip,
                           const QColor& colour)
{
    const QByteArray name = QString("Btn1%1").arg(i).toLatin1();
    auto* bar = makeWidget<QPushButton>(parent, {.name = name.constData(),
                                                 .tip = tip,
                                                 .twips = twips,
                                                 .font = designFont("MS Sans Serif", 13.5, true),
                                                 .back = colour});
    bar->setStyleSheet(
        QString("QPushButton { background-color: %1; color: black; border: 1px solid #404040; }")
            .arg(colour.name()));
    return bar;
}

}  // namespace bellarune
