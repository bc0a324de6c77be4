// The UDP server controls and the debug console button.

#include "dialog_fixture.h"
#include "x11_window.h"

#include <arpa/inet.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

struct UdpStates {
    bool start, field, stop;
};

class DeviceBarTest : public DialogTest {
protected:
    void ExpectUdp(const UdpStates& s) const
    {
        EXPECT_EQ(Find("ID_BUTTON22")->IsEnabled(), s.start);
        EXPECT_EQ(Find("ID_TEXTCTRL47")->IsEnabled(), s.field);
        EXPECT_EQ(Find("ID_BUTTON23")->IsEnabled(), s.stop);
    }
};

} // namespace

TEST_F(DeviceBarTest, UdpStartAndStopMoveTheControls)
{
    ExpectUdp({true, true, true});
    Click("ID_BUTTON23"); // Stop before any Start
    ExpectUdp({true, true, false});
    Click("ID_BUTTON22");
    ExpectUdp({false, false, true});
    EXPECT_FALSE(UdpPortIsFree(12345));
    Click("ID_BUTTON23");
    ExpectUdp({true, true, false});
    EXPECT_TRUE(UdpPortIsFree(12345));
}

TEST_F(DeviceBarTest, UdpStartThatCannotBindChangesNothing)
{
    SetText("ID_TEXTCTRL47", "70000");
    Click("ID_BUTTON22");
    EXPECT_FALSE(UdpPortIsFree(4464));
    Click("ID_BUTTON23");
    for (const char* text : {"abc", "", "12345x", "99999999999"}) {
        SCOPED_TRACE(text);
        SetText("ID_TEXTCTRL47", text);
        Click("ID_BUTTON22");
        ExpectUdp({true, true, false});
    }
    const int holder = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_port = htons(12346);
    ASSERT_EQ(bind(holder, reinterpret_cast<sockaddr*>(&at), sizeof at), 0);
    SetText("ID_TEXTCTRL47", "12346");
    Click("ID_BUTTON22");
    ExpectUdp({true, true, false});
    close(holder);
}

TEST_F(DeviceBarTest, ConsoleButtonOpensAndClosesATerminalWindow)
{
    X11Session x11;
    ASSERT_TRUE(x11.Connected());
    auto* inputsOnly = Find<wxCheckBox>("ID_CHECKBOX2");
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        Click("ID_BUTTON9");
        EXPECT_TRUE(inputsOnly->IsEnabled());
        EXPECT_NE(x11.WaitForWindow(StartedByThisProcess, "Debug console", std::chrono::seconds(5)), 0u);
        inputsOnly->SetValue(true);
        Click("ID_BUTTON9");
        EXPECT_FALSE(inputsOnly->IsEnabled());
        EXPECT_TRUE(inputsOnly->GetValue()); // disabled, not cleared
        EXPECT_EQ(x11.WaitForWindow(StartedByThisProcess, "Debug console", std::chrono::milliseconds(300)), 0u);
    }
}

TEST_F(DeviceBarTest, ClosingTheConsoleWindowItselfOnlyClosesTheConsole)
{
    X11Session x11;
    ASSERT_TRUE(x11.Connected());
    Click("ID_BUTTON9");
    const unsigned long window = x11.WaitForWindow(StartedByThisProcess, "Debug console", std::chrono::seconds(5));
    ASSERT_NE(window, 0u);
    x11.RequestClose(window);
    for (int i = 0; i < 50 && Find("ID_CHECKBOX2")->IsEnabled(); ++i)
        RunEventLoop(20);
    EXPECT_FALSE(Find("ID_CHECKBOX2")->IsEnabled());
    // The button opens a new console at its next press.
    Click("ID_BUTTON9");
    EXPECT_TRUE(Find("ID_CHECKBOX2")->IsEnabled());
    EXPECT_NE(x11.WaitForWindow(StartedByThisProcess, "Debug console", std::chrono::seconds(5)), 0u);
    Click("ID_BUTTON9");
}
