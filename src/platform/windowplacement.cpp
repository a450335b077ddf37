#include "windowplacement.h"

#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QWidget>

#include "engine/gamestate.h"
#include "twips.h"

namespace bellarune {

namespace {
QSize frameExtra(const QWidget* form)
{
    if (!form->isWindow())
        return {0, 0};
    QSize extra = form->frameGeometry().size() - form->size();
    return extra.isValid() ? extra : QSize(0, 0);
}
}  // namespace

int outerWidthTwips(const QWidget* form)
{
    return pxToTwips(form->width() + frameExtra(form).width());
}

int outerHeightTwips(const QWidget* form)
{
    return pxToTwips(form->height() + frameExtra(form).height());
}

void setOuterSizeTwips(QWidget* form, int width, int height)
{
    const QSize extra = frameExtra(form);
    form->resize(std::max(1, twipsToPx(width) - extra.width()), std::max(1, twipsToPx(height) - extra.height()));
}

void CenterOnScreen(QWidget* form)
{
    const QScreen* screen = form->screen() ? form->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect avail = screen->geometry();
    const QSize outer = form->frameGeometry().size().expandedTo(form->size());
    form->move(avail.left() + (avail.width() - outer.width()) / 2, avail.top() + (avail.height() - outer.height()) / 2);
}

void CenterControl(QWidget* control, QWidget* form)
{
    control->hide();
    control->move((form->width() - control->width()) / 2, (form->height() - control->height()) / 2);
    control->show();
}

void RememberWindow(GameState& state, QWidget* form, int slot, int mode)
{
    if (state.WindowMemoryBusy || slot == SlotScore || slot < 0 || slot >= kWindowSlots)
        return;
    state.WindowMemoryBusy = true;
    WindowMemoryRecord& rec = state.settings.WindowMemory[static_cast<std::size_t>(slot)];
    if (mode == 1) {
        // A remembered minimised state would open a modal question out of sight: restore it as normal.
        if (rec.WindowState == 2)
            form->setWindowState(Qt::WindowMaximized);
        else
            form->setWindowState(Qt::WindowNoState);
        if (rec.Width > 0 && rec.Height > 0 && rec.WindowState != 2)
            setOuterSizeTwips(form, rec.Width, rec.Height);
    } else {
        const Qt::WindowStates st = form->windowState();
        rec.WindowState = st.testFlag(Qt::WindowMinimized) ? 1 : st.testFlag(Qt::WindowMaximized) ? 2 : 0;
        const QColor c = form->palette().color(QPalette::Window);
        rec.BackColor = c.red() + c.green() * 256 + c.blue() * 65536;
        rec.Width = static_cast<int16_t>(std::clamp(outerWidthTwips(form), 0, 32767));
        rec.Height = static_cast<int16_t>(std::clamp(outerHeightTwips(form), 0, 32767));
        SaveSettings(state);
    }
    state.WindowMemoryBusy = false;
}

}  // namespace bellarune
