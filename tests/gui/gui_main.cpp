// Starts wxWidgets once for the whole test binary, the way wxWidgets' own test
// suite does, and turns toolkit assertions into test failures.

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/init.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>

namespace {

class TestApp : public wxApp {
public:
    bool OnInit() override { return true; }
};

void FailOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                  const wxString& msg)
{
    ADD_FAILURE_AT(file.utf8_str(), line)
        << "wx assertion in " << func.utf8_str() << ": " << cond.utf8_str() << " " << msg.utf8_str();
}

} // namespace

wxIMPLEMENT_APP_NO_MAIN(TestApp);

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();

    // Settings go to a folder of this run's own, so no test sees another's
    // or the user's.
    char folder[] = "/tmp/helper-gui-test-XXXXXX";
    if (!mkdtemp(folder))
        return 1;
    setenv("XDG_CONFIG_HOME", folder, 1);

    std::setlocale(LC_CTYPE, "");
    std::setlocale(LC_NUMERIC, "C");
    if (!wxEntryStart(argc, argv) || !wxTheApp || !wxTheApp->CallOnInit()) {
        fprintf(stderr, "cannot start wxWidgets (is DISPLAY set?)\n");
        return 1;
    }
    wxSetAssertHandler(FailOnAssert);
    const int result = RUN_ALL_TESTS();
    wxTheApp->OnExit();
    wxEntryCleanup();
    std::filesystem::remove_all(folder);
    return result;
}
