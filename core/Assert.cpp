#include "core/Assert.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace kv {

namespace {

// The report names the file, not the build machine's path to it.
const char* BaseName(const char* path) {
  const char* name = path;
  for (const char* p = path; *p; ++p) {
    if (*p == '/' || *p == '\\') name = p + 1;
  }
  return name;
}

}  // namespace

void AssertFailed(const char* expression, const char* file, int line) {
  std::fprintf(stderr, "Assertion failed: %s, file %s, line %d\n", expression, BaseName(file), line);
  std::fflush(stderr);
  std::abort();
}

}  // namespace kv
