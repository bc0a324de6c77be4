#pragma once
// Just enough X11 to find a program's top-level window by its title and to
// ask it to close the way a window manager's close box does.

#include <chrono>
#include <string>

struct _XDisplay;

class X11Session {
public:
    X11Session();
    ~X11Session();
    X11Session(const X11Session&) = delete;
    X11Session& operator=(const X11Session&) = delete;

    bool Connected() const { return display != nullptr; }
    // The first mapped window of process `pid` (any process for 0) whose title starts with
    // `prefix`, waiting up to `timeout`; 0 when none appears.
    unsigned long WaitForWindow(int pid, const std::string& prefix, std::chrono::milliseconds timeout);
    // Sends WM_DELETE_WINDOW, as a close box does.
    void RequestClose(unsigned long window);

private:
    unsigned long FindMapped(unsigned long parent, int pid, const std::string& prefix);
    int OwnerOf(unsigned long window);
    _XDisplay* display = nullptr;
};
