// A stand-in for the I/O board on a pseudo-terminal: answers detect requests,
// sends control events typed on its standard input, and shows what the
// program sends it. See `virtual-board --help`.

#include "exchange/protocol.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <string>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

const char* const kUsage =
    "usage: virtual-board [--id N] [--link PATH] [--script FILE] [--plain]\n"
    "\n"
    "Makes a pseudo-terminal, prints the path of its port and plays the board:\n"
    "it answers every {DET} with a detect response of identifier N (default 1)\n"
    "and shows the numeric and discrete output memories it is sent.\n"
    "\n"
    "Commands, typed on standard input or given in a script:\n"
    "  1A3        send the control event {1A3} (any body)\n"
    "  !          send the acknowledgement byte\n"
    "  raw TEXT   send TEXT as it stands\n"
    "  id N       answer detect requests with identifier N\n"
    "  silent     stop answering (the program shows \"Disconnected\")\n"
    "  talk       answer again\n"
    "  deaf       stop reading the port (the program shows \"Comm.Error\" once it is full)\n"
    "  hear       read again\n"
    "  quit       end (the board is unplugged)\n"
    "\n"
    "  --link PATH    also make PATH a link to the port, e.g. /tmp/board\n"
    "  --script FILE  lines \"MILLISECONDS COMMAND\", run at those times after start\n"
    "  --plain        print a line for each change instead of a refreshed screen\n";

struct Options {
    int id = 1;
    std::string link;
    std::string script;
    bool plain = false;
};

struct ScriptLine {
    long at;
    std::string command;
};

class Board {
public:
    Board(const Options& options) : options(options), id(options.id) {}

    bool Start();
    int Run();

    // What the program sends, as the message assembler splits it.
    void Message(const DeviceMessage& m);
    void Acknowledgement() {}

private:
    void Execute(const std::string& command);
    void Send(const std::string& bytes);
    void ReadPort();
    void Show();
    void Plain(const char* what, const std::string& text) const;

    Options options;
    int master = -1;
    int slaveHold = -1; // keeps the port alive while the program has it closed
    std::string slavePath;
    int id;
    bool silent = false, deaf = false, done = false;
    MessageAssembler assembler;
    std::string numeric, discrete;
    int numericFrames = 0, discreteFrames = 0, detects = 0;
    int numericRate = 0, discreteRate = 0, detectRate = 0;
    Clock::time_point rateStart = Clock::now();
    std::vector<ScriptLine> script;
    std::string input;
};

bool Board::Start()
{
    master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    char name[128];
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0 || ptsname_r(master, name, sizeof name) != 0) {
        std::perror("virtual-board: pseudo-terminal");
        return false;
    }
    slavePath = name;
    slaveHold = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios raw{};
    if (tcgetattr(slaveHold, &raw) == 0) {
        cfmakeraw(&raw); // no echo of what the board sends until the program opens the port
        tcsetattr(slaveHold, TCSANOW, &raw);
    }
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    if (!options.link.empty()) {
        unlink(options.link.c_str());
        if (symlink(name, options.link.c_str()) != 0)
            std::perror("virtual-board: --link");
    }
    if (!options.script.empty()) {
        std::ifstream file(options.script);
        if (!file) {
            std::fprintf(stderr, "virtual-board: cannot read %s\n", options.script.c_str());
            return false;
        }
        for (ScriptLine line; file >> line.at && std::getline(file >> std::ws, line.command);)
            script.push_back(line);
    }
    std::printf("port %s\n", name);
    std::fflush(stdout);
    return true;
}

void Board::Send(const std::string& bytes)
{
    if (write(master, bytes.data(), bytes.size()) < 0)
        Plain("send-failed", bytes);
    else
        Plain("sent", bytes);
}

void Board::Execute(const std::string& command)
{
    if (command.empty())
        return;
    if (command == "!")
        Send("!");
    else if (command.rfind("raw ", 0) == 0)
        Send(command.substr(4));
    else if (command.rfind("id ", 0) == 0)
        id = std::atoi(command.c_str() + 3);
    else if (command == "silent" || command == "talk")
        silent = command == "silent";
    else if (command == "deaf" || command == "hear")
        deaf = command == "deaf";
    else if (command == "quit")
        done = true;
    else
        Send("{" + command + "}");
}

void Board::Message(const DeviceMessage& m)
{
    const std::string& body = m.body;
    if (body == "DET") {
        ++detects;
        Plain("detect", "");
        if (!silent) {
            char response[16];
            std::snprintf(response, sizeof response, id > 255 ? "{F%03X}" : "{F%02X}", id & 0xFFF);
            Send(response);
        }
    } else if (body.rfind("7SG", 0) == 0) {
        ++numericFrames;
        if (body.substr(3) != numeric)
            Plain("numeric", numeric = body.substr(3));
    } else if (body.rfind("LED", 0) == 0) {
        ++discreteFrames;
        if (body.substr(3) != discrete)
            Plain("discrete", discrete = body.substr(3));
    } else {
        Plain("unknown", body);
    }
}

void Board::Plain(const char* what, const std::string& text) const
{
    if (!options.plain)
        return;
    std::printf("%s |%s|\n", what, text.c_str());
    std::fflush(stdout);
}

void Board::ReadPort()
{
    char buffer[4096];
    const ssize_t count = read(master, buffer, sizeof buffer);
    if (count > 0)
        assembler.Feed(buffer, static_cast<int>(count), *this);
}

void Board::Show()
{
    const auto now = Clock::now();
    if (now - rateStart >= std::chrono::seconds(1)) {
        numericRate = numericFrames;
        discreteRate = discreteFrames;
        detectRate = detects;
        numericFrames = discreteFrames = detects = 0;
        rateStart = now;
    }
    if (options.plain || !isatty(STDOUT_FILENO))
        return;
    std::string screen = "\x1b[H\x1b[2J";
    screen += "Virtual board on " + slavePath + "  id " + std::to_string(id) +
              (silent ? "  SILENT" : "") + (deaf ? "  DEAF" : "") + "\n";
    screen += "frames/s: numeric " + std::to_string(numericRate) + ", discrete " +
              std::to_string(discreteRate) + ", detect requests " + std::to_string(detectRate) + "\n\n";
    screen += "Numeric memory (" + std::to_string(numeric.size()) + "), units of 8:\n";
    for (std::size_t at = 0; at < numeric.size(); at += 64) {
        char label[32];
        std::snprintf(label, sizeof label, "%3zu ", at / 8);
        screen += label;
        for (std::size_t unit = at; unit < std::min(numeric.size(), at + 64); unit += 8)
            screen += "[" + numeric.substr(unit, 8) + "]";
        screen += "\n";
    }
    screen += "\nDiscrete outputs (" + std::to_string(discrete.size()) + "):\n";
    for (std::size_t at = 0; at < discrete.size(); at += 10) {
        char label[32];
        std::snprintf(label, sizeof label, "%4zu ", at);
        screen += label + discrete.substr(at, 10) + "\n";
    }
    screen += "\nType a body (1A3), ! or a command (silent, talk, deaf, hear, id N, quit):\n";
    if (write(STDOUT_FILENO, screen.data(), screen.size()) < 0)
        done = true;
}

int Board::Run()
{
    const auto start = Clock::now();
    std::size_t nextScript = 0;
    auto nextShow = Clock::now();
    bool stdinOpen = true;
    while (!done) {
        pollfd watch[2] = {{master, static_cast<short>(deaf ? 0 : POLLIN), 0},
                           {stdinOpen ? STDIN_FILENO : -1, POLLIN, 0}};
        poll(watch, 2, 20);
        if (watch[0].revents & POLLIN)
            ReadPort();
        else if (watch[0].revents & POLLHUP)
            usleep(10000); // the program has the port closed
        if (watch[1].revents & (POLLIN | POLLHUP)) {
            char chunk[256];
            const ssize_t count = read(STDIN_FILENO, chunk, sizeof chunk);
            if (count <= 0)
                stdinOpen = false;
            for (ssize_t i = 0; i < count; ++i) {
                if (chunk[i] == '\n') {
                    Execute(input);
                    input.clear();
                } else if (chunk[i] != '\r') {
                    input += chunk[i];
                }
            }
        }
        const long elapsed = static_cast<long>(
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
        while (nextScript < script.size() && script[nextScript].at <= elapsed)
            Execute(script[nextScript++].command);
        if (Clock::now() >= nextShow) {
            Show();
            nextShow = Clock::now() + std::chrono::milliseconds(250);
        }
    }
    if (!options.link.empty())
        unlink(options.link.c_str());
    close(slaveHold);
    close(master);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--id" && hasValue)
            options.id = std::atoi(argv[++i]);
        else if (arg == "--link" && hasValue)
            options.link = argv[++i];
        else if (arg == "--script" && hasValue)
            options.script = argv[++i];
        else if (arg == "--plain")
            options.plain = true;
        else {
            std::fputs(kUsage, arg == "--help" ? stdout : stderr);
            return arg == "--help" ? 0 : 2;
        }
    }
    Board board(options);
    return board.Start() ? board.Run() : 1;
}
