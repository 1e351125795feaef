#pragma once

#include <cstddef>

// How many times this program has called operator new so far; a test or
// benchmark program that links AllocationCount.cpp replaces the global
// operator new to count.
std::size_t AllocationCount();
