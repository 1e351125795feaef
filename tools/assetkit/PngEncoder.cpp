#include "PngEncoder.h"

#include <zlib.h>

#include <cstdio>
#include <cstdlib>

#include "FileOutput.h"

namespace {

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, const char type[4], const std::vector<std::uint8_t>& data) {
  PutU32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeStart = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  const uLong crc = crc32(0L, out.data() + typeStart, static_cast<uInt>(4 + data.size()));
  PutU32(out, static_cast<std::uint32_t>(crc));
}

int Paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return a;
  return pb <= pc ? b : c;
}

// One scanline filtered with the given PNG filter type (0 to 4).
std::vector<std::uint8_t> FilterRow(int type, const std::uint8_t* row, const std::uint8_t* prev, std::size_t bytes) {
  std::vector<std::uint8_t> out(bytes);
  for (std::size_t i = 0; i < bytes; ++i) {
    const int a = i >= 4 ? row[i - 4] : 0;
    const int b = prev ? prev[i] : 0;
    const int c = (prev && i >= 4) ? prev[i - 4] : 0;
    int predictor = 0;
    switch (type) {
      case 1: predictor = a; break;
      case 2: predictor = b; break;
      case 3: predictor = (a + b) / 2; break;
      case 4: predictor = Paeth(a, b, c); break;
      default: break;
    }
    out[i] = static_cast<std::uint8_t>(row[i] - predictor);
  }
  return out;
}

// Sum of the filtered bytes taken as signed values: the usual guess at which
// filter compresses a row best.
long FilterScore(const std::vector<std::uint8_t>& filtered) {
  long sum = 0;
  for (std::uint8_t v : filtered) sum += std::abs(static_cast<int>(static_cast<std::int8_t>(v)));
  return sum;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(int width, int height, const std::vector<std::uint8_t>& rgba) {
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
  std::vector<std::uint8_t> raw;
  raw.reserve((rowBytes + 1) * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = rgba.data() + rowBytes * static_cast<std::size_t>(y);
    const std::uint8_t* prev = y > 0 ? row - rowBytes : nullptr;
    int bestType = 0;
    std::vector<std::uint8_t> best = FilterRow(0, row, prev, rowBytes);
    long bestScore = FilterScore(best);
    for (int type = 1; type <= 4; ++type) {
      std::vector<std::uint8_t> candidate = FilterRow(type, row, prev, rowBytes);
      const long score = FilterScore(candidate);
      if (score < bestScore) {
        bestScore = score;
        bestType = type;
        best.swap(candidate);
      }
    }
    raw.push_back(static_cast<std::uint8_t>(bestType));
    raw.insert(raw.end(), best.begin(), best.end());
  }

  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::vector<std::uint8_t> packed(packedSize);
  if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), Z_BEST_COMPRESSION) != Z_OK) {
    return {};
  }
  packed.resize(packedSize);

  std::vector<std::uint8_t> header;
  PutU32(header, static_cast<std::uint32_t>(width));
  PutU32(header, static_cast<std::uint32_t>(height));
  header.push_back(8);  // bits per channel
  header.push_back(6);  // colour type: RGBA
  header.push_back(0);  // deflate
  header.push_back(0);  // adaptive filtering
  header.push_back(0);  // not interlaced

  std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", packed);
  PutChunk(png, "IEND", {});
  return png;
}

bool WritePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgba) {
  if (width <= 0 || height <= 0 || rgba.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4) {
    std::fprintf(stderr, "%s: image size does not match its pixels\n", path.c_str());
    return false;
  }
  const std::vector<std::uint8_t> png = EncodePng(width, height, rgba);
  if (png.empty()) {
    std::fprintf(stderr, "%s: compression failed\n", path.c_str());
    return false;
  }
  return WriteFileBytes(path, png);
}
