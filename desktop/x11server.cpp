// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "x11server.h"

#include <QGuiApplication>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>

namespace quillop::desktop::x11 {

namespace {

template <typename Reply> using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply> Owned<Reply> own(Reply* reply)
{
    return Owned<Reply>(reply, &std::free);
}

xcb_connection_t* connection()
{
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 != nullptr ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    const auto reply = own(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

xcb_window_t root(xcb_connection_t* c)
{
    return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
}

} // namespace

QByteArray managerName()
{
    xcb_connection_t* c = connection();
    if (c == nullptr) {
        return {};
    }
    const auto check = own(xcb_get_property_reply(
        c, xcb_get_property(c, 0, root(c), atom(c, "_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW, 0, 1), nullptr));
    if (!check || xcb_get_property_value_length(check.get()) != sizeof(xcb_window_t)) {
        return {};
    }
    const xcb_window_t manager = *static_cast<const xcb_window_t*>(xcb_get_property_value(check.get()));
    const auto name = own(xcb_get_property_reply(
        c, xcb_get_property(c, 0, manager, atom(c, "_NET_WM_NAME"), atom(c, "UTF8_STRING"), 0, 64), nullptr));
    if (!name) {
        return {};
    }
    return QByteArray(static_cast<const char*>(xcb_get_property_value(name.get())),
                      xcb_get_property_value_length(name.get()));
}

std::optional<QPoint> whereIs(std::uint32_t window)
{
    xcb_connection_t* c = connection();
    if (c == nullptr) {
        return std::nullopt;
    }
    const auto at =
        own(xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, window, root(c), 0, 0), nullptr));
    if (!at) {
        return std::nullopt;
    }
    return QPoint(at->dst_x, at->dst_y);
}

void moveTo(std::uint32_t window, QPoint corner)
{
    xcb_connection_t* c = connection();
    if (c == nullptr) {
        return;
    }
    const std::uint32_t place[] = {static_cast<std::uint32_t>(corner.x()), static_cast<std::uint32_t>(corner.y())};
    xcb_configure_window(c, window, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, place);
    xcb_flush(c);
}

void activateForThePlayer(std::uint32_t window)
{
    xcb_connection_t* c = connection();
    if (c == nullptr) {
        return;
    }
    xcb_client_message_event_t activate{};
    activate.response_type = XCB_CLIENT_MESSAGE;
    activate.format = 32;
    activate.window = window;
    activate.type = atom(c, "_NET_ACTIVE_WINDOW");
    activate.data.data32[0] = 2; // a pager's request, on the player's behalf
    activate.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(c, 0, root(c), XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&activate));
    xcb_flush(c);
}

bool startManagerMove(std::uint32_t window, QPoint pressedAt)
{
    xcb_connection_t* c = connection();
    if (c == nullptr) {
        return false;
    }
    xcb_client_message_event_t move{};
    move.response_type = XCB_CLIENT_MESSAGE;
    move.format = 32;
    move.window = window;
    move.type = atom(c, "_NET_WM_MOVERESIZE");
    move.data.data32[0] = static_cast<std::uint32_t>(pressedAt.x());
    move.data.data32[1] = static_cast<std::uint32_t>(pressedAt.y());
    move.data.data32[2] = 8; // move
    move.data.data32[3] = XCB_BUTTON_INDEX_1;
    move.data.data32[4] = 1; // asked for by a program on a player's press
    // The press gave the program the pointer; the manager takes it now.
    xcb_ungrab_pointer(c, XCB_CURRENT_TIME);
    xcb_send_event(c, 0, root(c), XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&move));
    xcb_flush(c);
    return true;
}

} // namespace quillop::desktop::x11
