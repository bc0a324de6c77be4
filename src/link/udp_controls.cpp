// The device bar's UDP server controls.

#include "app/dialog.h"
#include "link/udp_controls.h"
#include "sections/field_reading.h"

int IgnoreDatagram(char*, int) { return 0; }

void loggerDialog::OnUdpStart(wxCommandEvent&)
{
    // Not a whole number: no port to bind, so it fails like a port in use.
    const std::optional<int> port = ParseInteger(FieldText(udpPortField));
    if (!port || udpServer.Start(*port) != 0)
        return;
    udpStartButton->Disable();
    udpPortField->Disable();
    udpStopButton->Enable();
}

void loggerDialog::OnUdpStop(wxCommandEvent&)
{
    udpServer.Stop();
    udpStartButton->Enable();
    udpPortField->Enable();
    udpStopButton->Disable();
}
