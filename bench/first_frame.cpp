// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Times a program from outside, as a player sees it: from the moment it is
// started to the first pixel it puts on the screen. It waits for the
// program's window to be mapped, then reads that window's part of the screen
// through shared memory about every half millisecond until anything in it is
// not black. Reading only the window keeps the X server, which the program
// under test needs too, nearly idle.
//
//   quillop_first_frame program [arguments...]
//
// Prints the milliseconds, then ends the program.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <set>

namespace {

using Clock = std::chrono::steady_clock;

std::set<Window> mappedWindows(Display* display)
{
    std::set<Window> mapped;
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0)
        return mapped;
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, children[i], &attributes) && attributes.map_state == IsViewable
            && attributes.width > 1 && attributes.height > 1)
            mapped.insert(children[i]);
    }
    XFree(children);
    return mapped;
}

// One window's part of the screen, read through shared memory.
class WindowReader {
public:
    WindowReader(Display* display, Window window) : m_display(display)
    {
        XWindowAttributes attributes;
        XGetWindowAttributes(display, window, &attributes);
        Window child = 0;
        XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &m_x, &m_y, &child);
        const int screen = DefaultScreen(display);
        m_image = XShmCreateImage(display, DefaultVisual(display, screen),
                                  static_cast<unsigned>(DefaultDepth(display, screen)), ZPixmap, nullptr, &m_segment,
                                  static_cast<unsigned>(attributes.width), static_cast<unsigned>(attributes.height));
        if (m_image == nullptr || m_image->bits_per_pixel != 32)
            return;
        m_segment.shmid =
            shmget(IPC_PRIVATE, static_cast<size_t>(m_image->bytes_per_line * m_image->height), IPC_CREAT | 0600);
        if (m_segment.shmid < 0)
            return;
        m_segment.shmaddr = m_image->data = static_cast<char*>(shmat(m_segment.shmid, nullptr, 0));
        shmctl(m_segment.shmid, IPC_RMID, nullptr); // gone with the last detach
        m_segment.readOnly = False;
        m_ready = m_segment.shmaddr != reinterpret_cast<char*>(-1) && XShmAttach(display, &m_segment);
    }

    bool ready() const { return m_ready; }

    // True when anything in the window's part of the screen is not black.
    bool lit()
    {
        if (!XShmGetImage(m_display, DefaultRootWindow(m_display), m_image, m_x, m_y, AllPlanes))
            return false;
        const auto* bytes = reinterpret_cast<const unsigned char*>(m_image->data);
        const size_t size = static_cast<size_t>(m_image->bytes_per_line * m_image->height);
        for (size_t i = 0; i < size; i += 4) {
            // 32-bit pixels: the three colour bytes, never the padding byte.
            if ((bytes[i] | bytes[i + 1] | bytes[i + 2]) != 0)
                return true;
        }
        return false;
    }

private:
    Display* m_display;
    XImage* m_image = nullptr;
    XShmSegmentInfo m_segment{};
    int m_x = 0;
    int m_y = 0;
    bool m_ready = false;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s program [arguments...]\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr || !XShmQueryExtension(display)) {
        std::fprintf(stderr, "first_frame: needs an X server with MIT-SHM\n");
        return 2;
    }
    const std::set<Window> before = mappedWindows(display);

    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        std::_Exit(127);
    }
    if (child < 0)
        return 2;

    int status = 0;
    int result = 1;
    WindowReader* reader = nullptr;
    while (true) {
        if (reader == nullptr) {
            for (const Window window : mappedWindows(display)) {
                if (before.count(window) == 0) {
                    reader = new WindowReader(display, window);
                    break;
                }
            }
            if (reader != nullptr && !reader->ready()) {
                std::fprintf(stderr, "first_frame: cannot read the screen through shared memory\n");
                break;
            }
        }
        if (reader != nullptr && reader->lit()) {
            const std::chrono::duration<double, std::milli> elapsed = Clock::now() - start;
            std::printf("%.1f\n", elapsed.count());
            result = 0;
            break;
        }
        if (waitpid(child, &status, WNOHANG) == child) {
            std::fprintf(stderr, "first_frame: %s ended before drawing\n", argv[1]);
            return 1;
        }
        if (Clock::now() - start > std::chrono::seconds(15)) {
            std::fprintf(stderr, "first_frame: %s drew nothing in 15 s\n", argv[1]);
            break;
        }
        usleep(500);
    }
    kill(child, SIGTERM);
    waitpid(child, &status, 0);
    return result;
}
