#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Writes the bytes to the file, replacing it; false (with a message on stderr)
// when the file cannot be written whole.
bool WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
bool WriteFileText(const std::string& path, const std::string& text);

// Creates OUTDIR/Data, where every generator writes, and sets dataDir to it;
// false (with a message on stderr) when it cannot be made.
bool MakeDataFolder(const char* outDir, std::filesystem::path& dataDir);

// Appends a 16-bit or 32-bit number least significant byte first, as BMP and
// WAV files hold them.
void PutU16LittleEndian(std::vector<std::uint8_t>& out, std::uint32_t v);
void PutU32LittleEndian(std::vector<std::uint8_t>& out, std::uint32_t v);
