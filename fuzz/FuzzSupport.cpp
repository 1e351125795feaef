#include "fuzz/FuzzSupport.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "map/CMap.h"

namespace kvfuzz {

void CheckFailed(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "Fuzz check failed: %s, file %s, line %d\n", condition, file, line);
  std::fflush(stderr);
  std::abort();
}

std::vector<std::string> SplitPieces(const std::uint8_t* data, std::size_t size, std::size_t bufferSize) {
  std::string text;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == '\r' && i + 1 < size && data[i + 1] == '\n') continue;  // the LF that follows ends the line
    text.push_back(static_cast<char>(data[i]));
  }
  const std::size_t maxPiece = bufferSize - 1;
  std::vector<std::string> pieces;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t lineFeed = text.find('\n', pos);
    const std::size_t lineEnd = lineFeed == std::string::npos ? text.size() : lineFeed;
    if (lineEnd - pos >= maxPiece) {
      // A full piece: the rest of the line, or its line feed alone, follows.
      pieces.push_back(text.substr(pos, maxPiece));
      pos += maxPiece;
    } else {
      pieces.push_back(text.substr(pos, lineEnd - pos));
      pos = lineFeed == std::string::npos ? text.size() : lineFeed + 1;
    }
  }
  return pieces;
}

ScratchFile::ScratchFile(const char* name) {
  m_path = (std::filesystem::temp_directory_path() /
            ("korvane-fuzz-" + std::to_string(getpid()) + "-" + name)).string();
}

ScratchFile::~ScratchFile() { std::remove(m_path.c_str()); }

const std::string& ScratchFile::Write(const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(m_path.c_str(), "wb");
  FUZZ_CHECK(file != nullptr);
  FUZZ_CHECK(size == 0 || std::fwrite(data, 1, size, file) == size);
  FUZZ_CHECK(std::fclose(file) == 0);
  return m_path;
}

bool HasClosedBorder(const CMap& map) {
  const std::uint32_t w = map.GetWidth();
  const std::uint32_t h = map.GetHeight();
  for (std::uint32_t x = 0; x < w; ++x) {
    if (!map.IsWall(x, 0) || !map.IsWall(x, h - 1)) return false;
  }
  for (std::uint32_t y = 0; y < h; ++y) {
    if (!map.IsWall(0, y) || !map.IsWall(w - 1, y)) return false;
  }
  return true;
}

}  // namespace kvfuzz
