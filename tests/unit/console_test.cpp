// The bytes the debug console shows, with a stand-in for the terminal
// program that copies everything it is shown into a file.

#include "capture.h"
#include "recording_terminal.h"
#include "console/debug_console.h"
#include "console/log.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

TEST(DebugConsole, ShowsLinesAndColoursPrintedWhileOpenOnly)
{
    char log[] = "/tmp/helper-console-XXXXXX";
    close(mkstemp(log));
    const std::string shownBefore = CaptureOutput([] {
        SetConsoleColour(12); // no console: nothing at all
        LogLine("before %d\n", 1);
    });
    EXPECT_EQ(shownBefore, "before 1\n");

    UseTerminal(RecordingTerminal(log));
    ASSERT_TRUE(OpenDebugConsole(nullptr));
    SetConsoleColour(11);
    LogLine("{DET}\n");
    SetConsoleColour(15);
    LogLine("\nACK\n");
    std::thread receiveThread([] { LogLine("Serial::ReadingThread(): %s\n", "Started"); });
    receiveThread.join();
    SetConsoleColour(7);
    CloseDebugConsole();
    LogLine("after\n");

    // The terminal turns each "\n" into a new line ("\r\n").
    EXPECT_EQ(ReadFile(log), "\x1b[0;96;40m{DET}\r\n\x1b[0;97;40m\r\nACK\r\n"
                             "Serial::ReadingThread(): Started\r\n\x1b[0;37;40m");
    unlink(log);
}

TEST(DebugConsole, EachOpeningStartsAFreshConsole)
{
    char first[] = "/tmp/helper-console-XXXXXX", second[] = "/tmp/helper-console-XXXXXX";
    close(mkstemp(first));
    close(mkstemp(second));
    UseTerminal(RecordingTerminal(first));
    ASSERT_TRUE(OpenDebugConsole(nullptr));
    LogLine("one\n");
    CloseDebugConsole();
    UseTerminal(RecordingTerminal(second));
    ASSERT_TRUE(OpenDebugConsole(nullptr));
    LogLine("two\n");
    CloseDebugConsole();
    EXPECT_EQ(ReadFile(first), "one\r\n");
    EXPECT_EQ(ReadFile(second), "two\r\n");
    unlink(first);
    unlink(second);
}

TEST(DebugConsole, TerminalThatEndsByItselfIsReported)
{
    std::atomic<bool> gone{false};
    const auto launch = [](int, const std::string&) -> pid_t {
        const char* argv[] = {"sleep", "0.2", nullptr};
        pid_t pid = -1;
        posix_spawnp(&pid, "sleep", nullptr, nullptr, const_cast<char* const*>(argv), environ);
        return pid;
    };
    UseTerminal(launch);
    ASSERT_TRUE(OpenDebugConsole([&gone] { gone = true; }));
    for (int i = 0; i < 100 && !gone; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(gone);
    CloseDebugConsole();
}

TEST(ColourSequence, ConsoleAttributesBecomeTerminalColoursOnBlack)
{
    const std::pair<int, const char*> cases[] = {
        {7, "\x1b[0;37;40m"},  {10, "\x1b[0;92;40m"}, {11, "\x1b[0;96;40m"}, {12, "\x1b[0;91;40m"},
        {13, "\x1b[0;95;40m"}, {14, "\x1b[0;93;40m"}, {15, "\x1b[0;97;40m"},
    };
    for (const auto& [attribute, sequence] : cases)
        EXPECT_EQ(ColourSequence(attribute), sequence) << attribute;
}

} // namespace
