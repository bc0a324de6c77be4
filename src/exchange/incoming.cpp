// Incoming messages: split on the receive thread, applied on the GUI thread.

#include "exchange/incoming.h"

#include "app/dialog.h"
#include "console/log.h"

#include <atomic>
#include <vector>

namespace {

std::atomic<loggerDialog*> publishedDialog{nullptr};
MessageAssembler assembler; // one for the process: a message may span Close and Open

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
    Batch batch;
    assembler.Feed(data, count, batch);
    loggerDialog* dialog = publishedDialog;
    if (dialog && !batch.items.empty()) {
        // One deferred call per block keeps the order and costs the GUI
        // thread one event however many messages the block held.
        dialog->CallAfter([dialog, items = std::move(batch.items)] {
            for (const IncomingItem& item : items)
                dialog->OnDeviceMessage(item);
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
