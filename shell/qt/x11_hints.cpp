#include "shell/qt/x11_hints.h"

#include <QGuiApplication>
#include <QWidget>
#include <chrono>
#include <cstring>
#include <thread>
#include <xcb/xcb.h>

namespace shell::qt {

namespace {

xcb_atom_t internAtom(xcb_connection_t* connection, const char* name) {
    auto cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    if (!reply)
        return XCB_ATOM_NONE;
    const xcb_atom_t atom = reply->atom;
    std::free(reply);
    return atom;
}

// The X connection, or null off X11.
xcb_connection_t* x11Connection() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

} // namespace

void markSkipTaskbar(QWidget* window) {
    xcb_connection_t* connection = x11Connection();
    if (!connection)
        return;
    const xcb_atom_t state = internAtom(connection, "_NET_WM_STATE");
    const xcb_atom_t skipTaskbar = internAtom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
    if (state == XCB_ATOM_NONE || skipTaskbar == XCB_ATOM_NONE)
        return;
    // Qt merges its own states with what the property already holds when it
    // maps the window, so this survives show().
    const auto id = static_cast<xcb_window_t>(window->winId());
    xcb_change_property(connection, XCB_PROP_MODE_APPEND, id, state, XCB_ATOM_ATOM, 32, 1,
                        &skipTaskbar);
    xcb_flush(connection);
}

namespace {

// A manager that did not answer once will not answer later either.
bool gManagerAnswers = true;

} // namespace

bool requestFrameExtents(QWidget* window) {
    xcb_connection_t* connection = x11Connection();
    if (!gManagerAnswers || !connection)
        return false;
    const xcb_atom_t request = internAtom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (request == XCB_ATOM_NONE || !screen)
        return false;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = static_cast<xcb_window_t>(window->winId());
    message.type = request;
    xcb_send_event(connection, 0, screen->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
    return true;
}

std::optional<QMargins> frameExtentsBeforeMapping(QWidget* window, bool requested) {
    if (!requested && !requestFrameExtents(window))
        return std::nullopt;
    xcb_connection_t* connection = x11Connection();
    if (!connection)
        return std::nullopt;
    const xcb_atom_t extents = internAtom(connection, "_NET_FRAME_EXTENTS");
    if (extents == XCB_ATOM_NONE)
        return std::nullopt;
    const auto id = static_cast<xcb_window_t>(window->winId());

    using namespace std::chrono_literals;
    const auto deadline = std::chrono::steady_clock::now() + 250ms;
    while (std::chrono::steady_clock::now() < deadline) {
        auto cookie = xcb_get_property(connection, 0, id, extents, XCB_ATOM_CARDINAL, 0, 4);
        xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
        if (reply && xcb_get_property_value_length(reply) == 16) {
            const auto* v = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
            // left, right, top, bottom
            const QMargins margins{static_cast<int>(v[0]), static_cast<int>(v[2]),
                                   static_cast<int>(v[1]), static_cast<int>(v[3])};
            std::free(reply);
            return margins;
        }
        std::free(reply);
        std::this_thread::sleep_for(1ms);
    }
    gManagerAnswers = false;
    return std::nullopt;
}

} // namespace shell::qt
