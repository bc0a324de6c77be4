// Process entry: the application object builds the one dialog, runs it
// modally and ends the program when the dialog closes.

#include "app/dialog.h"

#include <wx/app.h>
#include <wx/image.h>

#include <clocale>

namespace {
bool dialogWasShown = false;
}

class loggerApp : public wxApp {
public:
    bool OnInit() override
    {
        // Field texts go through the C library's character set, so take the
        // user's; numbers keep the point as decimal separator.
        std::setlocale(LC_CTYPE, "");
        std::setlocale(LC_NUMERIC, "C");
        wxInitAllImageHandlers();
        {
            loggerDialog dialog(nullptr, wxID_ANY);
            SetTopWindow(&dialog);
            dialogWasShown = true;
            dialog.ShowModal();
        }
        // The main loop is never entered: the program ends with its dialog.
        return false;
    }
};

wxIMPLEMENT_APP_NO_MAIN(loggerApp);

// wxWidgets reports an initialisation that returned false as a failure; here
// that is the normal end, so the shell sees success once the dialog has run.
// A toolkit that cannot start (no display) keeps its failure status.
int main(int argc, char** argv)
{
    const int status = wxEntry(argc, argv);
    return dialogWasShown ? 0 : status;
}
