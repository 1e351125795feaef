#include "WavWriter.h"

#include <cmath>

#include "FileOutput.h"

namespace {

void PutTag(std::vector<std::uint8_t>& out, const char tag[4]) { out.insert(out.end(), tag, tag + 4); }

}  // namespace

std::int16_t ToPcm16(float sample) {
  const float clipped = sample > 1.0f ? 1.0f : (sample < -1.0f ? -1.0f : sample);
  return static_cast<std::int16_t>(std::lround(clipped * 32767.0f));
}

std::vector<std::uint8_t> EncodeWav(const std::vector<float>& samples) {
  const std::uint32_t channels = 1;
  const std::uint32_t bytesPerSample = 2;
  const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size()) * bytesPerSample;
  std::vector<std::uint8_t> wav;
  wav.reserve(44 + dataBytes);
  PutTag(wav, "RIFF");
  PutU32LittleEndian(wav, 36 + dataBytes);
  PutTag(wav, "WAVE");
  PutTag(wav, "fmt ");
  PutU32LittleEndian(wav, 16);
  PutU16LittleEndian(wav, 1);  // PCM
  PutU16LittleEndian(wav, channels);
  PutU32LittleEndian(wav, kSampleRate);
  PutU32LittleEndian(wav, kSampleRate * channels * bytesPerSample);
  PutU16LittleEndian(wav, channels * bytesPerSample);
  PutU16LittleEndian(wav, 8 * bytesPerSample);
  PutTag(wav, "data");
  PutU32LittleEndian(wav, dataBytes);
  for (float s : samples) PutU16LittleEndian(wav, static_cast<std::uint16_t>(ToPcm16(s)));
  return wav;
}

bool WriteWav(const std::string& path, const std::vector<float>& samples) {
  return WriteFileBytes(path, EncodeWav(samples));
}
