#include "platform/qt/X11Support.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace platform::qt::x11
{

namespace
{

xcb_connection_t* Connection()
{
    auto* app = qGuiApp;
    if (!app)
        return nullptr;
    auto* native = app->nativeInterface<QNativeInterface::QX11Application>();
    return native ? native->connection() : nullptr;
}

xcb_atom_t Atom(xcb_connection_t* c, const char* name)
{
    auto cookie = xcb_intern_atom(c, 0, std::uint16_t(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookie, nullptr);
    if (!reply)
        return XCB_ATOM_NONE;
    const xcb_atom_t atom = reply->atom;
    std::free(reply);
    return atom;
}

} // namespace

bool Active()
{
    return Connection() != nullptr;
}

void Flush()
{
    if (auto* c = Connection())
        xcb_flush(c);
}

void SetUnmappedStates(QWidget& window, bool above, bool skipTaskbar)
{
    xcb_connection_t* c = Connection();
    if (!c)
        return;
    const auto id = xcb_window_t(window.winId());
    std::vector<xcb_atom_t> states;
    if (above)
        states.push_back(Atom(c, "_NET_WM_STATE_ABOVE"));
    if (skipTaskbar) {
        states.push_back(Atom(c, "_NET_WM_STATE_SKIP_TASKBAR"));
        states.push_back(Atom(c, "_NET_WM_STATE_SKIP_PAGER"));
    }
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, Atom(c, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32,
                        std::uint32_t(states.size()), states.data());
    xcb_flush(c);
}

std::optional<bool> AnyButtonDown()
{
    xcb_connection_t* c = Connection();
    if (!c)
        return std::nullopt;
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    if (!screen)
        return std::nullopt;
    auto cookie = xcb_query_pointer(c, screen->root);
    xcb_query_pointer_reply_t* reply = xcb_query_pointer_reply(c, cookie, nullptr);
    if (!reply)
        return std::nullopt;
    const std::uint16_t buttons = XCB_BUTTON_MASK_1 | XCB_BUTTON_MASK_2 | XCB_BUTTON_MASK_3 |
                                  XCB_BUTTON_MASK_4 | XCB_BUTTON_MASK_5;
    const bool down = (reply->mask & buttons) != 0;
    std::free(reply);
    return down;
}

} // namespace platform::qt::x11
