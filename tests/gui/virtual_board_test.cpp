// End to end: the virtual board as a process of its own on a pseudo-terminal,
// the real dialog with its real timers in this one.

#include "dialog_fixture.h"

#include <wx/notebook.h>

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// The virtual board with its standard input and output on pipes.
class VirtualBoard {
public:
    VirtualBoard()
    {
        int in[2], out[2];
        if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        const char* argv[] = {VIRTUAL_BOARD, "--plain", "--id", "7", nullptr};
        posix_spawn(&pid, VIRTUAL_BOARD, &actions, nullptr, const_cast<char* const*>(argv), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(in[0]);
        close(out[1]);
        input = in[1];
        output = out[0];
        const std::string first = WaitForLine("port ", 3000);
        if (!first.empty())
            port = first.substr(5);
    }

    ~VirtualBoard()
    {
        Type("quit");
        close(input);
        if (waitpid(pid, nullptr, WNOHANG) == 0) {
            usleep(200000);
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        close(output);
    }

    void Type(const std::string& line) const
    {
        const std::string text = line + "\n";
        if (write(input, text.data(), text.size()) < 0)
            ADD_FAILURE() << "the virtual board is gone";
    }

    // The first line of its output starting with `prefix`, read while the
    // dialog's event loop keeps running; empty after `milliseconds`.
    std::string WaitForLine(const std::string& prefix, int milliseconds)
    {
        for (int waited = 0; waited < milliseconds; waited += 20) {
            pollfd ready{output, POLLIN, 0};
            if (poll(&ready, 1, 0) > 0) {
                char chunk[4096];
                const ssize_t count = read(output, chunk, sizeof chunk);
                if (count > 0)
                    pending.append(chunk, static_cast<std::size_t>(count));
            }
            for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
                const std::string line = pending.substr(0, end);
                pending.erase(0, end + 1);
                if (line.rfind(prefix, 0) == 0)
                    return line;
            }
            DialogTest::RunEventLoop(20);
        }
        return {};
    }

    std::string port;

private:
    pid_t pid = -1;
    int input = -1, output = -1;
    std::string pending;
};

class VirtualBoardTest : public DialogTest {};

} // namespace

TEST_F(VirtualBoardTest, OpenIdentifyMonitorAndDriveTheBoard)
{
    VirtualBoard board;
    ASSERT_FALSE(board.port.empty());
    SetText("ID_TEXTCTRL14", "0");
    SetText("ID_TEXTCTRL15", "0");
    SetText("ID_TEXTCTRL16", "8");
    SetText("ID_TEXTCTRL12", "12345678");

    SetText("ID_COMBOBOX1", board.port);
    Click("ID_BUTTON1");
    ASSERT_FALSE(Find("ID_BUTTON1")->IsEnabled());

    // The first detect request comes after the reset second; the board answers.
    EXPECT_EQ(board.WaitForLine("detect", 3000), "detect ||");
    RunEventLoop(100);
    EXPECT_EQ(Text("ID_TEXTCTRL22"), "7");
    EXPECT_EQ(Text("ID_STATICTEXT2"), "Connected");

    board.Type("1A3");
    for (int i = 0; i < 20 && Text("ID_TEXTCTRL10") != "163"; ++i)
        RunEventLoop(20);
    EXPECT_EQ(Text("ID_TEXTCTRL10"), "163");
    EXPECT_EQ(Text("ID_TEXTCTRL25"), "{1A3}");

    Find<wxNotebook>("ID_NOTEBOOK1")->SetSelection(2);
    EXPECT_EQ(board.WaitForLine("numeric", 2000), "numeric |12345678" + std::string(120, ' ') + "|");
    EXPECT_EQ(board.WaitForLine("discrete", 1000), "discrete |" + std::string(64, '0') + "|");

    // The board goes silent: the dialog says so.
    board.Type("silent");
    for (int i = 0; i < 100 && Text("ID_STATICTEXT2") != "Disconnected"; ++i)
        RunEventLoop(20);
    EXPECT_EQ(Text("ID_STATICTEXT2"), "Disconnected");
    Click("ID_BUTTON2");
}
