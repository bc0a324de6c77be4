#include "x11_window.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <iterator>

#include <fstream>
#include <thread>
#include <unistd.h>

X11Session::X11Session() : display(XOpenDisplay(nullptr)) {}

X11Session::~X11Session()
{
    if (display)
        XCloseDisplay(display);
}

// The process that made the window, as it announces itself in _NET_WM_PID.
int X11Session::OwnerOf(unsigned long window)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    const Atom property = XInternAtom(display, "_NET_WM_PID", False);
    int pid = 0;
    if (XGetWindowProperty(display, window, property, 0, 1, False, XA_CARDINAL, &type, &format, &count,
                           &remaining, &data) == Success &&
        data) {
        if (count == 1 && format == 32)
            pid = static_cast<int>(*reinterpret_cast<unsigned long*>(data));
        XFree(data);
    }
    return pid;
}

unsigned long X11Session::FindMapped(unsigned long parent, const OwnerTest& owner,
                                     const std::string& prefix)
{
    Window root = 0, up = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, parent, &root, &up, &children, &count))
        return 0;
    unsigned long found = 0;
    for (unsigned i = 0; i < count && !found; ++i) {
        char* name = nullptr;
        XWindowAttributes attributes;
        if (XFetchName(display, children[i], &name) && name) {
            const bool titled = std::string(name).rfind(prefix, 0) == 0;
            XFree(name);
            if (titled && owner(OwnerOf(children[i])) && XGetWindowAttributes(display, children[i], &attributes) &&
                attributes.map_state == IsViewable)
                found = children[i];
        }
        if (!found)
            found = FindMapped(children[i], owner, prefix);
    }
    if (children)
        XFree(children);
    return found;
}

unsigned long X11Session::WaitForWindow(int pid, const std::string& prefix,
                                        std::chrono::milliseconds timeout)
{
    return WaitForWindow([pid](int owner) { return owner == pid; }, prefix, timeout);
}

unsigned long X11Session::WaitForWindow(const OwnerTest& owner, const std::string& prefix,
                                        std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (unsigned long window = FindMapped(DefaultRootWindow(display), owner, prefix))
            return window;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return 0;
}

void X11Session::RequestClose(unsigned long window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

bool StartedByThisProcess(int pid)
{
    // /proc/PID/stat: "pid (name) state ppid ..."; the name may hold spaces.
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const std::size_t close = text.rfind(')');
    if (close == std::string::npos)
        return false;
    char state = 0;
    int parent = 0;
    return std::sscanf(text.c_str() + close + 1, " %c %d", &state, &parent) == 2 && parent == getpid();
}
