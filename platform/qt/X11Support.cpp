#include "platform/qt/X11Support.h"

#include <QGuiApplication>
#include <QPoint>
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

xcb_window_t Root(xcb_connection_t* c)
{
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    return screen ? screen->root : xcb_window_t(XCB_WINDOW_NONE);
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
    const xcb_window_t root = Root(c);
    if (root == XCB_WINDOW_NONE)
        return std::nullopt;
    auto cookie = xcb_query_pointer(c, root);
    xcb_query_pointer_reply_t* reply = xcb_query_pointer_reply(c, cookie, nullptr);
    if (!reply)
        return std::nullopt;
    const std::uint16_t buttons = XCB_BUTTON_MASK_1 | XCB_BUTTON_MASK_2 | XCB_BUTTON_MASK_3 |
                                  XCB_BUTTON_MASK_4 | XCB_BUTTON_MASK_5;
    const bool down = (reply->mask & buttons) != 0;
    std::free(reply);
    return down;
}

std::optional<bool> WindowManagerRunning()
{
    xcb_connection_t* c = Connection();
    if (!c)
        return std::nullopt;
    auto cookie =
        xcb_get_property(c, 0, Root(c), Atom(c, "_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW, 0, 1);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(c, cookie, nullptr);
    if (!reply)
        return false;
    xcb_window_t check = XCB_WINDOW_NONE;
    if (reply->format == 32 && xcb_get_property_value_length(reply) == 4)
        check = *static_cast<xcb_window_t*>(xcb_get_property_value(reply));
    std::free(reply);
    if (check == XCB_WINDOW_NONE)
        return false;
    // The check window goes with the window manager's connection.
    xcb_get_window_attributes_reply_t* attributes =
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, check), nullptr);
    const bool alive = attributes != nullptr;
    std::free(attributes);
    return alive;
}

std::optional<QPoint> ScreenPosition(QWidget& window)
{
    xcb_connection_t* c = Connection();
    if (!c || !window.testAttribute(Qt::WA_WState_Created))
        return std::nullopt;
    auto cookie = xcb_translate_coordinates(c, xcb_window_t(window.winId()), Root(c), 0, 0);
    xcb_translate_coordinates_reply_t* reply = xcb_translate_coordinates_reply(c, cookie, nullptr);
    if (!reply)
        return std::nullopt;
    const QPoint position(reply->dst_x, reply->dst_y);
    std::free(reply);
    return position;
}

void CancelSystemMove(QWidget& window)
{
    xcb_connection_t* c = Connection();
    if (!c || !window.testAttribute(Qt::WA_WState_Created))
        return;
    constexpr std::uint32_t MoveResizeCancel = 11;
    constexpr std::uint32_t FromApplication = 1;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = xcb_window_t(window.winId());
    message.type = Atom(c, "_NET_WM_MOVERESIZE");
    message.data.data32[2] = MoveResizeCancel;
    message.data.data32[3] = XCB_BUTTON_INDEX_1;
    message.data.data32[4] = FromApplication;
    xcb_send_event(c, 0, Root(c),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(c);
}

} // namespace platform::qt::x11
