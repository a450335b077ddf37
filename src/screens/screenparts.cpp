#include "screenparts.h"

#include <QPushButton>

#include "platform/twips.h"

namespace bellarune {

QPushButton* makeScreenButton(QWidget* parent, const char* name, const char* caption, const QColor& face,
                              const QFont& font)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setFont(font);
    b->setAutoDefault(false);
    setBackground(b, face);
    return b;
}

}  // namespace bellarune
