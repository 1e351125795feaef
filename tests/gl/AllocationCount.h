#pragma once

#include <cstddef>

// How many times this test program has called operator new so far; the
// program replaces the global operator new to count.
std::size_t AllocationCount();
