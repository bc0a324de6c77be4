#pragma once
// Just enough X11 to find a program's top-level window by its title and to
// ask it to close the way a window manager's close box does.

#include <chrono>
#include <functional>
#include <string>

struct _XDisplay;

// Whether process `pid` was started by this one (a terminal it opened, say).
bool StartedByThisProcess(int pid);

class X11Session {
public:
    X11Session();
    ~X11Session();
    X11Session(const X11Session&) = delete;
    X11Session& operator=(const X11Session&) = delete;

    bool Connected() const { return display != nullptr; }
    // The first mapped window whose title starts with `prefix` and whose
    // process passes `owner`, waiting up to `timeout`; 0 when none appears.
    using OwnerTest = std::function<bool(int pid)>;
    unsigned long WaitForWindow(const OwnerTest& owner, const std::string& prefix,
                                std::chrono::milliseconds timeout);
    // The same for the windows of process `pid`.
    unsigned long WaitForWindow(int pid, const std::string& prefix, std::chrono::milliseconds timeout);
    // Sends WM_DELETE_WINDOW, as a close box does.
    void RequestClose(unsigned long window);

private:
    unsigned long FindMapped(unsigned long parent, const OwnerTest& owner, const std::string& prefix);
    int OwnerOf(unsigned long window);
    _XDisplay* display = nullptr;
};
