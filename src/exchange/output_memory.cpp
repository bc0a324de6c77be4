#include "exchange/output_memory.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string>

int MemorySize(std::string_view text, int capacity)
{
    const std::string whole(text);
    errno = 0;
    const long value = std::strtol(whole.c_str(), nullptr, 10);
    return static_cast<int>(std::clamp<long>(value, 0, capacity));
}

void OutputMemory::ClearAll()
{
    numeric.fill(' ');
    discrete.fill('0');
    std::copy_n("{7SG", 4, numeric.begin());
    std::copy_n("{LED", 4, discrete.begin());
}

void OutputMemory::ClearOutputs()
{
    std::fill_n(numeric.begin() + 4, 128, ' ');
    std::fill_n(discrete.begin() + 4, 64, '0');
}

void OutputMemory::CopyTestData(int type, int unit, int position, int length, std::string_view data,
                                int numericSize, int discreteSize)
{
    if (type == 1) {
        if (unit < 0 || unit >= numericSize / 8 || position < 0 || position > 7)
            return;
        const int count = std::min<long long>(length, static_cast<long long>(data.size()));
        if (count < 1 || count > 8)
            return;
        const int first = 8 * unit + position;
        for (int i = 0; i < count && first + i < kNumericCapacity; ++i)
            numeric[static_cast<std::size_t>(4 + first + i)] = data[static_cast<std::size_t>(i)];
    } else if (type == 2) {
        if (position < 0 || position >= discreteSize)
            return;
        // Read as atoi would: the leading decimal number, 0 when there is none.
        char text[32] = {};
        data.copy(text, sizeof text - 1);
        const long long value = std::strtoll(text, nullptr, 10);
        discrete[static_cast<std::size_t>(4 + position)] = (value % 2 != 0) ? '1' : '0';
    }
}

TickPlan LinkSchedule::NextTick(int selectedPage)
{
    TickPlan plan;
    if (startCountdown == 0)
        return plan;
    if (startCountdown > 1) {
        --startCountdown;
        return plan;
    }
    plan.active = true;
    if (++detectionCounter >= 10) {
        detectionCounter = 0;
        plan.detectRequest = true;
        return plan;
    }
    plan.numericFrame = selectedPage == kIndicationPage || selectedPage == kAxesPage;
    plan.discreteFrame = selectedPage == kIndicationPage;
    return plan;
}
