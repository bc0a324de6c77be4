// Faults from the board, the machine and the keyboard: nothing is lost,
// nothing hangs, nothing crashes.

#include "dialog_fixture.h"

#include <wx/notebook.h>

#include <arpa/inet.h>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <set>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

class FaultTest : public DialogTest {
protected:
    void OpenPort(const std::string& path) const
    {
        SetText("ID_COMBOBOX1", path);
        Click("ID_BUTTON1");
    }

    bool IsOpen() const { return !Find("ID_BUTTON1")->IsEnabled(); }
};

// Every text field of the dialog, on every page.
std::vector<wxTextCtrl*> TextFields(wxWindow* window)
{
    std::vector<wxTextCtrl*> fields;
    for (wxWindow* child : window->GetChildren()) {
        if (auto* field = dynamic_cast<wxTextCtrl*>(child))
            fields.push_back(field);
        for (wxTextCtrl* inner : TextFields(child))
            fields.push_back(inner);
    }
    return fields;
}

} // namespace

TEST_F(FaultTest, UnpluggedBoardShowsDisconnectedAndANewOpenWorks)
{
    DialogInspector::LinkTimer(*dialog).Stop();
    auto board = std::make_unique<PseudoBoard>();
    OpenPort(board->SlavePath());
    ASSERT_TRUE(IsOpen());
    for (int i = 0; i < 49; ++i)
        Tick();
    board->Send("{F01}");
    RunEventLoop(50);
    board.reset(); // unplugged while the detect requests flow
    std::set<std::string> shown;
    for (int i = 0; i < 30; ++i) {
        Tick();
        shown.insert(Text("ID_STATICTEXT2"));
    }
    EXPECT_EQ(shown.count("Disconnected"), 1u);
    EXPECT_EQ(shown.count("Comm.Error"), 1u); // each detect request fails

    Click("ID_BUTTON2");
    PseudoBoard replacement;
    OpenPort(replacement.SlavePath());
    EXPECT_TRUE(IsOpen());
    Click("ID_BUTTON2");
}

TEST_F(FaultTest, PortThatVanishedOrIsBusyFailsToOpen)
{
    std::string path;
    {
        PseudoBoard gone;
        path = gone.SlavePath();
    } // the port vanishes between Refresh and Open
    std::string log = CaptureOutput([&] { OpenPort(path); });
    EXPECT_FALSE(IsOpen());
    EXPECT_NE(log.find("could not be opened"), std::string::npos) << log;
    EXPECT_NE(log.find("Could not open port " + path), std::string::npos) << log;

    PseudoBoard board;
    const int otherProgram = open(board.SlavePath().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_EQ(flock(otherProgram, LOCK_EX | LOCK_NB), 0);
    log = CaptureOutput([&] { OpenPort(board.SlavePath()); });
    EXPECT_FALSE(IsOpen());
    EXPECT_NE(log.find("reason: Device or resource busy"), std::string::npos) << log;
    close(otherProgram);
    OpenPort(board.SlavePath());
    EXPECT_TRUE(IsOpen());
}

TEST_F(FaultTest, SettingsFolderThatCannotBeWrittenIsNoProblem)
{
    const std::string saved = std::getenv("XDG_CONFIG_HOME");
    const std::string blocker = saved + "/not-a-folder";
    { std::ofstream(blocker) << "x"; }
    setenv("XDG_CONFIG_HOME", (blocker + "/config").c_str(), 1);
    PseudoBoard board;
    OpenPort(board.SlavePath());
    EXPECT_TRUE(IsOpen());
    Click("ID_BUTTON3"); // saves on Quit too
    setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    std::remove(blocker.c_str());
}

TEST_F(FaultTest, DialogGoesQuicklyWhileThePortFloodsAndUdpRuns)
{
    PseudoBoard board;
    OpenPort(board.SlavePath());
    ASSERT_TRUE(IsOpen());
    SetText("ID_TEXTCTRL47", "12399"); // a port no other test uses
    Click("ID_BUTTON22");
    ASSERT_FALSE(Find("ID_BUTTON22")->IsEnabled());
    std::atomic<bool> stop{false};
    std::thread flood([&] {
        const int udp = socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(12399);
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        // As fast as a 115200-baud line carries them, in bursts; what the
        // port cannot take once it is closed is dropped.
        std::string burst;
        for (int i = 0; i < 21; ++i)
            burst += "{1A3}";
        while (!stop) {
            if (write(board.Master(), burst.data(), burst.size()) < 0) {
                // the port is full or closed: the board keeps trying
            }
            sendto(udp, "datagram", 8, 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
            std::this_thread::sleep_for(10ms);
        }
        close(udp);
    });
    const OutputCapture quiet;
    RunEventLoop(1300); // past the reset second, messages flowing
    const auto start = std::chrono::steady_clock::now();
    dialog.reset(); // as when the close box ends the modal loop
    const auto took = std::chrono::steady_clock::now() - start;
    stop = true;
    flood.join();
    EXPECT_LT(took, 1s);
}

TEST_F(FaultTest, AnyTextInAnyFieldIsHandled)
{
    const std::string nasty = "%s%n%d%% 99999999999999999999 -2147483649 \xc3\x84\xc3\x96 {}!";
    DialogInspector::LinkTimer(*dialog).Stop();
    for (wxTextCtrl* field : TextFields(dialog.get()))
        field->SetValue(wxString::FromUTF8(nasty));
    for (const char* size : {"abc", "-5", "99999"}) {
        SetText("ID_COMBOBOX3", size);
        SetText("ID_COMBOBOX4", size);
        PseudoBoard board;
        OpenPort(board.SlavePath());
        for (int page = 0; page < 6; ++page) {
            Find<wxNotebook>("ID_NOTEBOOK1")->SetSelection(static_cast<size_t>(page));
            for (int i = 0; i < 60; ++i)
                Tick();
        }
        Click("ID_BUTTON2");
    }
    SetText("ID_TEXTCTRL7", "");
    for (const char* add : {"ID_BUTTON5", "ID_BUTTON21", "ID_BUTTON6", "ID_BUTTON10"})
        Click(add);
    const std::string result = Text("ID_TEXTCTRL7");
    EXPECT_NE(result.find("[IND " + nasty + "]"), std::string::npos);
    EXPECT_NE(result.find("[Axis " + nasty + "]"), std::string::npos);
    EXPECT_NE(result.find("[Inp" + nasty + "]"), std::string::npos);
    EXPECT_NE(result.find("[Key0000]\r\nmode: command\r\ncommand: " + nasty), std::string::npos);
}
