#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/assetkit/WavWriter.h"

// The bytes of a 16-bit mono WAV file of silence, `samples` long at 44100 Hz.
inline std::string SilentWav(std::uint32_t samples) {
  const std::vector<std::uint8_t> bytes = EncodeWav(std::vector<float>(samples, 0.0f));
  return std::string(bytes.begin(), bytes.end());
}
