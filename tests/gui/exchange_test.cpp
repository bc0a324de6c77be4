// The exchange with the board through the real dialog: incoming messages and
// their console lines, and what the link timer sends to a pseudo-terminal.

#include "dialog_fixture.h"
#include "recording_terminal.h"

#include <wx/notebook.h>

#include <thread>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

const std::string kMagenta = "\x1b[0;95;40m", kYellow = "\x1b[0;93;40m", kGrey = "\x1b[0;37;40m",
                  kCyan = "\x1b[0;96;40m", kWhite = "\x1b[0;97;40m";
const wxColour kGreen(0, 176, 0), kOlive(128, 128, 0), kRed(255, 0, 0);

class ExchangeTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        DialogInspector::LinkTimer(*dialog).Stop(); // the test ticks by hand
    }

    void TearDown() override
    {
        if (consoleOpen)
            Click("ID_BUTTON9");
        UseTerminal(LaunchXterm);
        DialogTest::TearDown();
    }

    // The console, recording what it shows.
    void OpenRecordingConsole()
    {
        char path[] = "/tmp/helper-console-XXXXXX";
        close(mkstemp(path));
        consoleLog = path;
        UseTerminal(RecordingTerminal(consoleLog));
        Click("ID_BUTTON9");
        consoleOpen = true;
    }

    std::string ConsoleShown()
    {
        if (consoleOpen) {
            Click("ID_BUTTON9");
            consoleOpen = false;
        }
        const std::string shown = ReadFile(consoleLog);
        unlink(consoleLog.c_str());
        return shown;
    }

    // Bytes as the receive thread would hand them over.
    void Receive(const std::string& bytes) const
    {
        SerialReceiveCallback(bytes.data(), static_cast<int>(bytes.size()));
        RunEventLoop(30);
    }

    void ShowPage(int page) const { Find<wxNotebook>("ID_NOTEBOOK1")->SetSelection(static_cast<size_t>(page)); }

    void OpenPort()
    {
        SetText("ID_COMBOBOX1", board.SlavePath());
        Click("ID_BUTTON1");
        ASSERT_FALSE(Find("ID_BUTTON1")->IsEnabled());
    }

    // What the board receives on each of `count` ticks.
    std::vector<std::string> TickAndCollect(int count) const
    {
        std::vector<std::string> seen;
        for (int i = 0; i < count; ++i) {
            Tick();
            seen.push_back(board.Receive(5ms));
        }
        return seen;
    }

    // The next output frame the board receives, passing over detect requests.
    std::string NextFrame() const
    {
        for (int i = 0; i < 11; ++i) {
            const std::string seen = TickAndCollect(1)[0];
            if (!seen.empty() && seen != "{DET}")
                return seen;
        }
        return {};
    }

    PseudoBoard board;
    std::string consoleLog;
    bool consoleOpen = false;
};

const std::string kNumericDefault = "{7SG" + std::string(128, ' ') + "}";
const std::string kDiscreteDefault = "{LED" + std::string(64, '0') + "}";

} // namespace

TEST_F(ExchangeTest, IncomingMessagesUpdateTheDialogAndTheConsole)
{
    struct Case {
        const char* what;
        int page;
        bool inputsOnly;
        std::string bytes;
        const char* device;
        const char* evid;
        const char* body;
        std::string console;
        bool connected;
    } const cases[] = {
        {"detect response", 0, false, "{F01}", "1", "", "", kMagenta + "Device detect response: {F01}\r\n" + kGrey, true},
        {"detect on another page", 3, false, "{F02}", "2", "", "", kMagenta + "Device detect response: {F02}\r\n" + kGrey, true},
        {"detect, inputs only", 0, true, "{F03}", "3", "", "", "", true},
        {"control event", 0, false, "{1A3}", "", "163", "{1A3}", kYellow + "{1A3}  163\r\n" + kGrey, true},
        {"event, inputs only", 0, true, "{1A3}", "", "163", "{1A3}", kYellow + "{1A3}  163\r\n" + kGrey, true},
        {"event with value", 0, false, "{1A3F00D}", "", "163", "{1A3F00D}", kYellow + "{1A3F00D}  163\r\n" + kGrey, true},
        {"event on NumCtrls", 1, false, "{1A3}", "", "", "", "", true},
        {"kind 10", 0, false, "{A05}", "", "", "", "", true},
        {"not parsed", 0, false, "{12345}", "", "", "", "", true},
        {"both in one block", 0, false, "{F01}{2B4}", "1", "180", "{2B4}",
         kMagenta + "Device detect response: {F01}\r\n" + kGrey + kYellow + "{2B4}  180\r\n" + kGrey, true},
        {"acknowledgement", 0, false, "!", "", "", "", "\r\nACK\r\n", false},
        {"acknowledgement, inputs only", 0, true, "!", "", "", "", "", false},
        {"text without braces", 0, false, "hello board\r\n", "", "", "", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const char* field : {"ID_TEXTCTRL22", "ID_TEXTCTRL10", "ID_TEXTCTRL25"})
            SetText(field, "");
        Find<wxStaticText>("ID_STATICTEXT2")->SetLabel("Disconnected");
        ShowPage(c.page);
        OpenRecordingConsole();
        Find<wxCheckBox>("ID_CHECKBOX2")->SetValue(c.inputsOnly);
        Receive(c.bytes);
        EXPECT_EQ(Escaped(ConsoleShown()), Escaped(c.console));
        EXPECT_EQ(Text("ID_TEXTCTRL22"), c.device);
        EXPECT_EQ(Text("ID_TEXTCTRL10"), c.evid);
        EXPECT_EQ(Text("ID_TEXTCTRL25"), c.body);
        EXPECT_EQ(Text("ID_STATICTEXT2"), c.connected ? "Connected" : "Disconnected");
        if (c.connected) {
            EXPECT_EQ(Find("ID_STATICTEXT2")->GetForegroundColour(), kGreen);
        }
    }
}

TEST_F(ExchangeTest, FramesAndDetectRequestsFollowTheSchedule)
{
    OpenPort();
    ShowPage(2);
    for (const std::string& bytes : TickAndCollect(49))
        ASSERT_EQ(bytes, "") << "silent for 49 ticks after Open";
    const std::vector<std::string> active = TickAndCollect(11);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(active[i], kNumericDefault + kDiscreteDefault) << "tick " << 50 + i;
    EXPECT_EQ(active[9], "{DET}");
    EXPECT_EQ(active[10], kNumericDefault + kDiscreteDefault);

    ShowPage(3); // Axes: the numeric frame only
    EXPECT_EQ(TickAndCollect(1)[0], kNumericDefault);
    ShowPage(0);
    // The detection counter goes on where it stood: 8 more ticks to the next.
    const std::vector<std::string> elsewhere = TickAndCollect(18);
    for (int i = 0; i < 18; ++i)
        EXPECT_EQ(elsewhere[i], i == 7 || i == 17 ? "{DET}" : "") << i;

    Click("ID_BUTTON2");
    EXPECT_EQ(TickAndCollect(10), std::vector<std::string>(10, ""));
}

TEST_F(ExchangeTest, DetectRequestIsEchoedInCyanUnlessInputsOnly)
{
    OpenPort();
    TickAndCollect(49 + 9);
    OpenRecordingConsole();
    EXPECT_EQ(TickAndCollect(1)[0], "{DET}");
    Find<wxCheckBox>("ID_CHECKBOX2")->SetValue(true);
    TickAndCollect(10);
    EXPECT_EQ(Escaped(ConsoleShown()), Escaped(kCyan + "{DET}\r\n" + kWhite));
}

TEST_F(ExchangeTest, TestDataReachesTheBoardFromTheIndicationPage)
{
    SetText("ID_TEXTCTRL14", "0");
    SetText("ID_TEXTCTRL15", "0");
    SetText("ID_TEXTCTRL16", "8");
    SetText("ID_TEXTCTRL12", "12345678");
    OpenPort();
    ShowPage(2);
    const std::vector<std::string> seen = TickAndCollect(50);
    EXPECT_EQ(seen[49].substr(0, 12), "{7SG12345678");

    // Discrete: position 5 on, on the next frame.
    Choose("ID_CHOICE4", 2);
    SetText("ID_TEXTCTRL15", "5");
    SetText("ID_TEXTCTRL12", "1");
    const std::string frames = TickAndCollect(1)[0];
    EXPECT_EQ(frames.substr(133), "{LED00000100" + std::string(56, '0') + "}");
}

TEST_F(ExchangeTest, ChoosingASizeClearsTypingOnlyResizes)
{
    SetText("ID_TEXTCTRL14", "0");
    SetText("ID_TEXTCTRL15", "0");
    SetText("ID_TEXTCTRL16", "3");
    SetText("ID_TEXTCTRL12", "abc");
    OpenPort();
    ShowPage(3);
    TickAndCollect(49 + 5);

    // Typed: a larger size from the next tick, nothing cleared, and no brace
    // or NUL left inside the memory from the frames before.
    SetText("ID_COMBOBOX3", "384");
    Choose("ID_CHOICE4", 0); // stop copying test data
    std::string frame = NextFrame();
    ASSERT_EQ(frame.size(), 389u);
    EXPECT_EQ(frame.substr(0, 7), "{7SGabc");
    EXPECT_EQ(frame.find('}'), 388u);
    EXPECT_EQ(frame.find('\0'), std::string::npos);
    EXPECT_EQ(frame.substr(7, 381), std::string(381, ' '));

    // Chosen from the list: both memories are cleared.
    Choose("ID_COMBOBOX3", 0); // "128"
    EXPECT_EQ(NextFrame(), kNumericDefault);
    // Sizes that are no size are kept within the memory.
    for (const char* size : {"abc", "-5", "99999"}) {
        SetText("ID_COMBOBOX3", size);
        EXPECT_EQ(NextFrame().size(), std::string(size) == "99999" ? 389u : 5u) << size;
    }
}

TEST_F(ExchangeTest, ClearOutputsClearsOnlyThePagesPositions)
{
    SetText("ID_COMBOBOX3", "384");
    SetText("ID_TEXTCTRL15", "0");
    SetText("ID_TEXTCTRL16", "8");
    SetText("ID_TEXTCTRL12", "XXXXXXXX");
    OpenPort();
    ShowPage(3);
    TickAndCollect(49);
    for (int unit = 0; unit < 48; ++unit) {
        SetText("ID_TEXTCTRL14", std::to_string(unit));
        TickAndCollect(1);
    }
    Choose("ID_CHOICE4", 0);
    Click("ID_BUTTON7");
    const std::string cleared = NextFrame();
    EXPECT_EQ(cleared.substr(4, 128), std::string(128, ' '));
    EXPECT_EQ(cleared.substr(132, 256), std::string(256, 'X'));
    Click("ID_BUTTON24");
    EXPECT_EQ(NextFrame().substr(4, 384), std::string(384, ' '));
}

TEST_F(ExchangeTest, SilentBoardShowsDisconnectedOnTheTwentiethActiveTick)
{
    OpenPort();
    TickAndCollect(49);
    Receive("{F01}");
    ExpectStatus("Connected", kGreen);
    TickAndCollect(19);
    ExpectStatus("Connected", kGreen);
    TickAndCollect(1);
    ExpectStatus("Disconnected", kOlive);
    Find<wxStaticText>("ID_STATICTEXT2")->SetLabel("marker");
    TickAndCollect(5);
    EXPECT_EQ(Text("ID_STATICTEXT2"), "marker"); // not set again past 20
    Receive("{A01}");
    ExpectStatus("Connected", kGreen);
}

TEST_F(ExchangeTest, FailedWritesShowCommErrorAndAreNotCountedAsSilence)
{
    OpenPort();
    ShowPage(2);
    TickAndCollect(49);
    Receive("{F01}");
    TickAndCollect(10);
    board.Unplug();
    TickAndCollect(1);
    ExpectStatus("Comm.Error", kRed);
    TickAndCollect(30); // every write fails: the watchdog does not count them
    ExpectStatus("Comm.Error", kRed);
    Click("ID_BUTTON2");
    ExpectStatus("Disconnected", kOlive);
}

TEST_F(ExchangeTest, BoardThatStopsReadingNeverHoldsUpTheWindow)
{
    // Small frames keep the write time-out (100 ms a byte + 200 ms) short.
    SetText("ID_COMBOBOX3", "8");
    SetText("ID_COMBOBOX4", "0");
    OpenPort();
    ShowPage(2);
    TickAndCollect(49);
    Receive("{F01}");
    const std::string frames = "{7SG        }{LED}";
    auto longest = std::chrono::steady_clock::duration::zero();
    const auto start = std::chrono::steady_clock::now();
    int ticks = 0;
    while (Text("ID_STATICTEXT2") != "Comm.Error" && std::chrono::steady_clock::now() - start < 10s) {
        const auto before = std::chrono::steady_clock::now();
        Tick();
        longest = std::max(longest, std::chrono::steady_clock::now() - before);
        if (++ticks > 2000)
            std::this_thread::sleep_for(20ms); // the port is full by now
    }
    ExpectStatus("Comm.Error", kRed);
    EXPECT_LT(longest, 5ms);

    // Reading again: only whole frames and detect requests arrive.
    std::string seen;
    for (int i = 0; i < 50; ++i) {
        seen += board.Drain();
        Tick();
    }
    seen += board.Receive(50ms);
    std::size_t at = 0;
    while (at < seen.size()) {
        const std::size_t end = seen.find('}', at);
        ASSERT_NE(end, std::string::npos);
        const std::string frame = seen.substr(at, end - at + 1);
        ASSERT_TRUE(frame == "{7SG        }" || frame == "{LED}" || frame == "{DET}") << Escaped(frame);
        at = end + 1;
    }
}
