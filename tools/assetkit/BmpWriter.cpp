#include "BmpWriter.h"

#include <cstdio>

#include "FileOutput.h"

std::vector<std::uint8_t> EncodeBmp8(int width, int height, const std::vector<std::uint8_t>& indices,
                                     const std::array<PaletteColour, 256>& palette) {
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) + 3u) & ~3u;  // rows are padded to 4 bytes
  const std::uint32_t headerBytes = 14 + 40 + 256 * 4;
  const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(height);
  std::vector<std::uint8_t> bmp;
  bmp.reserve(headerBytes + pixelBytes);
  bmp.push_back('B');
  bmp.push_back('M');
  PutU32LittleEndian(bmp, headerBytes + pixelBytes);
  PutU32LittleEndian(bmp, 0);  // reserved
  PutU32LittleEndian(bmp, headerBytes);
  PutU32LittleEndian(bmp, 40);  // BITMAPINFOHEADER
  PutU32LittleEndian(bmp, static_cast<std::uint32_t>(width));
  PutU32LittleEndian(bmp, static_cast<std::uint32_t>(height));  // positive: rows stored bottom to top
  PutU16LittleEndian(bmp, 1);   // planes
  PutU16LittleEndian(bmp, 8);   // bits per pixel
  PutU32LittleEndian(bmp, 0);   // no compression
  PutU32LittleEndian(bmp, pixelBytes);
  PutU32LittleEndian(bmp, 2835);  // 72 dpi
  PutU32LittleEndian(bmp, 2835);
  PutU32LittleEndian(bmp, 256);  // palette entries used
  PutU32LittleEndian(bmp, 0);    // all of them important
  for (const PaletteColour& c : palette) {
    bmp.push_back(c.b);
    bmp.push_back(c.g);
    bmp.push_back(c.r);
    bmp.push_back(0);
  }
  for (int y = height - 1; y >= 0; --y) {
    const std::size_t start = static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
    bmp.insert(bmp.end(), indices.begin() + static_cast<std::ptrdiff_t>(start),
               indices.begin() + static_cast<std::ptrdiff_t>(start + static_cast<std::size_t>(width)));
    for (std::uint32_t pad = static_cast<std::uint32_t>(width); pad < rowBytes; ++pad) bmp.push_back(0);
  }
  return bmp;
}

bool WriteBmp8(const std::string& path, int width, int height, const std::vector<std::uint8_t>& indices,
               const std::array<PaletteColour, 256>& palette) {
  if (width <= 0 || height <= 0 || indices.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    std::fprintf(stderr, "%s: image size does not match its pixels\n", path.c_str());
    return false;
  }
  return WriteFileBytes(path, EncodeBmp8(width, height, indices, palette));
}
