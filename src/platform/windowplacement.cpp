#include "windowplacement.h"

#include <dlfcn.h>
#include <xcb/xcb.h>

#include <QtGui/qguiapplication_platform.h>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMargins>
#include <QPalette>
#include <QScreen>
#include <QThread>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "engine/gamestate.h"
#include "settingssave.h"
#include "twips.h"

namespace bellarune {

namespace {

// The xcb calls needed to ask the window manager for a frame. They are looked up in the xcb
// library Qt has already loaded when it runs on X11, so the game links no X library itself and
// runs unchanged on any other platform (where the lookup finds nothing).
struct Xcb {
    template <class F>
    static F find(const char* name)
    {
        return reinterpret_cast<F>(dlsym(RTLD_DEFAULT, name));
    }
    const decltype(&xcb_intern_atom) internAtom = find<decltype(internAtom)>("xcb_intern_atom");
    const decltype(&xcb_intern_atom_reply) internAtomReply =
        find<decltype(internAtomReply)>("xcb_intern_atom_reply");
    const decltype(&xcb_get_property) getProperty = find<decltype(getProperty)>("xcb_get_property");
    const decltype(&xcb_get_property_reply) getPropertyReply =
        find<decltype(getPropertyReply)>("xcb_get_property_reply");
    const decltype(&xcb_get_property_value) propertyValue =
        find<decltype(propertyValue)>("xcb_get_property_value");
    const decltype(&xcb_get_property_value_length) propertyLength =
        find<decltype(propertyLength)>("xcb_get_property_value_length");
    const decltype(&xcb_change_property) changeProperty =
        find<decltype(changeProperty)>("xcb_change_property");
    const decltype(&xcb_get_setup) getSetup = find<decltype(getSetup)>("xcb_get_setup");
    const decltype(&xcb_setup_roots_iterator) roots = find<decltype(roots)>("xcb_setup_roots_iterator");
    const decltype(&xcb_generate_id) generateId = find<decltype(generateId)>("xcb_generate_id");
    const decltype(&xcb_create_window) createWindow = find<decltype(createWindow)>("xcb_create_window");
    const decltype(&xcb_destroy_window) destroyWindow = find<decltype(destroyWindow)>("xcb_destroy_window");
    const decltype(&xcb_send_event) sendEvent = find<decltype(sendEvent)>("xcb_send_event");
    const decltype(&xcb_flush) flush = find<decltype(flush)>("xcb_flush");

    bool complete() const
    {
        return internAtom && internAtomReply && getProperty && getPropertyReply && propertyValue &&
               propertyLength && changeProperty && getSetup && roots && generateId && createWindow &&
               destroyWindow && sendEvent && flush;
    }
};

struct FreeReply {
    void operator()(void* p) const { std::free(p); }
};
using PropertyReply = std::unique_ptr<xcb_get_property_reply_t, FreeReply>;

xcb_atom_t atom(const Xcb& x, xcb_connection_t* c, const char* name)
{
    std::unique_ptr<xcb_intern_atom_reply_t, FreeReply> r(
        x.internAtomReply(c, x.internAtom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
    return r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
}

PropertyReply property(const Xcb& x, xcb_connection_t* c, xcb_window_t w, xcb_atom_t name, xcb_atom_t type,
                       uint32_t longs)
{
    return PropertyReply(x.getPropertyReply(c, x.getProperty(c, 0, w, name, type, 0, longs), nullptr));
}

// The frame an EWMH window manager will put around a form that is not shown yet. It is asked
// about a window of its own that is never shown, with the form's size and resizability (which
// decide, for example, whether a bottom handle is drawn): it answers _NET_REQUEST_FRAME_EXTENTS
// by setting _NET_FRAME_EXTENTS on it. The form's own window is left to Qt to create when it is
// shown. Empty without X11, without a window manager, or with one that does not offer this.
QMargins askWindowManager(const QWidget* form)
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    const Xcb x;
    if (!x11 || !x11->connection() || !x.complete())
        return {};
    xcb_connection_t* c = x11->connection();
    const xcb_window_t root = x.roots(x.getSetup(c)).data->root;
    const xcb_atom_t request = atom(x, c, "_NET_REQUEST_FRAME_EXTENTS");
    const PropertyReply supported = property(x, c, root, atom(x, c, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 4096);
    if (!supported || supported->format != 32)
        return {};
    const auto* atoms = static_cast<const xcb_atom_t*>(x.propertyValue(supported.get()));
    const auto* atomsEnd = atoms + x.propertyLength(supported.get()) / 4;
    if (std::find(atoms, atomsEnd, request) == atomsEnd)
        return {};

    const double dpr = form->devicePixelRatioF();
    const auto w = static_cast<uint16_t>(std::max(1.0, form->width() * dpr)),
               h = static_cast<uint16_t>(std::max(1.0, form->height() * dpr));
    xcb_client_message_event_t ev{};
    ev.window = x.generateId(c);
    x.createWindow(c, XCB_COPY_FROM_PARENT, ev.window, root, 0, 0, w, h, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                   XCB_COPY_FROM_PARENT, 0, nullptr);
    if (form->minimumSize() == form->maximumSize()) {
        // WM_NORMAL_HINTS with the minimum and the maximum size (flags PMinSize | PMaxSize).
        const uint32_t hints[18] = {16 | 32, 0, 0, 0, 0, w, h, w, h};
        x.changeProperty(c, XCB_PROP_MODE_REPLACE, ev.window, XCB_ATOM_WM_NORMAL_HINTS,
                         XCB_ATOM_WM_SIZE_HINTS, 32, 18, hints);
    }
    ev.response_type = XCB_CLIENT_MESSAGE;
    ev.format = 32;
    ev.type = request;
    x.sendEvent(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                reinterpret_cast<const char*>(&ev));
    x.flush(c);
    const xcb_atom_t extents = atom(x, c, "_NET_FRAME_EXTENTS");
    QMargins frame;
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 500) {
        const PropertyReply r = property(x, c, ev.window, extents, XCB_ATOM_CARDINAL, 4);
        if (r && r->format == 32 && x.propertyLength(r.get()) == 16) {
            const auto* v =
                static_cast<const uint32_t*>(x.propertyValue(r.get()));  // left, right, top, bottom
            frame = QMargins(qRound(v[0] / dpr), qRound(v[2] / dpr), qRound(v[1] / dpr), qRound(v[3] / dpr));
            break;
        }
        QThread::msleep(2);
    }
    x.destroyWindow(c, ev.window);
    x.flush(c);
    return frame;
}

// The frame around a form: the window system's once the form is on the screen, before that the
// window manager's answer, asked once per form, so a form is sized and placed by its outer
// rectangle before it is shown and never moves afterwards.
QMargins frameOf(const QWidget* constForm)
{
    if (!constForm->isWindow())
        return {};
    auto* form = const_cast<QWidget*>(constForm);
    if (form->isVisible()) {
        const QRect outer = form->frameGeometry(), inner = form->geometry();
        const QMargins shown(inner.left() - outer.left(), inner.top() - outer.top(),
                             outer.right() - inner.right(), outer.bottom() - inner.bottom());
        // Qt learns the frame a little after the window is mapped: until then it reports none, or
        // one the window manager has not finished with.
        if (!shown.isNull() && shown.left() >= 0 && shown.top() >= 0 && shown.right() >= 0 &&
            shown.bottom() >= 0)
            return shown;
    }
    const char* const kAsked = "bellaruneFrame";
    if (!form->property(kAsked).isValid())
        form->setProperty(kAsked, QVariant::fromValue(askWindowManager(form)));
    return form->property(kAsked).value<QMargins>();
}

QSize frameExtra(const QWidget* form)
{
    const QMargins m = frameOf(form);
    return {m.left() + m.right(), m.top() + m.bottom()};
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
    form->resize(std::max(1, twipsToPx(width) - extra.width()),
                 std::max(1, twipsToPx(height) - extra.height()));
}

void CenterOnScreen(QWidget* form)
{
    const QScreen* screen = form->screen() ? form->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect avail = screen->geometry();
    const QMargins m = frameOf(form);
    const QSize outer = form->size().grownBy(m);
    // Placed by its client rectangle: Qt takes a position given with move() as that of the frame
    // only while it does not know the frame, which differs before and after the window exists.
    form->setGeometry(QRect(QPoint(avail.left() + (avail.width() - outer.width()) / 2 + m.left(),
                                   avail.top() + (avail.height() - outer.height()) / 2 + m.top()),
                            form->size()));
}

void CenterControl(QWidget* control, QWidget* form)
{
    // The form's width and height are those of its outer rectangle, as in every layout rule.
    const QSize outer = form->size() + frameExtra(form);
    control->hide();
    control->move((outer.width() - control->width()) / 2, (outer.height() - control->height()) / 2);
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
        SaveSettingsOrTell(state);
    }
    state.WindowMemoryBusy = false;
}

}  // namespace bellarune
