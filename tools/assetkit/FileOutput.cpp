#include "FileOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

bool WriteRaw(const std::string& path, const void* data, std::size_t size) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) {
    std::fprintf(stderr, "%s: %s\n", path.c_str(), std::strerror(errno));
    return false;
  }
  const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    std::fprintf(stderr, "%s: could not be written\n", path.c_str());
    return false;
  }
  return true;
}

}  // namespace

bool WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  return WriteRaw(path, bytes.data(), bytes.size());
}

bool WriteFileText(const std::string& path, const std::string& text) {
  return WriteRaw(path, text.data(), text.size());
}

bool MakeDataFolder(const char* outDir, std::filesystem::path& dataDir) {
  dataDir = std::filesystem::path(outDir) / "Data";
  std::error_code error;
  std::filesystem::create_directories(dataDir, error);
  if (error) {
    std::fprintf(stderr, "%s: %s\n", dataDir.string().c_str(), error.message().c_str());
    return false;
  }
  return true;
}

void PutU16LittleEndian(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void PutU32LittleEndian(std::vector<std::uint8_t>& out, std::uint32_t v) {
  PutU16LittleEndian(out, v & 0xFFFFu);
  PutU16LittleEndian(out, v >> 16);
}
