// The serial link against a pseudo-terminal standing in for the board.

#include "capture.h"
#include "link/serial.h"
#include "link/serial_rate.h"

#include <gtest/gtest.h>

#include <atomic>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <mutex>
#include <termios.h>
#include <thread>
#include <unistd.h>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

// What the receive callback saw, for the test to look at.
struct Received {
    std::mutex lock;
    std::string bytes;
    std::vector<int> chunks;
    Clock::time_point first{};
    std::atomic<int> calls{0};
};
Received* received = nullptr;

int Record(const char* data, int count)
{
    const std::lock_guard<std::mutex> hold(received->lock);
    if (received->chunks.empty())
        received->first = Clock::now();
    received->bytes.append(data, static_cast<std::size_t>(count));
    received->chunks.push_back(count);
    ++received->calls;
    return 0;
}

int OpenDescriptors()
{
    int count = 0;
    DIR* folder = opendir("/proc/self/fd");
    while (readdir(folder))
        ++count;
    closedir(folder);
    return count;
}

class SerialTest : public testing::Test {
protected:
    void SetUp() override { received = &seen; }
    void TearDown() override { received = nullptr; }

    // Waits until `predicate` holds, up to `limit`.
    template <class Predicate>
    static bool WaitFor(Predicate predicate, std::chrono::milliseconds limit)
    {
        const auto deadline = Clock::now() + limit;
        while (!predicate()) {
            if (Clock::now() > deadline)
                return false;
            std::this_thread::sleep_for(5ms);
        }
        return true;
    }

    std::size_t BytesSeen()
    {
        const std::lock_guard<std::mutex> hold(seen.lock);
        return seen.bytes.size();
    }

    Received seen;
    PseudoBoard board;
    Serial serial;
};

TEST_F(SerialTest, OpenAppliesTheBoardsLineSettings)
{
    for (int baud : {115200, 9600, 250000}) {
        SCOPED_TRACE(baud);
        ASSERT_EQ(serial.Open(board.SlavePath().c_str(), baud), 1);
        termios t{};
        ASSERT_EQ(tcgetattr(board.Master(), &t), 0);
        EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
        EXPECT_EQ(t.c_cflag & (PARENB | CRTSCTS), 0u);
        EXPECT_NE(t.c_cflag & CSTOPB, 0u);
        EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG), 0u);
        EXPECT_EQ(t.c_iflag & (IXON | IXOFF | ICRNL), 0u);
        EXPECT_EQ(t.c_oflag & OPOST, 0u);
        EXPECT_EQ(ReadLineSpeed(board.Master()), baud);
        serial.Close();
    }
}

TEST_F(SerialTest, OpenAndThreadLogTheirSteps)
{
    const OutputCapture capture;
    ASSERT_EQ(serial.Open(board.SlavePath().c_str(), 115200), 1);
    std::this_thread::sleep_for(1200ms);
    serial.Close();
    const std::string log = capture.Text();
    const std::string path = board.SlavePath();
    EXPECT_NE(log.find("Serial::Open(): " + path + " opened sexyfully handle="), std::string::npos) << log;
    EXPECT_NE(log.find("Serial::Open(): RX thread has been created ("), std::string::npos) << log;
    // A pseudo-terminal has no DTR line: both results are 0 there.
    for (const char* line : {"Serial::ReadingThread(): Started\n", "DTR off result: 0\n",
                             "DTR on result: 0\n", "Serial::ReadingThread(): Finished\n"})
        EXPECT_NE(log.find(line), std::string::npos) << line << " missing from\n" << log;
    EXPECT_LT(log.find("DTR off"), log.find("DTR on"));
}

TEST_F(SerialTest, DeliversEverythingInOrderInChunksOfAtMost1000Bytes)
{
    serial.SetCallback(Record);
    const auto opened = Clock::now();
    ASSERT_EQ(serial.Open(board.SlavePath().c_str(), 115200), 1);
    std::string sent;
    for (int i = 0; i < 2500; ++i)
        sent += static_cast<char>('A' + i % 26);
    board.Send(sent); // waits in the port during the reset pulse
    ASSERT_TRUE(WaitFor([&] { return BytesSeen() >= sent.size(); }, 3000ms));
    serial.Close();
    const std::lock_guard<std::mutex> hold(seen.lock);
    EXPECT_EQ(seen.bytes, sent);
    EXPECT_GE(seen.chunks.size(), 3u);
    for (int chunk : seen.chunks)
        EXPECT_LE(chunk, 1000);
    EXPECT_GE(seen.first - opened, 950ms) << "nothing is read during the reset pulse";
}

TEST_F(SerialTest, CloseEndsTheThreadPromptlyAndNoCallbackFollows)
{
    serial.SetCallback(Record);
    ASSERT_EQ(serial.Open(board.SlavePath().c_str(), 115200), 1);
    board.Send("x");
    ASSERT_TRUE(WaitFor([&] { return BytesSeen() == 1; }, 2000ms));
    const auto start = Clock::now();
    serial.Close();
    EXPECT_LT(Clock::now() - start, 150ms);
    const int calls = seen.calls;
    board.Send("more");
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(seen.calls, calls);

    // Closing during the reset pulse is just as quick.
    ASSERT_EQ(serial.Open(board.SlavePath().c_str(), 115200), 1);
    const auto pulse = Clock::now();
    serial.Close();
    EXPECT_LT(Clock::now() - pulse, 150ms);
}

TEST_F(SerialTest, UnpluggedBoardEndsTheThreadButThePortStaysHeldUntilClose)
{
    const OutputCapture capture;
    ASSERT_EQ(serial.Open(board.SlavePath().c_str(), 115200), 1);
    std::this_thread::sleep_for(1100ms);
    const std::string path = board.SlavePath();
    board.Unplug();
    EXPECT_TRUE(WaitFor([&] { return capture.Text().find("Finished") != std::string::npos; }, 500ms));
    EXPECT_EQ(serial.Write("{DET}", 5), -1);
    serial.Close();
}

TEST_F(SerialTest, PortsThatCannotBeOpenedSayWhy)
{
    struct Case {
        std::string name;
        const char* reason;
    };
    // Another program holding the port.
    const int holder = open(board.SlavePath().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_EQ(flock(holder, LOCK_EX | LOCK_NB), 0);
    const Case cases[] = {
        {"/dev/no-such-port", "No such file or directory"},
        {"no-such-port", "No such file or directory"},
        {board.SlavePath(), "Device or resource busy"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = c.name.find('/') == std::string::npos ? "/dev/" + c.name : c.name;
        const std::string log = CaptureOutput([&] { EXPECT_EQ(serial.Open(c.name.c_str(), 115200), 0); });
        EXPECT_EQ(log, "Serial::Open(): " + path + " could not be opened.\nSerial::Open(): reason: " +
                           c.reason + "\n");
    }
    close(holder);
}

TEST_F(SerialTest, SomethingThatIsNoSerialPortFailsConfigurationAndIsReleased)
{
    char path[] = "/tmp/helper-not-a-port-XXXXXX";
    close(mkstemp(path));
    const int before = OpenDescriptors();
    const std::string log = CaptureOutput([&] { EXPECT_EQ(serial.Open(path, 115200), 0); });
    EXPECT_NE(log.find(std::string(path) + " opened sexyfully"), std::string::npos) << log;
    EXPECT_EQ(log.find("RX thread"), std::string::npos) << log;
    EXPECT_EQ(OpenDescriptors(), before);
    unlink(path);
    EXPECT_EQ(serial.Open("/tmp", 115200), 0);
    EXPECT_EQ(OpenDescriptors(), before);
}

TEST_F(SerialTest, WritesGoOutWholeAndAStuckBoardIsReportedWithoutWaiting)
{
    ASSERT_EQ(serial.Open(board.SlavePath().c_str(), 115200), 1);
    EXPECT_EQ(serial.Write("{DET}", 5), 5);
    EXPECT_EQ(board.Receive(200ms), "{DET}");

    // The board stops reading: the port fills, frames are skipped, and once
    // nothing moves for the write time-out the write fails. No call waits.
    // A short frame keeps the time-out (100 ms a byte + 200 ms) short.
    const std::string frame = "{LED" + std::string(15, '1') + "}";
    auto longest = Clock::duration::zero();
    int skipped = 0, failed = 0;
    while (serial.Write(frame.data(), static_cast<int>(frame.size())) > 0) {
    }
    const auto start = Clock::now();
    while (failed == 0 && Clock::now() - start < 10s) {
        const auto before = Clock::now();
        const int result = serial.Write(frame.data(), static_cast<int>(frame.size()));
        longest = std::max(longest, Clock::now() - before);
        skipped += result == 0;
        failed += result == -1;
        std::this_thread::sleep_for(20ms);
    }
    EXPECT_GT(skipped, 0);
    EXPECT_EQ(failed, 1);
    EXPECT_LT(longest, 5ms);

    // Reading again: every frame the board sees is whole.
    std::string seenByBoard;
    for (int i = 0; i < 20; ++i) {
        seenByBoard += board.Drain();
        serial.Write(frame.data(), static_cast<int>(frame.size()));
        std::this_thread::sleep_for(20ms);
    }
    seenByBoard += board.Receive(100ms);
    ASSERT_FALSE(seenByBoard.empty());
    ASSERT_EQ(seenByBoard.size() % frame.size(), 0u);
    for (std::size_t at = 0; at < seenByBoard.size(); at += frame.size())
        EXPECT_EQ(seenByBoard.compare(at, frame.size(), frame), 0) << "frame at " << at;
}

} // namespace
