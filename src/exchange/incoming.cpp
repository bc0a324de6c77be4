// Incoming messages: split on the receive thread, applied on the GUI thread.

#include "exchange/incoming.h"

#include "app/dialog.h"
#include "console/log.h"

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace {

std::atomic<loggerDialog*> publishedDialog{nullptr};
MessageAssembler assembler; // one for the process: a message may span Close and Open

// Results handed over but not yet applied. A serial line brings a few
// thousand messages a second at most, which the GUI thread applies at once;
// a pseudo-terminal can bring far more. Past this backlog the receive thread
// reads more slowly for a moment, so the queue cannot eat the memory; the
// bytes wait in the port meanwhile, and nothing is lost.
constexpr int kMaxBacklog = 20000;
std::atomic<int> backlog{0};

void LetTheGuiCatchUp()
{
    for (int i = 0; i < 100 && backlog.load() > kMaxBacklog; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

struct Batch {
    std::vector<IncomingItem> items;
    void Message(const DeviceMessage& m) { items.push_back({false, m}); }
    void Acknowledgement() { items.push_back({true, {}}); }
};

} // namespace

void PublishDialog(loggerDialog* dialog) { publishedDialog = dialog; }

int SerialReceiveCallback(const char* data, int count)
{
    if (count <= 0)
        return 0;
    LetTheGuiCatchUp();
    Batch batch;
    assembler.Feed(data, count, batch);
    loggerDialog* dialog = publishedDialog;
    if (dialog && !batch.items.empty()) {
        // One deferred call per block keeps the order and costs the GUI
        // thread one event however many messages the block held.
        backlog += static_cast<int>(batch.items.size());
        dialog->CallAfter([dialog, items = std::move(batch.items)] {
            for (const IncomingItem& item : items)
                dialog->OnDeviceMessage(item);
            backlog -= static_cast<int>(items.size());
        });
    }
    return 0;
}

void loggerDialog::OnDeviceMessage(const IncomingItem& item)
{
    const bool inputsOnly = inputsOnlyBox->GetValue();
    if (item.acknowledgement) {
        if (!inputsOnly)
            LogLine("\nACK\n");
        return;
    }
    const DeviceMessage& m = item.message;
    ShowLinkState("Connected", wxColour(0, 176, 0));
    linkWatchdog = 0;
    if (!m.parsed)
        return; // a sign of life only
    const std::string text = m.Text();
    if (m.kind == 15) {
        deviceField->SetValue(wxString::Format("%d", m.eventId));
        if (!inputsOnly) {
            SetConsoleColour(13);
            LogLine("Device detect response: {%s}\n", text.c_str());
            SetConsoleColour(7);
        }
    } else if (selectedPage == 0 && m.kind != 10) {
        SetConsoleColour(14);
        LogLine("{%s}  %d\n", text.c_str(), m.eventId);
        SetConsoleColour(7);
        eventIdField->SetValue(wxString::Format("%d", m.eventId));
        eventBodyField->SetValue("{" + wxString(text.c_str(), wxConvLibc) + "}");
    }
}
