// The serial controls of the device bar with a pseudo-terminal as the board:
// Open, Close, Reset (Arduino), Quit, the port list and the settings.

#include "dialog_fixture.h"
#include "recording_terminal.h"

#include <cstdlib>
#include <fstream>
#include <thread>

using namespace std::chrono_literals;

namespace {

struct Enabled {
    bool open, close, reset, portBox, baudBox, refresh, quit;
};

class ConnectionTest : public DialogTest {
protected:
    Enabled States() const
    {
        return {Find("ID_BUTTON1")->IsEnabled(),   Find("ID_BUTTON2")->IsEnabled(),
                Find("ID_BUTTON8")->IsEnabled(),   Find("ID_COMBOBOX1")->IsEnabled(),
                Find("ID_COMBOBOX2")->IsEnabled(), Find("ID_BUTTON4")->IsEnabled(),
                Find("ID_BUTTON3")->IsEnabled()};
    }

    void ExpectStates(const Enabled& e) const
    {
        const Enabled now = States();
        EXPECT_EQ(now.open, e.open);
        EXPECT_EQ(now.close, e.close);
        EXPECT_EQ(now.reset, e.reset);
        EXPECT_EQ(now.portBox, e.portBox);
        EXPECT_EQ(now.baudBox, e.baudBox);
        EXPECT_EQ(now.refresh, e.refresh);
        EXPECT_EQ(now.quit, e.quit);
    }

    static std::string SettingsPath()
    {
        return std::string(std::getenv("XDG_CONFIG_HOME")) + "/KorvaneConfigHelperExtIO.conf";
    }

    // A new dialog, as at the next start of the program.
    void Restart()
    {
        dialog.reset();
        dialog = std::make_unique<loggerDialog>(nullptr);
    }

    PseudoBoard board;
};

const Enabled kClosed = {true, false, false, true, false, true, true};
const Enabled kOpen = {false, true, true, false, false, true, true};
const wxColour kOlive(128, 128, 0);

} // namespace

TEST_F(ConnectionTest, OpenAndCloseMoveTheControlsAndLogTheirLines)
{
    std::remove(SettingsPath().c_str());
    Restart();
    ExpectStates(kClosed);
    SetText("ID_COMBOBOX1", board.SlavePath());
    const std::string opened = CaptureOutput([this] { Click("ID_BUTTON1"); });
    ExpectStates(kOpen);
    ExpectStatus("Disconnected", kOlive);
    EXPECT_NE(opened.find("Port " + board.SlavePath() + " opened at 115200\n"), std::string::npos) << opened;

    const std::string closed = CaptureOutput([this] { Click("ID_BUTTON2"); });
    ExpectStates(kClosed);
    ExpectStatus("Disconnected", kOlive);
    EXPECT_NE(closed.find("Serial::ReadingThread(): Finished\n"), std::string::npos) << closed;
    const std::string line = "Port " + board.SlavePath() + " closed\n";
    EXPECT_EQ(closed.substr(closed.size() - std::min(closed.size(), line.size())), line);
}

TEST_F(ConnectionTest, FailedOpenChangesNothingAndSaysSo)
{
    EXPECT_EQ(Text("ID_COMBOBOX1"), "Select port"); // first run
    EXPECT_EQ(Text("ID_COMBOBOX2"), "115200");
    const std::string log = CaptureOutput([this] { Click("ID_BUTTON1"); });
    EXPECT_EQ(log, "Serial::Open(): /dev/Select port could not be opened.\n"
                   "Serial::Open(): reason: No such file or directory\n"
                   "Could not open port Select port\n");
    ExpectStates(kClosed);
    ExpectStatus("Disconnected", kOlive);
    Restart();
    EXPECT_EQ(Text("ID_COMBOBOX1"), "Select port"); // a port that never opened is not remembered
}

TEST_F(ConnectionTest, OpenedPortAndBaudRateAreRememberedForTheNextRun)
{
    std::ofstream(SettingsPath()) << "SerialPort=old\nBaudRate=57600\n";
    Restart();
    EXPECT_EQ(Text("ID_COMBOBOX1"), "old");
    EXPECT_EQ(Text("ID_COMBOBOX2"), "57600");
    SetText("ID_COMBOBOX1", board.SlavePath());
    const std::string log = CaptureOutput([this] { Click("ID_BUTTON1"); });
    EXPECT_NE(log.find("opened at 57600\n"), std::string::npos) << log;
    Click("ID_BUTTON2");
    Restart();
    EXPECT_EQ(Text("ID_COMBOBOX1"), board.SlavePath());
    EXPECT_EQ(Text("ID_COMBOBOX2"), "57600");
}

TEST_F(ConnectionTest, BadSettingsGiveDefaultsOrAFailedOpen)
{
    std::ofstream(SettingsPath()) << "\x01\x02 [[[ garbage ===\n\xff\xfe\n";
    Restart();
    EXPECT_EQ(Text("ID_COMBOBOX1"), "Select port");
    EXPECT_EQ(Text("ID_COMBOBOX2"), "115200");

    std::ofstream(SettingsPath()) << "SerialPort=" << board.SlavePath() << "\nBaudRate=fast\n";
    Restart();
    const std::string log = CaptureOutput([this] { Click("ID_BUTTON1"); });
    EXPECT_EQ(log, "Could not open port " + board.SlavePath() + "\n");
    ExpectStates(kClosed);

    // A settings file that cannot be read (a folder in its place) or written.
    std::remove(SettingsPath().c_str());
    std::filesystem::create_directory(SettingsPath());
    Restart();
    EXPECT_EQ(Text("ID_COMBOBOX1"), "Select port");
    SetText("ID_COMBOBOX1", board.SlavePath());
    Click("ID_BUTTON1");
    ExpectStates(kOpen);
    Click("ID_BUTTON3");
    std::filesystem::remove(SettingsPath());
}

TEST_F(ConnectionTest, RefreshWhileOpenEmptiesThePortText)
{
    SetText("ID_COMBOBOX1", board.SlavePath());
    Click("ID_BUTTON1");
    Click("ID_BUTTON4");
    EXPECT_EQ(Text("ID_COMBOBOX1"), "");
    EXPECT_EQ(Find<wxComboBox>("ID_COMBOBOX1")->GetSelection(), wxNOT_FOUND);
    const std::string log = CaptureOutput([this] { Click("ID_BUTTON3"); });
    EXPECT_NE(log.find("Port  closed\nProgram closed\n"), std::string::npos) << log;
    Restart();
    EXPECT_EQ(Text("ID_COMBOBOX1"), ""); // Quit stored the empty text
}

TEST_F(ConnectionTest, ResetPulsesDtrForHalfASecond)
{
    SetText("ID_COMBOBOX1", board.SlavePath());
    Click("ID_BUTTON1");
    RunEventLoop(1100); // past the pulse of the receive thread
    const OutputCapture capture;
    Click("ID_BUTTON8");
    EXPECT_EQ(capture.Text(), "DTR off result: 0\n"); // no DTR line on a pseudo-terminal
    EXPECT_TRUE(DialogInspector::ResetTimer(*dialog).IsRunning());
    RunEventLoop(400);
    EXPECT_EQ(capture.Text(), "DTR off result: 0\n");
    RunEventLoop(250);
    EXPECT_EQ(capture.Text(), "DTR off result: 0\nDTR on result: 0\n");
    EXPECT_FALSE(DialogInspector::ResetTimer(*dialog).IsRunning());
    ExpectStates(kOpen);
    ExpectStatus("Disconnected", kOlive);
}

TEST_F(ConnectionTest, QuitClosesAnOpenPortAndSavesOnlyThen)
{
    std::remove(SettingsPath().c_str());
    Restart();
    EXPECT_EQ(CaptureOutput([this] { Click("ID_BUTTON3"); }), "Program closed\n");
    EXPECT_FALSE(std::filesystem::exists(SettingsPath()));

    Restart();
    SetText("ID_COMBOBOX1", board.SlavePath());
    Click("ID_BUTTON1");
    std::remove(SettingsPath().c_str());
    const std::string log = CaptureOutput([this] { Click("ID_BUTTON3"); });
    EXPECT_NE(log.find("Port " + board.SlavePath() + " closed\nProgram closed\n"), std::string::npos) << log;
    EXPECT_TRUE(std::filesystem::exists(SettingsPath()));
    ExpectStates(kOpen); // Quit leaves the controls as they are
}

TEST_F(ConnectionTest, LogLinesAndColoursReachTheConsoleInOrder)
{
    char log[] = "/tmp/helper-console-XXXXXX";
    close(mkstemp(log));
    UseTerminal(RecordingTerminal(log));
    Click("ID_BUTTON9");
    SetText("ID_COMBOBOX1", "nowhere");
    Click("ID_BUTTON1");
    SetText("ID_COMBOBOX1", board.SlavePath());
    Click("ID_BUTTON1");
    Click("ID_BUTTON2");
    Click("ID_BUTTON9");
    UseTerminal(LaunchXterm);
    const std::string shown = ReadFile(log);
    const std::string red = "\x1b[0;91;40m", green = "\x1b[0;92;40m", grey = "\x1b[0;37;40m";
    const std::string failed = "Serial::Open(): /dev/nowhere could not be opened.\r\n"
                               "Serial::Open(): reason: No such file or directory\r\n" +
                               red + "Could not open port nowhere\r\n" + grey;
    EXPECT_EQ(shown.rfind(failed, 0), 0u) << Escaped(shown);
    // The receive thread's own lines may come between the colour and the
    // line it is for, and then take that colour.
    const std::string openedLine = "Port " + board.SlavePath() + " opened at 115200\r\n";
    const std::size_t opened = shown.find(openedLine);
    ASSERT_NE(opened, std::string::npos) << Escaped(shown);
    EXPECT_EQ(shown.rfind(green, opened), shown.rfind("\x1b[", opened)) << Escaped(shown);
    EXPECT_EQ(shown.compare(opened + openedLine.size(), grey.size(), grey), 0) << Escaped(shown);
    EXPECT_NE(shown.find("Port " + board.SlavePath() + " closed\r\n", opened), std::string::npos);
    unlink(log);
}
