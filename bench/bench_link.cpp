// End-to-end figures with the real dialog under a virtual X server and a
// pseudo-terminal as the board. Prints one line per figure: metric, value,
// goal, pass. Each figure is the median of several runs.

#include "capture.h"
#include "dialog_access.h"
#include "x11_window.h"

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>
#include <wx/notebook.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <memory>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

class BenchApp : public wxApp {
public:
    bool OnInit() override { return true; }
};

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double Percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[std::min(values.size() - 1, static_cast<std::size_t>(p * values.size()))];
}

void RunEventLoop(Clock::duration length)
{
    wxEventLoop loop;
    wxTimer stopper;
    stopper.Bind(wxEVT_TIMER, [&loop](wxTimerEvent&) { loop.Exit(); });
    stopper.StartOnce(static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(length).count()));
    loop.Run();
}

// Process CPU time, user and system.
Clock::duration CpuTime()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto micros = [](const timeval& t) { return std::chrono::microseconds(t.tv_sec * 1000000LL + t.tv_usec); };
    return micros(usage.ru_utime) + micros(usage.ru_stime);
}

template <class T>
T* Control(loggerDialog& dialog, const char* name)
{
    return dynamic_cast<T*>(wxWindow::FindWindowByName(name, &dialog));
}

void Click(loggerDialog& dialog, const char* name)
{
    auto* button = Control<wxButton>(dialog, name);
    wxCommandEvent event(wxEVT_BUTTON, button->GetId());
    event.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(event);
}

// A dialog with its port open on a pseudo-terminal, past the reset second.
struct OpenLink {
    OpenLink()
    {
        dialog = std::make_unique<loggerDialog>(nullptr);
        Control<wxComboBox>(*dialog, "ID_COMBOBOX1")->SetValue(board.SlavePath());
        Click(*dialog, "ID_BUTTON1");
        RunEventLoop(1100ms);
        board.Drain();
    }
    ~OpenLink()
    {
        Click(*dialog, "ID_BUTTON2");
        dialog.reset();
    }
    void ShowPage(int page) const { Control<wxNotebook>(*dialog, "ID_NOTEBOOK1")->SetSelection(static_cast<size_t>(page)); }

    PseudoBoard board;
    std::unique_ptr<loggerDialog> dialog;
};

std::string EventBody(int id) { char body[8]; std::snprintf(body, sizeof body, "{1%02X}", id & 0xFF); return body; }

struct Row {
    const char* metric;
    std::string value;
    const char* goal;
    bool pass;
};
std::vector<Row> rows;

void Report(const char* metric, const std::string& value, const char* goal, bool pass)
{
    rows.push_back({metric, value, goal, pass});
}

std::string Format(const char* format, double a, double b = 0, double c = 0)
{
    char text[160];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

// ---- byte-to-field latency ---------------------------------------------------------

void ByteToFieldLatency()
{
    const OutputCapture quiet; // the console lines go nowhere
    OpenLink link;
    auto* evid = Control<wxTextCtrl>(*link.dialog, "ID_TEXTCTRL10");
    constexpr int kEvents = 250;
    std::vector<Clock::time_point> sent(256), shown(256);
    evid->Bind(wxEVT_TEXT, [&](wxCommandEvent& e) {
        long id = 0;
        if (e.GetString().ToLong(&id) && id >= 0 && id < 256)
            shown[static_cast<std::size_t>(id)] = Clock::now();
        e.Skip();
    });
    std::vector<double> latencies;
    for (int i = 0; i < kEvents; ++i) {
        const int id = i % 256;
        sent[id] = Clock::now();
        link.board.Send(EventBody(id));
        const auto deadline = Clock::now() + 200ms;
        while (shown[id] < sent[id] && Clock::now() < deadline)
            RunEventLoop(1ms);
        latencies.push_back(Milliseconds(shown[id] - sent[id]));
    }
    const double median = Median(latencies), p99 = Percentile(latencies, 0.99);
    Report("byte-to-field latency", Format("median %.2f ms, p99 %.2f ms", median, p99),
           "median <= 2 ms, p99 <= 10 ms", median <= 2 && p99 <= 10);
}

// ---- line-rate flood ----------------------------------------------------------------

struct FloodResult {
    bool allApplied;
    double clickMs, backlogMs, cpuPercent;
};

FloodResult FloodOnce()
{
    const OutputCapture console;
    OpenLink link;
    auto* evid = Control<wxTextCtrl>(*link.dialog, "ID_TEXTCTRL10");
    std::atomic<int> applied{0};
    Clock::time_point lastApplied;
    evid->Bind(wxEVT_TEXT, [&](wxCommandEvent& e) { ++applied; lastApplied = Clock::now(); e.Skip(); });

    // Clicks queued from outside, as the window system would deliver them.
    std::vector<double> clicks;
    const int preset = Control<wxButton>(*link.dialog, "ID_BUTTON15")->GetId();
    link.dialog->Bind(wxEVT_BUTTON, [&](wxCommandEvent& e) {
        clicks.push_back(Milliseconds(Clock::now() - Clock::time_point(Clock::duration(e.GetExtraLong()))));
        e.Skip();
    }, preset);

    constexpr int kPerSecond = 2090, kSeconds = 10, kTotal = kPerSecond * kSeconds;
    std::atomic<bool> done{false};
    Clock::time_point lastSent;
    std::thread sender([&] {
        const auto start = Clock::now();
        for (int i = 0; i < kTotal;) {
            const auto due = start + std::chrono::microseconds(1000000LL * i / kPerSecond);
            std::this_thread::sleep_until(due);
            std::string burst;
            for (int n = 0; n < 21 && i < kTotal; ++n, ++i)
                burst += EventBody(i);
            link.board.Send(burst);
        }
        lastSent = Clock::now();
        done = true;
    });
    std::thread clicker([&] {
        while (!done) {
            std::this_thread::sleep_for(500ms);
            auto* click = new wxCommandEvent(wxEVT_BUTTON, preset);
            click->SetExtraLong(static_cast<long>(Clock::now().time_since_epoch().count()));
            wxQueueEvent(link.dialog.get(), click);
        }
    });
    const auto cpuBefore = CpuTime();
    const auto wallBefore = Clock::now();
    while (!done || applied < kTotal) {
        RunEventLoop(20ms);
        if (done && Clock::now() - lastSent > 2s)
            break;
    }
    const double cpu = 100.0 * Milliseconds(CpuTime() - cpuBefore) / Milliseconds(Clock::now() - wallBefore);
    sender.join();
    clicker.join();
    RunEventLoop(50ms);

    const std::string lines = console.Text();
    const auto shownLines = static_cast<int>(std::count(lines.begin(), lines.end(), '\n'));
    const bool lastInField = evid->GetValue() == wxString::Format("%d", (kTotal - 1) % 256);
    FloodResult result;
    result.allApplied = applied == kTotal && shownLines >= kTotal && lastInField;
    result.clickMs = clicks.empty() ? 1e9 : *std::max_element(clicks.begin(), clicks.end());
    result.backlogMs = std::max(0.0, Milliseconds(lastApplied - lastSent));
    result.cpuPercent = cpu;
    return result;
}

void LineRateFlood()
{
    std::vector<double> click, backlog, cpu;
    bool allApplied = true;
    for (int run = 0; run < 3; ++run) {
        const FloodResult r = FloodOnce();
        allApplied = allApplied && r.allApplied;
        click.push_back(r.clickMs);
        backlog.push_back(r.backlogMs);
        cpu.push_back(r.cpuPercent);
    }
    Report("line-rate flood: all events applied", allApplied ? "yes" : "no", "every event, in order", allApplied);
    Report("line-rate flood: click during flood", Format("%.1f ms", Median(click)), "<= 50 ms", Median(click) <= 50);
    Report("line-rate flood: backlog after flood", Format("%.1f ms", Median(backlog)), "<= 100 ms", Median(backlog) <= 100);
    Report("line-rate flood: CPU", Format("%.1f %% of a core", Median(cpu)), "<= 30 %", Median(cpu) <= 30);
}

// ---- GUI time per tick with a saturated or stuck port -----------------------------------

// The longest tick while the board reads `bytesPerSecond` (0: not at all),
// and whether what it received was made of whole frames.
std::pair<double, bool> TickTimeWhileBoardReads(int bytesPerSecond)
{
    const OutputCapture quiet;
    OpenLink link;
    DialogInspector::LinkTimer(*link.dialog).Stop();
    Control<wxComboBox>(*link.dialog, "ID_COMBOBOX3")->SetValue("384");
    Control<wxComboBox>(*link.dialog, "ID_COMBOBOX4")->SetValue("1024");
    link.ShowPage(2);
    std::atomic<bool> done{false};
    std::string received;
    std::thread reader([&] {
        while (!done) {
            std::this_thread::sleep_for(100ms);
            if (bytesPerSecond > 0) {
                std::string chunk;
                char byte;
                for (int i = 0; i < bytesPerSecond / 10 && read(link.board.Master(), &byte, 1) == 1; ++i)
                    chunk += byte;
                received += chunk;
            }
        }
    });
    double longest = 0;
    for (int tick = 0; tick < 49 + 250; ++tick) {
        wxTimerEvent event(DialogInspector::LinkTimer(*link.dialog));
        const auto before = Clock::now();
        link.dialog->GetEventHandler()->ProcessEvent(event);
        longest = std::max(longest, Milliseconds(Clock::now() - before));
        RunEventLoop(20ms);
    }
    done = true;
    reader.join();
    // Whole frames: every piece between braces is one of the three frames.
    bool whole = true;
    std::size_t at = received.find('{');
    while (at != std::string::npos) {
        const std::size_t end = received.find('}', at);
        if (end == std::string::npos)
            break; // the last frame is still on its way
        const std::string frame = received.substr(at, end - at + 1);
        whole = whole && (frame == "{DET}" || (frame.rfind("{7SG", 0) == 0 && frame.size() == 389) ||
                          (frame.rfind("{LED", 0) == 0 && frame.size() == 1029));
        at = received.find('{', end);
    }
    return {longest, whole};
}

void TickTimeWithSaturatedPort()
{
    for (int rate : {960, 0}) {
        std::vector<double> longest;
        bool whole = true;
        for (int run = 0; run < 3; ++run) {
            const auto [ms, ok] = TickTimeWhileBoardReads(rate);
            longest.push_back(ms);
            whole = whole && ok;
        }
        Report(rate ? "GUI time per tick, board reads 960 B/s" : "GUI time per tick, board reads nothing",
               Format("%.2f ms longest", Median(longest)) + (whole ? ", frames whole" : ", CUT FRAMES"),
               "<= 5 ms, frames whole", Median(longest) <= 5 && whole);
    }
}

// ---- idle cost ---------------------------------------------------------------------------

void IdleCost()
{
    std::vector<double> percent;
    for (int run = 0; run < 3; ++run) {
        const OutputCapture quiet;
        OpenLink link; // on DiscrCtrls: only detect requests go out
        const auto cpuBefore = CpuTime();
        const auto wallBefore = Clock::now();
        RunEventLoop(10s);
        percent.push_back(100.0 * Milliseconds(CpuTime() - cpuBefore) / Milliseconds(Clock::now() - wallBefore));
    }
    Report("idle cost, port open, board silent", Format("%.2f %% of a core", Median(percent)), "<= 2 %",
           Median(percent) <= 2);
}

// ---- start-up --------------------------------------------------------------------------------

void StartUp()
{
    std::vector<double> times;
    X11Session x11;
    for (int run = 0; run < 5 && x11.Connected(); ++run) {
        char* argv[] = {const_cast<char*>(HELPER_PROGRAM), nullptr};
        pid_t pid = 0;
        const auto start = Clock::now();
        if (posix_spawn(&pid, HELPER_PROGRAM, nullptr, nullptr, argv, environ) != 0)
            break;
        const unsigned long window = x11.WaitForWindow(pid, "Config helper", 10s);
        times.push_back(Milliseconds(Clock::now() - start));
        if (window)
            x11.RequestClose(window);
        waitpid(pid, nullptr, 0);
    }
    Report("start-up to dialog mapped", Format("%.0f ms", Median(times)), "<= 500 ms", !times.empty() && Median(times) <= 500);
}

} // namespace

wxIMPLEMENT_APP_NO_MAIN(BenchApp);

int main(int argc, char** argv)
{
    std::setlocale(LC_CTYPE, "");
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        std::fprintf(stderr, "bench_link: no display\n");
        return 1;
    }
    ByteToFieldLatency();
    LineRateFlood();
    TickTimeWithSaturatedPort();
    IdleCost();
    StartUp();
    wxTheApp->OnExit();
    wxEntryCleanup();
    for (const Row& row : rows)
        std::printf("%s\t%s\t%s\t%s\n", row.metric, row.value.c_str(), row.goal, row.pass ? "pass" : "FAIL");
    return 0;
}
