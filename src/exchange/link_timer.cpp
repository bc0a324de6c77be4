// The link timer: every 20 ms, once Open or Reset has started it, the test
// data goes into the output memory and the memory goes to the board.

#include "app/dialog.h"
#include "console/log.h"
#include "sections/field_reading.h"

#include <climits>

void loggerDialog::OnLinkTimer(wxTimerEvent&)
{
    // The sizes are read on every tick: typing a size changes it at once.
    const int numericSize = MemorySize(FieldText(numericSizeBox), kNumericCapacity);
    const int discreteSize = MemorySize(FieldText(discreteSizeBox), kDiscreteCapacity);
    const TickPlan plan = linkSchedule.NextTick(selectedPage);
    if (!plan.active)
        return;

    outputMemory.CopyTestData(indicationTypeChoice->GetSelection(), FieldInteger(unitField),
                              FieldInteger(positionField), FieldInteger(lengthField),
                              FieldText(testDataField), numericSize, discreteSize);

    const auto write = [this](const char* data, int length) { return serial.Write(data, length); };
    bool failed = false;
    if (plan.numericFrame)
        failed |= outputMemory.SendNumeric(numericSize, write) == -1;
    if (plan.discreteFrame)
        failed |= outputMemory.SendDiscrete(discreteSize, write) == -1;
    if (plan.detectRequest) {
        failed |= serial.Write(kDetectRequest, kDetectRequestLength) == -1;
        if (!inputsOnlyBox->GetValue()) {
            SetConsoleColour(11);
            LogLine("{DET}\n");
            SetConsoleColour(15);
        }
    }
    if (failed) {
        ShowLinkState("Comm.Error", wxColour(255, 0, 0));
        return; // a tick that could not write is not counted as silence
    }
    if (linkWatchdog < INT_MAX && ++linkWatchdog == 20)
        ShowLinkState("Disconnected", wxColour(128, 128, 0));
}
