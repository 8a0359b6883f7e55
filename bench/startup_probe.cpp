// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up probe: runs a program and measures the time until its window, found by title, shows at
// least a given number of dark (text) pixels. Prints the dark pixel count it settles at with
// --settle, the elapsed milliseconds otherwise.
//   startup_probe <title> <min dark pixels> <program> [arguments...]
//   startup_probe --settle <title> <program> [arguments...]
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

namespace
{
using Clock = std::chrono::steady_clock;

std::string WindowTitle(Display* display, Window window)
{
    static const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    static const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &count,
                           &after, &data) == Success &&
        data)
        title.assign(reinterpret_cast<char*>(data), count);
    if (data)
        XFree(data);
    if (title.empty())
    {
        char* name = nullptr;
        if (XFetchName(display, window, &name) && name)
        {
            title = name;
            XFree(name);
        }
    }
    return title;
}

/// The first mapped window below root whose title is `title`; 0 when there is none yet.
Window FindWindow(Display* display, Window parent, const std::string& title)
{
    Window root, up, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, parent, &root, &up, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i)
    {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, children[i], &attributes) &&
            attributes.map_state == IsViewable && WindowTitle(display, children[i]) == title)
            found = children[i];
        else
            found = FindWindow(display, children[i], title);
    }
    if (children)
        XFree(children);
    return found;
}

/// Pixels darker than mid-grey in the window: the text it shows.
long DarkPixels(Display* display, Window window)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes))
        return -1;
    XImage* image =
        XGetImage(display, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
    if (!image)
        return -1;
    long dark = 0;
    for (int y = 0; y < image->height; ++y)
        for (int x = 0; x < image->width; ++x)
        {
            const unsigned long pixel = XGetPixel(image, x, y);
            const unsigned r = (pixel >> 16) & 0xff, g = (pixel >> 8) & 0xff, b = pixel & 0xff;
            if (r + g + b < 3 * 100)
                ++dark;
        }
    XDestroyImage(image);
    return dark;
}

int IgnoreXErrors(Display*, XErrorEvent*)
{
    return 0; // Windows come and go while they are walked.
}
} // namespace

int main(int argc, char** argv)
{
    const bool settle = argc > 1 && std::strcmp(argv[1], "--settle") == 0;
    const int first = 3;
    if (argc <= first)
    {
        std::fprintf(stderr, "usage: startup_probe <title> <min dark pixels> <program> [args]\n"
                             "       startup_probe --settle <title> <program> [args]\n");
        return 2;
    }
    const std::string title = argv[settle ? 2 : 1];
    const long minDark = settle ? 0 : std::atol(argv[2]);
    Display* display = XOpenDisplay(nullptr);
    if (!display)
    {
        std::fprintf(stderr, "no display\n");
        return 1;
    }
    XSetErrorHandler(IgnoreXErrors);

    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0)
    {
        execv(argv[first], argv + first);
        _exit(127);
    }

    int result = 1;
    long dark = -1;
    Window window = 0;
    while (Clock::now() - start < std::chrono::seconds(60))
    {
        if (!window)
            window = FindWindow(display, DefaultRootWindow(display), title);
        if (window)
        {
            dark = DarkPixels(display, window);
            if (!settle && dark >= minDark)
            {
                const double ms =
                    std::chrono::duration<double, std::milli>(Clock::now() - start).count();
                std::printf("%.0f\n", ms);
                result = 0;
                break;
            }
        }
        if (settle && window && Clock::now() - start > std::chrono::seconds(8))
        {
            std::printf("%ld\n", dark);
            result = 0;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (result != 0)
        std::fprintf(stderr, "window \"%s\" not ready within 60 s (dark pixels %ld)\n",
                     title.c_str(), dark);
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    return result;
}
