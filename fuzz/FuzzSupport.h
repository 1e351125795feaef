#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CMap;

// Shared by the fuzz targets: a check that ends the run as a crash (so that
// libFuzzer keeps the input), a line splitter written apart from the game's
// readers to check them against, a border test, and a scratch file for readers that only
// read files.

// Ends the program with the failed condition; libFuzzer reports it as a crash
// and saves the input.
#define FUZZ_CHECK(condition) \
  ((condition) ? static_cast<void>(0) : kvfuzz::CheckFailed(#condition, __FILE__, __LINE__))

namespace kvfuzz {

[[noreturn]] void CheckFailed(const char* condition, const char* file, int line);

// Splits text the way the game's line readers do with a buffer of
// bufferSize bytes: CR LF counts as LF; a piece ends at a line feed (not part
// of it) or when it holds bufferSize - 1 characters; a last piece without a
// line feed counts unless it is empty.
std::vector<std::string> SplitPieces(const std::uint8_t* data, std::size_t size, std::size_t bufferSize);

// Whether every cell on the edge of the map (which has cells) is a wall,
// worked out apart from the game's own test.
bool HasClosedBorder(const CMap& map);

// A file of this process under the system's temporary folder, rewritten for
// every input and removed at exit.
class ScratchFile {
 public:
  explicit ScratchFile(const char* name);
  ~ScratchFile();
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;

  // Replaces the file's bytes; returns its path.
  const std::string& Write(const std::uint8_t* data, std::size_t size);
  const std::string& Path() const { return m_path; }

 private:
  std::string m_path;  // the file
};

}  // namespace kvfuzz
