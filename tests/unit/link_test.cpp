// Line settings, port discovery and the UDP server, without any window.

#include "capture.h"
#include "link/line_settings.h"
#include "link/port_list.h"
#include "link/udp_server.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

TEST(LineSettings, RawEightBitsNoParityTwoStopBitsNoFlowControl)
{
    termios cooked{};
    cooked.c_iflag = ICRNL | IXON | IXOFF | INPCK | ISTRIP;
    cooked.c_oflag = OPOST | ONLCR;
    cooked.c_lflag = ECHO | ICANON | ISIG | IEXTEN;
    cooked.c_cflag = CS7 | PARENB | CRTSCTS | HUPCL;
    cooked.c_cc[VMIN] = 1;
    const termios t = MakeLineSettings(cooked);
    EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(t.c_cflag & (PARENB | CRTSCTS | HUPCL), 0u);
    EXPECT_EQ(t.c_cflag & (CSTOPB | CLOCAL | CREAD), static_cast<tcflag_t>(CSTOPB | CLOCAL | CREAD));
    EXPECT_EQ(t.c_iflag & (ICRNL | IXON | IXOFF | INPCK | ISTRIP), 0u);
    EXPECT_EQ(t.c_oflag & OPOST, 0u);
    EXPECT_EQ(t.c_lflag & (ECHO | ICANON | ISIG | IEXTEN), 0u);
    EXPECT_EQ(t.c_cc[VMIN], 0);
    EXPECT_EQ(t.c_cc[VTIME], 0);
}

TEST(LineSettings, StandardRatesHaveTheirConstants)
{
    EXPECT_EQ(StandardSpeed(9600), static_cast<speed_t>(B9600));
    EXPECT_EQ(StandardSpeed(115200), static_cast<speed_t>(B115200));
    EXPECT_EQ(StandardSpeed(250000), 0u);
    EXPECT_EQ(StandardSpeed(0), 0u);
}

// A sysfs tty folder made of plain files and links.
class FakeSysfs : public testing::Test {
protected:
    void SetUp() override
    {
        root = fs::temp_directory_path() / ("helper-sysfs-" + std::to_string(getpid()) + "-" +
                                            testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root / "drivers" / "usb");
    }
    void TearDown() override { fs::remove_all(root); }

    void AddPort(const std::string& name, bool driver, const char* type = nullptr) const
    {
        fs::create_directories(root / name / "device");
        if (driver)
            fs::create_directory_symlink(root / "drivers" / "usb", root / name / "device" / "driver");
        if (type)
            std::ofstream(root / name / "type") << type << "\n";
    }

    fs::path root;
};

TEST_F(FakeSysfs, ListsPresentPortsInNaturalOrder)
{
    AddPort("ttyUSB10", true);
    AddPort("ttyUSB2", true);
    AddPort("ttyACM0", true);
    AddPort("ttyS0", true, "0"); // an empty UART slot
    AddPort("ttyS1", true, "4");
    AddPort("tty1", false); // a virtual console: no driver
    std::string text;
    EXPECT_EQ(ListPorts(text, root.string()), 4);
    EXPECT_EQ(text, "ttyACM0\nttyS1\nttyUSB2\nttyUSB10\n");
}

TEST_F(FakeSysfs, NoPortsOrNoFolderListNothing)
{
    std::string text;
    EXPECT_EQ(ListPorts(text, root.string()), 0);
    EXPECT_EQ(ListPorts(text, (root / "missing").string()), 0);
    EXPECT_EQ(text, "");
}

TEST(NaturalLess, DigitRunsCompareAsNumbers)
{
    std::vector<std::string> names = {"ttyUSB10", "ttyS2", "ttyUSB2", "ttyACM0", "ttyUSB1", "rfcomm0", "ttyS10"};
    std::sort(names.begin(), names.end(), NaturalLess);
    EXPECT_EQ(names, (std::vector<std::string>{"rfcomm0", "ttyACM0", "ttyS2", "ttyS10", "ttyUSB1",
                                               "ttyUSB2", "ttyUSB10"}));
}

// ---- UDP server ----------------------------------------------------------------

std::mutex datagramLock;
std::vector<int> datagramLengths;

int RecordDatagram(char*, int length)
{
    const std::lock_guard<std::mutex> hold(datagramLock);
    datagramLengths.push_back(length);
    return 0;
}

void SendDatagram(int port, std::size_t length)
{
    const int s = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<std::uint16_t>(port));
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const std::vector<char> bytes(length, 'x');
    sendto(s, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    close(s);
}

std::vector<int> ReceivedLengths(std::size_t count)
{
    for (int i = 0; i < 200; ++i) {
        {
            const std::lock_guard<std::mutex> hold(datagramLock);
            if (datagramLengths.size() >= count)
                return datagramLengths;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    const std::lock_guard<std::mutex> hold(datagramLock);
    return datagramLengths;
}

// Each test a port of its own: the tests may run side by side.
constexpr int kTestPort = 47123;
constexpr int kFloodPort = 47124;
constexpr int kCyclePort = 47125;

TEST(UdpServer, TakesInDatagramsCuttingLongOnesAndSurvivingEmptyOnes)
{
    datagramLengths.clear();
    UdpServer server;
    server.SetCallback(RecordDatagram);
    ASSERT_EQ(server.Start(kTestPort), 0);
    for (std::size_t length : {0, 1, 2048, 5000, 65000, 7})
        SendDatagram(kTestPort, length);
    EXPECT_EQ(ReceivedLengths(5), (std::vector<int>{1, 2048, 2048, 2048, 7}));
    server.Stop();
    EXPECT_TRUE(UdpPortIsFree(kTestPort));
}

TEST(UdpServer, AFloodIsTakenInAndStopStillEndsItAtOnce)
{
    datagramLengths.clear();
    UdpServer server;
    server.SetCallback(RecordDatagram);
    ASSERT_EQ(server.Start(kFloodPort), 0);
    std::atomic<bool> stop{false};
    std::thread flood([&] {
        while (!stop)
            SendDatagram(kFloodPort, 100);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const auto start = std::chrono::steady_clock::now();
    server.Stop();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
    stop = true;
    flood.join();
    const std::lock_guard<std::mutex> hold(datagramLock);
    EXPECT_GT(datagramLengths.size(), 100u);
}

TEST(UdpServer, StartsAndStopsAgainOnTheSamePort)
{
    UdpServer server;
    server.Stop(); // before any Start: nothing to release
    for (int i = 0; i < 100; ++i) {
        ASSERT_EQ(server.Start(kCyclePort), 0) << "cycle " << i;
        EXPECT_FALSE(UdpPortIsFree(kCyclePort));
        server.Stop();
        EXPECT_TRUE(UdpPortIsFree(kCyclePort));
    }
}

TEST(UdpServer, PortInUseFailsAndOnlyTheLow16BitsCount)
{
    UdpServer first, second;
    ASSERT_EQ(first.Start(70000), 0);
    EXPECT_FALSE(UdpPortIsFree(4464));
    EXPECT_EQ(second.Start(4464), -1);
    EXPECT_FALSE(second.Running());
    first.Stop();
    EXPECT_EQ(second.Start(4464), 0);
}

} // namespace
