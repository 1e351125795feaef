#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes the bytes to the file, replacing it; false (with a message on stderr)
// when the file cannot be written whole.
bool WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
bool WriteFileText(const std::string& path, const std::string& text);
