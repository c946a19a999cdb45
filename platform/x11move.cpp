// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "x11move.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>

namespace quillop::platform {

namespace {

template <typename Reply> using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_connection_t* Connection()
{
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 != nullptr ? x11->connection() : nullptr;
}

xcb_atom_t Atom(xcb_connection_t* c, const char* name)
{
    const Owned<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

xcb_window_t Root(xcb_connection_t* c)
{
    return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
}

// The name the window manager gives itself, on the window its
// _NET_SUPPORTING_WM_CHECK names; empty without one.
QByteArray ManagerName(xcb_connection_t* c)
{
    const Owned<xcb_get_property_reply_t> check(
        xcb_get_property_reply(
            c, xcb_get_property(c, 0, Root(c), Atom(c, "_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW, 0, 1), nullptr),
        &std::free);
    if (!check || xcb_get_property_value_length(check.get()) != sizeof(xcb_window_t)) {
        return {};
    }
    const xcb_window_t manager = *static_cast<const xcb_window_t*>(xcb_get_property_value(check.get()));
    const Owned<xcb_get_property_reply_t> name(
        xcb_get_property_reply(
            c, xcb_get_property(c, 0, manager, Atom(c, "_NET_WM_NAME"), Atom(c, "UTF8_STRING"), 0, 64), nullptr),
        &std::free);
    if (!name) {
        return {};
    }
    return QByteArray(static_cast<const char*>(xcb_get_property_value(name.get())),
                      xcb_get_property_value_length(name.get()));
}

} // namespace

bool X11ManagerIgnoresProgramMoves()
{
    static const bool ignores = [] {
        xcb_connection_t* c = Connection();
        return c != nullptr && ManagerName(c) == "wlroots wm";
    }();
    return ignores;
}

bool StartX11Move(QWidget* window, QPoint pressedAt)
{
    xcb_connection_t* c = Connection();
    if (c == nullptr || window->windowHandle() == nullptr) {
        return false;
    }
    // The press's place, in the screen's own pixels.
    const QPoint at = (QPointF(pressedAt) * window->devicePixelRatioF()).toPoint();
    xcb_client_message_event_t move{};
    move.response_type = XCB_CLIENT_MESSAGE;
    move.format = 32;
    move.window = static_cast<xcb_window_t>(window->winId());
    move.type = Atom(c, "_NET_WM_MOVERESIZE");
    move.data.data32[0] = static_cast<std::uint32_t>(at.x());
    move.data.data32[1] = static_cast<std::uint32_t>(at.y());
    move.data.data32[2] = 8; // move
    move.data.data32[3] = XCB_BUTTON_INDEX_1;
    move.data.data32[4] = 1; // asked for by a program on a player's press
    // The press gave the program the pointer; the manager takes it now.
    xcb_ungrab_pointer(c, XCB_CURRENT_TIME);
    xcb_send_event(c, 0, Root(c), XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&move));
    xcb_flush(c);
    return true;
}

} // namespace quillop::platform
