// In-process figures: the message assembler's throughput and one link-timer
// tick's work, with the heap allocations each makes. Prints one line per
// figure: metric, value, goal, pass.

#include "allocations.h"
#include "exchange/output_memory.h"
#include "exchange/protocol.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

// What a busy board sends: events of every length, detect responses,
// acknowledgements, line ends and some junk.
std::string MixedStream()
{
    const char* pieces[] = {"{1A3}", "{20C8}", "{1A3F00D}", "{B0011234}", "{F01}", "!", "\r\n",
                            "{A05}", "boot v1.2 ok", "{3FF}", "{}"};
    std::string stream;
    while (stream.size() < 64 * 1024)
        for (const char* piece : pieces)
            stream += piece;
    return stream;
}

struct CountingSink {
    std::size_t messages = 0, acknowledgements = 0;
    void Message(const DeviceMessage& m) { messages += m.parsed; }
    void Acknowledgement() { ++acknowledgements; }
};

// The stream in blocks of up to 1000 bytes, as the receive thread reads them.
void FeedAll(MessageAssembler& assembler, const std::string& stream, CountingSink& sink)
{
    for (std::size_t at = 0; at < stream.size(); at += 1000)
        assembler.Feed(stream.data() + at, static_cast<int>(std::min<std::size_t>(1000, stream.size() - at)), sink);
}

// Allocations made while feeding the stream `rounds` times, outside any
// benchmark machinery.
std::size_t FeedAllocations(int rounds)
{
    const std::string stream = MixedStream();
    MessageAssembler assembler;
    CountingSink sink;
    const std::size_t before = AllocationCount();
    for (int i = 0; i < rounds; ++i)
        FeedAll(assembler, stream, sink);
    return AllocationCount() - before;
}

void AssemblerFeed(benchmark::State& state)
{
    const std::string stream = MixedStream();
    MessageAssembler assembler;
    CountingSink sink;
    for (auto _ : state) {
        FeedAll(assembler, stream, sink);
        benchmark::DoNotOptimize(sink.messages);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * stream.size()));
}
BENCHMARK(AssemblerFeed);

// One active tick of the link timer without the port: the sizes, the
// schedule, the test-data copy and the frames handed to `write`.
template <class Write>
void OneTick(OutputMemory& memory, LinkSchedule& schedule, Write&& write)
{
    const int numeric = MemorySize("128", kNumericCapacity);
    const int discrete = MemorySize("64", kDiscreteCapacity);
    const TickPlan plan = schedule.NextTick(2);
    memory.CopyTestData(1, 2, 6, 4, "ABCD", numeric, discrete);
    if (plan.numericFrame)
        memory.SendNumeric(numeric, write);
    if (plan.discreteFrame)
        memory.SendDiscrete(discrete, write);
}

void TickWork(benchmark::State& state)
{
    OutputMemory memory;
    LinkSchedule schedule;
    schedule.Start();
    for (int i = 0; i < 49; ++i)
        schedule.NextTick(2);
    std::size_t sent = 0;
    const auto write = [&sent](const char* data, int length) {
        benchmark::DoNotOptimize(data);
        sent += static_cast<std::size_t>(length);
        return length;
    };
    for (auto _ : state)
        OneTick(memory, schedule, write);
    benchmark::DoNotOptimize(sent);
}

// Allocations made by `ticks` active ticks, outside any benchmark machinery.
std::size_t TickAllocations(int ticks)
{
    OutputMemory memory;
    LinkSchedule schedule;
    schedule.Start();
    const auto write = [](const char*, int length) { return length; };
    const std::size_t before = AllocationCount();
    for (int i = 0; i < 49 + ticks; ++i)
        OneTick(memory, schedule, write);
    return AllocationCount() - before;
}
BENCHMARK(TickWork);

// Keeps the median of the repetitions.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.aggregate_name == "median")
                medians[run.run_name.function_name] = run;
    }
    std::map<std::string, Run> medians;
};

void Row(const char* metric, const std::string& value, const char* goal, bool pass)
{
    std::printf("%s\t%s\t%s\t%s\n", metric, value.c_str(), goal, pass ? "pass" : "FAIL");
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    MedianReporter reporter;
    std::FILE* console = std::freopen("/dev/null", "w", stderr); // keep the row output clean
    (void)console;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    const auto& feed = reporter.medians.at("AssemblerFeed");
    const double mbPerSecond = feed.counters.at("bytes_per_second") / 1e6;
    const double feedAllocations = static_cast<double>(FeedAllocations(100));
    char value[96];
    std::snprintf(value, sizeof value, "%.0f MB/s, %.0f allocations in 6.5 MB", mbPerSecond, feedAllocations);
    Row("assembler + parse throughput", value, ">= 100 MB/s, no allocation", mbPerSecond >= 100 && feedAllocations == 0);

    const auto& tick = reporter.medians.at("TickWork");
    const double tickMicroseconds = tick.GetAdjustedRealTime() / 1000.0; // reported in ns
    const double tickAllocations = static_cast<double>(TickAllocations(10000));
    std::snprintf(value, sizeof value, "%.3f us, %.0f allocations in 10000 ticks", tickMicroseconds, tickAllocations);
    Row("tick work", value, "<= 2 us, no allocation", tickMicroseconds <= 2 && tickAllocations == 0);
    return 0;
}
