#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Encodes an 8-bit RGBA image (rows top to bottom, 4 bytes a pixel, straight
// alpha) as a PNG file image. The output depends only on the pixels, so the
// same picture always gives the same bytes.
std::vector<std::uint8_t> EncodePng(int width, int height, const std::vector<std::uint8_t>& rgba);

// Encodes and writes the file; false (with a message on stderr) on failure.
bool WritePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgba);
