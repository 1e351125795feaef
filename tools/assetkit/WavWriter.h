#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Sample rate of every sound the game ships; the mixer runs at the same rate,
// so nothing is resampled when the game plays them.
constexpr int kSampleRate = 44100;

// Turns samples in [-1, 1] into 16-bit signed PCM (clipping what lies outside)
// and wraps them in a mono RIFF WAVE file image.
std::vector<std::uint8_t> EncodeWav(const std::vector<float>& samples);

// Encodes and writes the file; false (with a message on stderr) on failure.
bool WriteWav(const std::string& path, const std::vector<float>& samples);

// The 16-bit value a sample becomes.
std::int16_t ToPcm16(float sample);
