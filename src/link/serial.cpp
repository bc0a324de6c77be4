#include "link/serial.h"

#include "console/log.h"
#include "link/line_settings.h"
#include "link/serial_rate.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

std::string DevicePath(const char* portName)
{
    const std::string name = portName ? portName : "";
    return name.find('/') == std::string::npos ? "/dev/" + name : name;
}

void LogOpenFailure(const std::string& path, int error)
{
    LogLine("Serial::Open(): %s could not be opened.\n", path.c_str());
    LogLine("Serial::Open(): reason: %s%s\n", std::strerror(error),
            error == EACCES ? " (the user must be in the dialout group)" : "");
}

int SetModemLine(int device, unsigned long request)
{
    int line = TIOCM_DTR;
    return ioctl(device, request, &line) == 0 ? 1 : 0;
}

int NextThreadNumber()
{
    static std::atomic<int> count{0};
    return ++count;
}

} // namespace

Serial::Serial() : receiveBuffer(static_cast<std::size_t>(receiveBufferSize)) { pending.reserve(2048); }

Serial::~Serial() { Close(); }

void Serial::SetCallback(Callback newCallback) { callback = newCallback; }

int Serial::Open(const char* portName, int baud)
{
    Close(); // a port whose receive thread stopped by itself is still held
    const std::string path = DevicePath(portName);
    baudRate = baud;

    device = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (device < 0) {
        LogOpenFailure(path, errno);
        return 0;
    }
    // Exclusive use: another program must not talk over us.
    if (flock(device, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno == EWOULDBLOCK ? EBUSY : errno;
        close(device);
        device = -1;
        LogOpenFailure(path, error);
        return 0;
    }
    LogLine("Serial::Open(): %s opened sexyfully handle=%d.\n", path.c_str(), device);
    ioctl(device, TIOCEXCL);

    if (!Configure(baud)) {
        close(device);
        device = -1;
        return 0;
    }
    Configure(baud); // applied twice, the second result does not matter
    int modemLines = TIOCM_DTR | TIOCM_RTS;
    ioctl(device, TIOCMBIC, &modemLines); // a pseudo-terminal has none

    wakeUp = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    openFlag = 1;
    receiveThread = std::thread(&Serial::ReadingThread, this);
    LogLine("Serial::Open(): RX thread has been created (%d)\n", NextThreadNumber());
    return 1;
}

bool Serial::Configure(int baud) const
{
    termios current{};
    if (baud <= 0 || tcgetattr(device, &current) != 0)
        return false;
    termios wanted = MakeLineSettings(current);
    const speed_t standard = StandardSpeed(baud);
    if (standard != 0) {
        cfsetispeed(&wanted, standard);
        cfsetospeed(&wanted, standard);
    }
    if (tcsetattr(device, TCSANOW, &wanted) != 0)
        return false;
    if (standard == 0 && !SetAnyLineSpeed(device, baud))
        return false;
    return ReadLineSpeed(device) == baud; // a rate the driver changed is refused
}

int Serial::Close()
{
    openFlag = 0;
    if (receiveThread.joinable()) {
        const std::uint64_t one = 1;
        if (write(wakeUp, &one, sizeof one) < 0) {
            // the thread still sees the flag within one poll time-out
        }
        receiveThread.join();
    }
    if (wakeUp >= 0)
        close(wakeUp);
    wakeUp = -1;
    pending.clear();
    if (device < 0)
        return 0;
    const int result = close(device);
    device = -1;
    return result == 0 ? 1 : 0;
}

void Serial::DtrOn() { LogLine("DTR on result: %d\n", SetModemLine(device, TIOCMBIS)); }

void Serial::DtrOff() { LogLine("DTR off result: %d\n", SetModemLine(device, TIOCMBIC)); }

// Sleeps, but wakes as soon as Close asks; false when it did.
bool Serial::PauseUnlessClosed(int milliseconds) const
{
    pollfd wake{wakeUp, POLLIN, 0};
    return poll(&wake, 1, milliseconds) == 0 && openFlag;
}

void Serial::ReadingThread()
{
    LogLine("Serial::ReadingThread(): Started\n");
    // The board resets on this DTR pulse, so nothing is read for a second.
    DtrOff();
    const bool pulsed = PauseUnlessClosed(500) && (DtrOn(), PauseUnlessClosed(500));
    while (pulsed && openFlag) {
        pollfd watch[2] = {{device, POLLIN, 0}, {wakeUp, POLLIN, 0}};
        const int ready = poll(watch, 2, 100);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0 || watch[1].revents != 0)
            break;
        if (ready == 0)
            continue;
        const ssize_t count = read(device, receiveBuffer.data(), receiveBuffer.size());
        if (count > 0) {
            if (Callback deliver = callback)
                deliver(receiveBuffer.data(), static_cast<int>(count));
        } else if (count == 0 || (errno != EAGAIN && errno != EINTR)) {
            openFlag = 0; // unplugged, or the other end went away
        }
    }
    LogLine("Serial::ReadingThread(): Finished\n");
}

// 1 when nothing waits any more, 0 while the port is still taking the rest of
// a frame, -1 when it failed or made no progress within the frame's time-out.
int Serial::SendPending()
{
    if (pending.empty())
        return 1;
    const ssize_t sent = write(device, pending.data(), pending.size());
    const auto now = std::chrono::steady_clock::now();
    if (sent < 0 && errno != EAGAIN && errno != EINTR)
        return -1;
    if (sent > 0) {
        pending.erase(pending.begin(), pending.begin() + sent);
        lastProgress = now;
    }
    if (pending.empty())
        return 1;
    const auto timeout = std::chrono::milliseconds(100 * pendingFrameLength + 200);
    return now - lastProgress > timeout ? -1 : 0;
}

// More waits in the driver than the line carries in two ticks of the link
// timer: a new frame would only be stale by the time it went out.
bool Serial::LineBacklogged() const
{
    int queued = 0;
    return ioctl(device, TIOCOUTQ, &queued) == 0 && queued > baudRate / 250;
}

int Serial::Write(const char* data, int length)
{
    if (device < 0)
        return -1;
    const int before = SendPending();
    if (before < 0)
        return -1;
    if (before == 0 || LineBacklogged())
        return 0; // skipped: the port still works on earlier frames
    ssize_t sent = write(device, data, static_cast<std::size_t>(length));
    if (sent < 0 && errno != EAGAIN && errno != EINTR)
        return -1;
    sent = sent < 0 ? 0 : sent;
    if (sent < length) {
        pending.assign(data + sent, data + length);
        pendingFrameLength = static_cast<std::size_t>(length);
        lastProgress = std::chrono::steady_clock::now();
    }
    return length;
}
