// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A mouse for the end-to-end tests on a headless wlroots compositor (sway),
// which has none of its own: reads commands, one a line, from standard input
// and plays them through the compositor's virtual pointer, so every window,
// Wayland's or XWayland's, gets them as from a real mouse.
//   move X Y     the pointer to X, Y on the output (WIDTH x HEIGHT, the arguments)
//   press        the left button down
//   release      the left button up
//   sleep MS     a pause
//   sync         answers "done" on standard output once all before it is played
// One mouse plays a whole test, as a player's stays plugged in.
// Usage: wlpointer WIDTH HEIGHT < commands
#include "virtual-pointer-client.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <wayland-client.h>

static struct zwlr_virtual_pointer_manager_v1* manager;
static struct wl_seat* seat;

static void global(void* data, struct wl_registry* registry, uint32_t name, const char* interface, uint32_t version)
{
    (void)data;
    (void)version;
    if (strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0) {
        manager = wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1);
    } else if (strcmp(interface, wl_seat_interface.name) == 0 && seat == NULL) {
        seat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
    }
}

static void global_remove(void* data, struct wl_registry* registry, uint32_t name)
{
    (void)data;
    (void)registry;
    (void)name;
}

static const struct wl_registry_listener listener = {global, global_remove};

static uint32_t now_ms(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (uint32_t)(t.tv_sec * 1000 + t.tv_nsec / 1000000);
}

int main(int argc, char** argv)
{
    if (argc != 3) {
        fputs("usage: wlpointer WIDTH HEIGHT < commands\n", stderr);
        return 64;
    }
    const uint32_t width = (uint32_t)atoi(argv[1]);
    const uint32_t height = (uint32_t)atoi(argv[2]);
    struct wl_display* display = wl_display_connect(NULL);
    if (display == NULL) {
        fputs("wlpointer: no Wayland display\n", stderr);
        return 1;
    }
    struct wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, NULL);
    wl_display_roundtrip(display);
    if (manager == NULL) {
        fputs("wlpointer: the compositor offers no virtual pointer\n", stderr);
        return 1;
    }
    struct zwlr_virtual_pointer_v1* pointer = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, seat);
    wl_display_roundtrip(display);

    char line[128];
    while (fgets(line, sizeof line, stdin) != NULL) {
        unsigned x = 0, y = 0, ms = 0;
        if (sscanf(line, "move %u %u", &x, &y) == 2) {
            zwlr_virtual_pointer_v1_motion_absolute(pointer, now_ms(), x, y, width, height);
        } else if (strncmp(line, "press", 5) == 0 || strncmp(line, "release", 7) == 0) {
            zwlr_virtual_pointer_v1_button(pointer, now_ms(), 0x110 /* BTN_LEFT */, line[0] == 'p' ? 1 : 0);
        } else if (strncmp(line, "sync", 4) == 0) {
            wl_display_roundtrip(display);
            fputs("done\n", stdout);
            fflush(stdout);
            continue;
        } else if (sscanf(line, "sleep %u", &ms) == 1) {
            wl_display_flush(display);
            struct timespec pause = {(time_t)(ms / 1000), (long)(ms % 1000) * 1000000L};
            nanosleep(&pause, NULL);
            continue;
        } else {
            continue;
        }
        zwlr_virtual_pointer_v1_frame(pointer);
        wl_display_roundtrip(display);
    }
    zwlr_virtual_pointer_v1_destroy(pointer);
    zwlr_virtual_pointer_manager_v1_destroy(manager);
    if (seat != NULL) {
        wl_seat_destroy(seat);
    }
    wl_registry_destroy(registry);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}
