#pragma once

// Programming errors stop the program. The report names the condition as it
// is written in the source, the source file and the line, for example
//   Assertion failed: team < mc_numTeams, file CMap.cpp, line 57
// Assertions stay on in every build: they guard against misuse, not bad data.

namespace kv {
[[noreturn]] void AssertFailed(const char* expression, const char* file, int line);
}

#define KV_ASSERT(condition) \
  ((condition) ? static_cast<void>(0) : ::kv::AssertFailed(#condition, __FILE__, __LINE__))
