#include "capture.h"

#include <arpa/inet.h>
#include <cstdio>
#include <sys/socket.h>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

OutputCapture::OutputCapture()
{
    std::fflush(stdout);
    char path[] = "/tmp/helper-capture-XXXXXX";
    file = mkstemp(path);
    unlink(path);
    saved = dup(STDOUT_FILENO);
    dup2(file, STDOUT_FILENO);
}

OutputCapture::~OutputCapture()
{
    std::fflush(stdout);
    dup2(saved, STDOUT_FILENO);
    close(saved);
    close(file);
}

std::string OutputCapture::Text() const
{
    std::fflush(stdout);
    std::string text;
    char buffer[4096];
    for (off_t at = 0;;) {
        const ssize_t count = pread(file, buffer, sizeof buffer, at);
        if (count <= 0)
            return text;
        text.append(buffer, static_cast<std::size_t>(count));
        at += count;
    }
}

std::string CaptureOutput(const std::function<void()>& action)
{
    const OutputCapture capture;
    action();
    return capture.Text();
}

bool UdpPortIsFree(int port)
{
    const int s = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_port = htons(static_cast<std::uint16_t>(port));
    const bool free = bind(s, reinterpret_cast<sockaddr*>(&at), sizeof at) == 0;
    close(s);
    return free;
}

PseudoBoard::PseudoBoard()
{
    master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    grantpt(master);
    unlockpt(master);
    char name[128] = {};
    ptsname_r(master, name, sizeof name);
    slavePath = name;
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
}

PseudoBoard::~PseudoBoard() { Unplug(); }

void PseudoBoard::Send(const std::string& bytes) const
{
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t count = write(master, bytes.data() + sent, bytes.size() - sent);
        if (count > 0)
            sent += static_cast<std::size_t>(count);
        else
            usleep(1000);
    }
}

std::string PseudoBoard::Receive(std::chrono::milliseconds wait) const
{
    std::string bytes;
    pollfd ready{master, POLLIN, 0};
    int timeout = static_cast<int>(wait.count());
    while (poll(&ready, 1, timeout) > 0 && (ready.revents & POLLIN)) {
        char buffer[4096];
        const ssize_t count = read(master, buffer, sizeof buffer);
        if (count <= 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(count));
        timeout = 50;
    }
    return bytes;
}

std::string PseudoBoard::Drain() const { return Receive(std::chrono::milliseconds(0)); }

void PseudoBoard::Unplug()
{
    if (master >= 0)
        close(master);
    master = -1;
}
