// The board protocol: splitting the incoming stream, parsing bodies, and the
// output frames.

#include "exchange/output_memory.h"
#include "exchange/protocol.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Every result of a stream, written as text: "ACK", or the body with its
// parse ("1A3:1/163/0", "-" when not parsed).
struct Collect {
    std::vector<std::string> results;
    void Message(const DeviceMessage& m)
    {
        std::string text = m.body + ":";
        if (m.parsed)
            text += std::to_string(m.kind) + "/" + std::to_string(m.eventId) + "/" + std::to_string(m.value);
        else
            text += "-" + std::to_string(m.length);
        results.push_back(text);
    }
    void Acknowledgement() { results.push_back("ACK"); }
};

std::vector<std::string> Feed(MessageAssembler& assembler, const std::string& block)
{
    Collect sink;
    assembler.Feed(block.data(), static_cast<int>(block.size()), sink);
    return sink.results;
}

using Results = std::vector<std::string>;

TEST(MessageAssembler, SplitsStreamsIntoMessagesAndAcknowledgements)
{
    struct Case {
        std::vector<std::string> blocks;
        Results expected;
    } const cases[] = {
        {{"{F01}{1A3}"}, {"F01:15/1/0", "1A3:1/163/0"}},
        {{"{1A", "3}"}, {"1A3:1/163/0"}},
        {{"!"}, {"ACK"}},
        {{"{1!A3}"}, {"ACK", "1A3:1/163/0"}},
        {{"{1A3}\r\n{2B4}"}, {"1A3:1/163/0", "2B4:2/180/0"}},
        {{"{1A3}}"}, {"1A3:1/163/0", "1A3:1/163/0"}},
        {{"{1A3}45}"}, {"1A3:1/163/0", "1A345:-5"}},
        {{"{}"}, {":-0"}},
        {{"{XYZ}"}, {"XYZ:0/0/0"}},
        {{"{F0A}"}, {"F0A:15/10/0"}},
        {{"{20C8}"}, {"20C8:2/200/0"}},
        {{"{1A3F00D}"}, {"1A3F00D:1/163/61453"}},
        {{"{B0011234}"}, {"B0011234:11/1/4660"}},
        {{"{a05}"}, {"a05:10/5/0"}},
        {{"junk without braces\r\n"}, {}},
        {{"{1A3", "{2B4}"}, {"2B4:2/180/0"}}, // an unclosed message is dropped by the next "{"
        {{"}"}, {":-0"}},                      // a stray brace closes what is stored
    };
    for (const Case& c : cases) {
        MessageAssembler assembler;
        Results all;
        for (const std::string& block : c.blocks)
            for (const std::string& r : Feed(assembler, block))
                all.push_back(r);
        EXPECT_EQ(all, c.expected) << c.blocks[0];
    }
}

TEST(MessageAssembler, StoresAtMost1000BodyBytes)
{
    MessageAssembler assembler;
    const Results results = Feed(assembler, "{" + std::string(1200, '7') + "}");
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0], std::string(1000, '7') + ":-1000");
    // Full: bytes after it are dropped, but a brace still closes it.
    EXPECT_EQ(Feed(assembler, "xyz}").back(), std::string(1000, '7') + ":-1000");
}

TEST(MessageAssembler, NulInsideABodyEndsItsText)
{
    MessageAssembler assembler;
    std::vector<DeviceMessage> seen;
    struct {
        std::vector<DeviceMessage>* out;
        void Message(const DeviceMessage& m) { out->push_back(m); }
        void Acknowledgement() {}
    } sink{&seen};
    const char block[] = {'{', '1', '\0', 'A', '3', '}'};
    assembler.Feed(block, sizeof block, sink);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].length, 4);
    EXPECT_TRUE(seen[0].parsed);
    EXPECT_EQ(seen[0].kind, 0);
    EXPECT_EQ(seen[0].eventId, 1);
    EXPECT_EQ(seen[0].Text(), "1");
}

TEST(ParseMessageBody, ReadsLikeScanfHex)
{
    struct Case {
        const char* body;
        int kind, eventId, value;
    } const cases[] = {
        {"0x1", 0, 1, 0},  {" 1A", 0, 26, 0}, {"-01", 255, 255, 0}, {"1G3", 0, 1, 0},
        {"ffff", 15, 4095, 0}, {"FFFFFFFF", 15, 4095, 65535}, {"zzzz", 0, 0, 0},
    };
    for (const Case& c : cases) {
        DeviceMessage m;
        ParseMessageBody(c.body, static_cast<int>(std::string(c.body).size()), m);
        ASSERT_TRUE(m.parsed) << c.body;
        EXPECT_EQ(m.kind, c.kind) << c.body;
        EXPECT_EQ(m.eventId, c.eventId) << c.body;
        EXPECT_EQ(m.value, c.value) << c.body;
    }
}

// ---- Output memory -----------------------------------------------------------

std::string FrameOf(OutputMemory& memory, bool numeric, int size)
{
    std::string frame;
    const auto capture = [&frame](const char* data, int length) {
        frame.assign(data, static_cast<std::size_t>(length));
        return length;
    };
    numeric ? memory.SendNumeric(size, capture) : memory.SendDiscrete(size, capture);
    return frame;
}

std::string NumericRange(const OutputMemory& memory, int from, int count)
{
    std::string text;
    for (int i = from; i < from + count; ++i)
        text += memory.Numeric(i);
    return text;
}

TEST(OutputMemory, DefaultFramesAreTheClearedMemories)
{
    OutputMemory memory;
    EXPECT_EQ(FrameOf(memory, true, 128), "{7SG" + std::string(128, ' ') + "}");
    EXPECT_EQ(FrameOf(memory, false, 64), "{LED" + std::string(64, '0') + "}");
    EXPECT_EQ(FrameOf(memory, true, 0), "{7SG}");
}

TEST(OutputMemory, NumericTestDataGoesToItsUnitAndPosition)
{
    struct Case {
        int unit, position, length, size;
        const char* data;
        int at;
        const char* expected; // what positions at.. hold afterwards
    } const cases[] = {
        {0, 0, 8, 128, "12345678", 0, "12345678"},
        {2, 6, 4, 128, "ABCD", 22, "ABCD"},      // runs on into unit 3
        {0, 0, 3, 128, "12345678", 0, "123     "},
        {0, 0, 0, 128, "12345678", 0, "        "},
        {0, 0, 8, 128, "", 0, "        "},
        {0, 8, 1, 128, "X", 8, " "},             // position 8: nothing
        {16, 0, 1, 128, "X", 128, " "},          // unit 16 with 128 positions: nothing
        {15, 0, 1, 127, "X", 120, " "},          // only whole units are reached
        {-1, 0, 1, 128, "X", 0, " "},
        {47, 7, 8, 384, "ABCDEFGH", 383, "A"},   // nothing beyond position 383
        {0, 0, 9, 128, "123456789", 0, "         "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "unit " << c.unit << " position " << c.position);
        OutputMemory memory;
        memory.CopyTestData(1, c.unit, c.position, c.length, c.data, c.size, 64);
        EXPECT_EQ(NumericRange(memory, c.at, static_cast<int>(std::string(c.expected).size())), c.expected);
    }
}

TEST(OutputMemory, DiscreteTestDataSetsOddValuesOn)
{
    struct Case {
        const char* data;
        int position, size;
        char expected;
    } const cases[] = {
        {"1", 5, 64, '1'},  {"2", 5, 64, '0'}, {"0", 5, 64, '0'}, {"", 5, 64, '0'},
        {"abc", 5, 64, '0'}, {"7 lamps", 5, 64, '1'}, {"-3", 5, 64, '1'},
        {"1", 64, 64, '0'}, {"1", 1023, 1024, '1'}, {"99999999999999999999999", 1, 64, '1'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.data);
        OutputMemory memory;
        memory.CopyTestData(2, 0, 5, 0, "1", 128, 64); // position 5 starts on
        memory.CopyTestData(2, 0, c.position, 0, c.data, 128, c.size);
        EXPECT_EQ(memory.Discrete(c.position), c.expected);
    }
}

TEST(OutputMemory, ClearOutputsLeavesPositionsBeyondTheShownOnes)
{
    OutputMemory memory;
    for (int unit = 0; unit < 48; ++unit)
        memory.CopyTestData(1, unit, 0, 8, "88888888", 384, 1024);
    memory.CopyTestData(2, 0, 100, 0, "1", 384, 1024);
    memory.CopyTestData(2, 0, 10, 0, "1", 384, 1024);
    memory.ClearOutputs();
    EXPECT_EQ(NumericRange(memory, 0, 128), std::string(128, ' '));
    EXPECT_EQ(NumericRange(memory, 128, 256), std::string(256, '8'));
    EXPECT_EQ(memory.Discrete(10), '0');
    EXPECT_EQ(memory.Discrete(100), '1');
    memory.ClearAll();
    EXPECT_EQ(NumericRange(memory, 0, 384), std::string(384, ' '));
    EXPECT_EQ(memory.Discrete(100), '0');
}

TEST(OutputMemory, FramesLeaveNoBraceBehindInTheMemory)
{
    OutputMemory memory;
    for (int unit = 0; unit < 48; ++unit)
        memory.CopyTestData(1, unit, 0, 8, "abcdefgh", 384, 1024);
    FrameOf(memory, true, 128);
    FrameOf(memory, false, 64);
    const std::string large = FrameOf(memory, true, 384);
    EXPECT_EQ(large.size(), 389u);
    EXPECT_EQ(large.find('}'), 388u);
    EXPECT_EQ(large.find('\0'), std::string::npos);
    const std::string discrete = FrameOf(memory, false, 1024);
    EXPECT_EQ(discrete.find('}'), 1028u);
}

TEST(MemorySize, LeadingNumberWithinCapacity)
{
    const std::pair<const char*, int> cases[] = {
        {"128", 128}, {"128 units", 128}, {"abc", 0}, {"", 0}, {"-5", 0}, {"99999", 384},
        {" 48", 48}, {"384", 384}, {"99999999999999999999", 384},
    };
    for (const auto& [text, size] : cases)
        EXPECT_EQ(MemorySize(text, kNumericCapacity), size) << text;
}

TEST(LinkSchedule, SilentCountdownThenNineFrameTicksAndADetect)
{
    LinkSchedule schedule;
    EXPECT_FALSE(schedule.NextTick(2).active); // idle before Open
    schedule.Start();
    for (int tick = 1; tick <= 49; ++tick)
        EXPECT_FALSE(schedule.NextTick(2).active) << tick;
    std::string pattern;
    for (int tick = 0; tick < 20; ++tick) {
        const TickPlan plan = schedule.NextTick(2);
        ASSERT_TRUE(plan.active);
        pattern += plan.detectRequest ? 'D' : (plan.numericFrame && plan.discreteFrame ? 'F' : '?');
    }
    EXPECT_EQ(pattern, "FFFFFFFFFDFFFFFFFFFD");

    // Per page: Axes sends only the numeric frame, other pages only detects.
    struct {
        int page;
        bool numeric, discrete;
    } const pages[] = {{0, false, false}, {1, false, false}, {3, true, false}, {4, false, false}, {5, false, false}};
    for (const auto& p : pages) {
        const TickPlan plan = schedule.NextTick(p.page);
        EXPECT_EQ(plan.numericFrame, p.numeric) << p.page;
        EXPECT_EQ(plan.discreteFrame, p.discrete) << p.page;
    }
    schedule.Stop();
    EXPECT_FALSE(schedule.NextTick(2).active);
}

TEST(LinkSchedule, DetectionCounterCarriesAcrossOpenAndClose)
{
    LinkSchedule schedule;
    schedule.Start();
    for (int i = 0; i < 49 + 4; ++i)
        schedule.NextTick(2);
    schedule.Stop();
    schedule.Start();
    for (int i = 0; i < 49; ++i)
        schedule.NextTick(2);
    int ticksToDetect = 1;
    while (!schedule.NextTick(2).detectRequest)
        ++ticksToDetect;
    EXPECT_EQ(ticksToDetect, 6);
}

} // namespace
