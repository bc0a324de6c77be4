// The real program as a user starts and closes it.

#include "x11_window.h"

#include <gtest/gtest.h>

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace {

// Waits up to `timeout` for the child to end; its wait status, or -1 if it is still running.
int WaitForExit(pid_t pid, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        if (waitpid(pid, &status, WNOHANG) == pid)
            return status;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return -1;
}

// The program as a child process; killed if a test leaves it running, so
// no stray program outlives the test (and holds the test runner's output).
struct Child {
    pid_t pid = 0;
    ~Child()
    {
        if (pid > 0 && waitpid(pid, nullptr, WNOHANG) == 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
};

} // namespace

TEST(Program, ShowsTheDialogAndEndsWhenItsCloseBoxIsUsed)
{
    X11Session x11;
    ASSERT_TRUE(x11.Connected()) << "no X display";

    char* argv[] = {const_cast<char*>(HELPER_PROGRAM), nullptr};
    Child program;
    ASSERT_EQ(posix_spawn(&program.pid, HELPER_PROGRAM, nullptr, nullptr, argv, environ), 0);

    const unsigned long window =
        x11.WaitForWindow(program.pid, "Config helper 0.3.2 - extended IO edition", std::chrono::seconds(10));
    ASSERT_NE(window, 0u) << "the dialog did not appear";

    x11.RequestClose(window);
    const int status = WaitForExit(program.pid, std::chrono::seconds(1));
    ASSERT_NE(status, -1) << "the program was still running 1 s after the close request";
    program.pid = 0;
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
