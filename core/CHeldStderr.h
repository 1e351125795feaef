#pragma once

#include <cstdio>
#include <string>

// While it holds, what is written to standard error (through stdio or
// straight to the descriptor) is kept back instead of shown, so that the
// game can fold a library's complaint into a line of its own. Not nested in
// a CQuietStderr or another CHeldStderr: it holds until it releases.
class CHeldStderr {
 public:
  // Starts holding; when no temporary file can be made nothing is held, and
  // messages show at once.
  CHeldStderr();
  // Stops holding and writes out what was held, if Release did not take it.
  ~CHeldStderr();
  CHeldStderr(const CHeldStderr&) = delete;
  CHeldStderr& operator=(const CHeldStderr&) = delete;

  // Stops holding and returns what was held, which is then not written out;
  // empty when nothing was held or written, or on a second call.
  std::string Release();

 private:
  int m_savedStderr = -1;       // the real standard error while holding; -1 when not holding
  std::FILE* m_held = nullptr;  // the temporary file receiving what is held
};
