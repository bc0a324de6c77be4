#pragma once
// Counts the heap allocations of this process, to show that a hot path makes none.

#include <atomic>
#include <cstddef>

std::size_t AllocationCount();
