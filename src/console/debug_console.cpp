#include "console/debug_console.h"

#include "console/output.h"

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

// What an open console holds. Only the GUI thread opens and closes it; the
// watcher thread waits for the terminal program to end.
struct Console {
    bool open = false;
    int slave = -1;
    int savedOut = -1;
    int savedErr = -1;
    pid_t terminal = -1;
    std::thread watcher;
    std::mutex lock; // guards closing and reaped
    std::condition_variable reapedChanged;
    bool closing = false;
    bool reaped = false;
};

Console console;
TerminalLauncher terminalLauncher = LaunchXterm;

// Typed keys are neither shown nor acted on (Ctrl+C is a plain key); output
// still turns "\n" into a new line.
void MakeRawInput(int slave)
{
    termios t{};
    if (tcgetattr(slave, &t) != 0)
        return;
    t.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    t.c_iflag &= ~static_cast<tcflag_t>(ICRNL | INLCR | IGNCR | IXON | IXOFF);
    tcsetattr(slave, TCSANOW, &t);
}

int OpenPseudoTerminal(std::string& slavePath)
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    char name[128];
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0 ||
        ptsname_r(master, name, sizeof name) != 0) {
        if (master >= 0)
            close(master);
        return -1;
    }
    slavePath = name;
    return master;
}

void PointOutputAt(int target)
{
    std::fflush(stdout);
    std::fflush(stderr);
    dup2(target, STDOUT_FILENO);
    dup2(target, STDERR_FILENO);
}

void WatchTerminal(pid_t terminal, std::function<void()> onClosedByUser)
{
    while (waitpid(terminal, nullptr, 0) < 0 && errno == EINTR) {
    }
    bool byUser = false;
    {
        const std::lock_guard<std::mutex> hold(console.lock);
        console.reaped = true;
        byUser = !console.closing;
    }
    console.reapedChanged.notify_all();
    if (byUser && onClosedByUser)
        onClosedByUser();
}

} // namespace

pid_t LaunchXterm(int master, const std::string&)
{
    // xterm runs a relay that copies the master side onto its own terminal.
    // (In xterm's slave mode, -S, the window ignores its close box.) The
    // relay's terminal is raw, so typed keys are neither shown nor acted on,
    // and with the console's last slave closed the relay ends, and so does
    // xterm. The master is descriptor 3; xterm's own complaints (an X error
    // when its window closes) go nowhere.
    const int spare = fcntl(master, F_DUPFD_CLOEXEC, 10);
    if (spare < 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, spare, 3);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    const char* argv[] = {"xterm", "-T", "Debug console", "-n", "Debug console", "-bg", "black",
                          "-fg", "#c0c0c0", "-sl", "5000", "-e", "/bin/sh", "-c",
                          "stty raw -echo 2>/dev/null; exec cat <&3", nullptr};
    pid_t pid = -1;
    if (posix_spawnp(&pid, "xterm", &actions, nullptr, const_cast<char* const*>(argv), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(spare);
    return pid;
}

void UseTerminal(TerminalLauncher launch) { terminalLauncher = std::move(launch); }

bool OpenDebugConsole(std::function<void()> onClosedByUser)
{
    if (console.open)
        return true;
    std::string slavePath;
    const int master = OpenPseudoTerminal(slavePath);
    if (master < 0)
        return false;
    const int slave = open(slavePath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave < 0) {
        close(master);
        return false;
    }
    MakeRawInput(slave);
    const pid_t terminal = terminalLauncher(master, slavePath);
    close(master); // the terminal holds its own copy
    if (terminal < 0) {
        close(slave);
        return false;
    }

    console.slave = slave;
    console.terminal = terminal;
    console.closing = false;
    console.reaped = false;
    {
        const std::lock_guard<std::mutex> hold(OutputLock());
        console.savedOut = dup(STDOUT_FILENO);
        console.savedErr = dup(STDERR_FILENO);
        PointOutputAt(slave);
        SetConsoleShown(true);
    }
    console.watcher = std::thread(WatchTerminal, terminal, std::move(onClosedByUser));
    console.open = true;
    return true;
}

void CloseDebugConsole()
{
    if (!console.open)
        return;
    {
        const std::lock_guard<std::mutex> hold(OutputLock());
        SetConsoleShown(false);
        std::fflush(stdout);
        std::fflush(stderr);
        dup2(console.savedOut, STDOUT_FILENO);
        dup2(console.savedErr, STDERR_FILENO);
        close(console.savedOut);
        close(console.savedErr);
    }
    close(console.slave);
    {
        // With its last slave gone the terminal ends by itself; one that
        // lingers is asked to.
        std::unique_lock<std::mutex> hold(console.lock);
        console.closing = true;
        if (!console.reapedChanged.wait_for(hold, std::chrono::seconds(1),
                                            [] { return console.reaped; }))
            kill(console.terminal, SIGTERM);
    }
    console.watcher.join();
    console.open = false;
    console.slave = console.savedOut = console.savedErr = -1;
    console.terminal = -1;
}
