#include "app/frame_extents.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QThread>
#include <QWidget>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

// Under X11 the window manager draws the frame, and only tells its size once the window
// is mapped, too late to place the window without a jump. A window manager that supports
// _NET_REQUEST_FRAME_EXTENTS answers an unmapped window too: it writes _NET_FRAME_EXTENTS
// (left, right, top, bottom) onto it.
namespace frame_extents {
namespace {
// Long enough for a busy window manager, short enough that one which ignores the request
// does not hold up the window noticeably.
constexpr int WaitMs = 250;

template <class T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    Reply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

bool supported(xcb_connection_t* c, xcb_window_t root, xcb_atom_t wanted) {
    const xcb_atom_t list = atom(c, "_NET_SUPPORTED");
    Reply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(c, xcb_get_property(c, 0, root, list, XCB_ATOM_ATOM, 0, 4096), nullptr),
        &std::free);
    if (!reply || reply->format != 32)
        return false;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    for (int i = 0; i < count; ++i)
        if (atoms[i] == wanted)
            return true;
    return false;
}

bool read(xcb_connection_t* c, xcb_window_t window, xcb_atom_t extents, QMargins& out) {
    Reply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, extents, XCB_ATOM_CARDINAL, 0, 4),
                               nullptr),
        &std::free);
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 16)
        return false;
    const auto* v = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    out = QMargins(int(v[0]), int(v[2]), int(v[1]), int(v[3]));
    return true;
}
} // namespace

QMargins expected(QWidget& window) {
    window.winId();
    QWindow* handle = window.windowHandle();
    if (!handle)
        return {};
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return handle->frameMargins(); // another platform plugin: it knows what it knows
    xcb_connection_t* c = x11->connection();
    const auto id = xcb_window_t(handle->winId());
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const xcb_atom_t extents = atom(c, "_NET_FRAME_EXTENTS");
    QMargins margins;
    if (read(c, id, extents, margins))
        return margins;
    const xcb_atom_t request = atom(c, "_NET_REQUEST_FRAME_EXTENTS");
    if (!supported(c, root, request))
        return {};

    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = id;
    event.type = request;
    xcb_send_event(c, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(c);
    QElapsedTimer waited;
    waited.start();
    while (!read(c, id, extents, margins)) {
        if (waited.elapsed() >= WaitMs)
            return {};
        QThread::msleep(1);
    }
    return margins;
}
} // namespace frame_extents
