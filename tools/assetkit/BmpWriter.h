#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// One palette entry.
struct PaletteColour {
  std::uint8_t r, g, b;
};

// Encodes an image of palette indices (rows top to bottom, one byte a pixel)
// as an uncompressed 8-bit Windows BMP file image with a 256-entry palette.
std::vector<std::uint8_t> EncodeBmp8(int width, int height, const std::vector<std::uint8_t>& indices,
                                     const std::array<PaletteColour, 256>& palette);

// Encodes and writes the file; false (with a message on stderr) on failure.
bool WriteBmp8(const std::string& path, int width, int height, const std::vector<std::uint8_t>& indices,
               const std::array<PaletteColour, 256>& palette);
