#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <queue>
#include <string>
#include <vector>

#include "audio/SoundTable.h"
#include "core/CLineReader.h"
#include "core/DataFiles.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t U32At(const std::string& b, std::size_t at) {
  return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8 |
         static_cast<std::uint8_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 3])) << 24;
}
std::uint16_t U16At(const std::string& b, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8);
}

// The format and samples of a plain 44-byte-header PCM WAV file.
struct WavInfo {
  bool plain = false;  // RIFF/WAVE with a 16-byte fmt chunk right before the data
  unsigned format = 0, channels = 0, rate = 0, bits = 0;
  std::vector<std::int16_t> samples;
};

WavInfo ReadWav(const std::string& path) {
  WavInfo info;
  const std::string b = ReadFile(path);
  if (b.size() < 44 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 8, "WAVEfmt ") != 0 ||
      U32At(b, 16) != 16 || b.compare(36, 4, "data") != 0 || U32At(b, 40) != b.size() - 44) {
    return info;
  }
  info.plain = true;
  info.format = U16At(b, 20);
  info.channels = U16At(b, 22);
  info.rate = U32At(b, 24);
  info.bits = U16At(b, 34);
  for (std::size_t at = 44; at + 1 < b.size(); at += 2) info.samples.push_back(static_cast<std::int16_t>(U16At(b, at)));
  return info;
}

std::vector<std::string> ListEntries(const char* listPath) {
  std::vector<std::string> entries;
  CLineReader reader(1024);
  if (!reader.Open(listPath)) return entries;
  std::string line;
  while (reader.Next(line)) entries.push_back(line);
  return entries;
}

// Sign changes per second: a rough measure of how high a sound sits.
double CrossingsPerSecond(const std::vector<std::int16_t>& s) {
  int crossings = 0;
  for (std::size_t i = 1; i < s.size(); ++i) crossings += (s[i - 1] < 0) != (s[i] < 0);
  return s.empty() ? 0.0 : crossings * 44100.0 / static_cast<double>(s.size());
}

// The mixer opened on SDL's dummy driver as the game opens it.
class ShippedSoundsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 1024), 0) << Mix_GetError();
    Mix_AllocateChannels(64);
  }
  void TearDown() override {
    ClearSounds(m_table);
    Mix_CloseAudio();
    SDL_Quit();
  }

  SoundTable m_table;
};

}  // namespace

TEST_F(ShippedSoundsTest, EverySoundDecodesAndPlays) {
  LoadSounds(m_table, kv::kSoundListFile);
  ASSERT_EQ(m_table.size(), 6u);
  for (int id = 0; id < 6; ++id) {
    EXPECT_GE(GetSound(m_table, id)->Play(false), 0) << "sound id " << id << " did not load";
  }
}

TEST_F(ShippedSoundsTest, SoundsAre16BitPcmAt44100AndShort) {
  const std::vector<std::string> files = ListEntries(kv::kSoundListFile);
  ASSERT_EQ(files.size(), 6u);
  for (const std::string& file : files) {
    const WavInfo wav = ReadWav(file);
    ASSERT_TRUE(wav.plain) << file;
    EXPECT_EQ(wav.format, 1u) << file;
    EXPECT_EQ(wav.rate, 44100u) << file;
    EXPECT_EQ(wav.bits, 16u) << file;
    EXPECT_EQ(wav.channels, 1u) << file;
    EXPECT_GT(wav.samples.size(), 441u) << file << ": shorter than 10 ms";
    EXPECT_LT(wav.samples.size(), 2u * 44100u) << file << ": longer than 2 s";
    // Loud enough to hear and not clipped flat.
    int peak = 0;
    for (std::int16_t v : wav.samples) peak = std::max(peak, std::abs(static_cast<int>(v)));
    EXPECT_GT(peak, 8000) << file;
    EXPECT_LT(peak, 32767) << file;
  }
}

TEST_F(ShippedSoundsTest, EngineLoopHasNoClickAtTheSeamAndShotsDiffer) {
  const std::vector<std::string> files = ListEntries(kv::kSoundListFile);
  ASSERT_EQ(files.size(), 6u);
  const WavInfo engine = ReadWav(files[kSoundEngine]);
  ASSERT_TRUE(engine.plain);
  ASSERT_GT(engine.samples.size(), 100u);
  // The jump from the last sample back to the first is no bigger than the
  // ordinary steps inside the loop.
  std::vector<int> steps;
  for (std::size_t i = 1; i < engine.samples.size(); ++i) {
    steps.push_back(std::abs(engine.samples[i] - engine.samples[i - 1]));
  }
  std::sort(steps.begin(), steps.end());
  const int typicalLargeStep = steps[steps.size() * 99 / 100];
  EXPECT_LE(std::abs(engine.samples.front() - engine.samples.back()), typicalLargeStep);

  const WavInfo green = ReadWav(files[kSoundGreenShot]);
  const WavInfo blue = ReadWav(files[kSoundBlueShot]);
  ASSERT_TRUE(green.plain && blue.plain);
  EXPECT_GT(CrossingsPerSecond(blue.samples), 2.0 * CrossingsPerSecond(green.samples))
      << "the blue shot should sit clearly higher than the green one";
}

TEST(ShippedIconTest, MeetsTheWindowIconRules) {
  SDL_Surface* icon = SDL_LoadBMP_RW(SDL_RWFromFile(kv::kIconFile, "rb"), 1);
  ASSERT_NE(icon, nullptr) << SDL_GetError();
  EXPECT_EQ(icon->w, 32);
  EXPECT_EQ(icon->h, 32);
  ASSERT_NE(icon->format->palette, nullptr);
  ASSERT_EQ(icon->format->BitsPerPixel, 8);
  // The first pixel byte is the colour key; the background around the tank
  // (all four corners) is that colour, and the tank itself is drawn in others.
  const auto* pixels = static_cast<const std::uint8_t*>(icon->pixels);
  const std::uint8_t key = pixels[0];
  EXPECT_EQ(pixels[31], key);
  EXPECT_EQ(pixels[31 * icon->pitch], key);
  EXPECT_EQ(pixels[31 * icon->pitch + 31], key);
  int drawn = 0;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) drawn += pixels[y * icon->pitch + x] != key;
  }
  EXPECT_GT(drawn, 32 * 32 / 3);
  EXPECT_LT(drawn, 32 * 32);
  SDL_FreeSurface(icon);
}

namespace {

// The shipped battlefield read as the game reads it: the first line is the
// top row; '#' is a wall, anything else open; short lines padded with open ground.
struct Battlefield {
  int width = 0, height = 0;
  std::vector<std::string> rows;  // rows[y], y = 0 the bottom row

  bool Open(int x, int y) const {
    return x >= 0 && y >= 0 && x < width && y < height &&
           (static_cast<std::size_t>(x) >= rows[y].size() || rows[y][x] != '#');
  }
};

Battlefield LoadBattlefield() {
  Battlefield field;
  CLineReader reader(3024);
  if (!reader.Open(kv::kMapFile)) return field;
  std::string line;
  while (reader.Next(line)) {
    field.rows.insert(field.rows.begin(), line);
    field.width = std::max(field.width, static_cast<int>(line.size()));
  }
  field.height = static_cast<int>(field.rows.size());
  return field;
}

}  // namespace

TEST(ShippedMapTest, HoldsEveryGame) {
  const Battlefield f = LoadBattlefield();
  ASSERT_GE(f.width, 12);  // room for ten tanks in a row between the side walls
  ASSERT_GE(f.height, 4);
  EXPECT_LE(f.width, 25);
  EXPECT_LE(f.height, 22);
  const int w = f.width, h = f.height;
  for (int x = 0; x < w; ++x) {
    EXPECT_FALSE(f.Open(x, 0)) << "border open at (" << x << ", 0)";
    EXPECT_FALSE(f.Open(x, h - 1)) << "border open at (" << x << ", " << h - 1 << ")";
  }
  for (int y = 0; y < h; ++y) {
    EXPECT_FALSE(f.Open(0, y)) << "border open at (0, " << y << ")";
    EXPECT_FALSE(f.Open(w - 1, y)) << "border open at (" << w - 1 << ", " << y << ")";
  }
  for (int i = 0; i < 10; ++i) {
    EXPECT_TRUE(f.Open(i + 1, 1)) << "green start " << i;
    EXPECT_TRUE(f.Open(w - i - 2, h - 2)) << "blue start " << i;
  }
  EXPECT_TRUE(f.Open(w / 2, h / 2)) << "centre cell";
  EXPECT_TRUE(f.Open(1, h - 2)) << "repair cell";
  EXPECT_TRUE(f.Open(w - 2, 1)) << "repair cell";
  const int goals[][2] = {{18, 10}, {18, 5}, {13, 5}, {6, 16}, {6, 11}, {6, 7}};
  for (const auto& g : goals) EXPECT_TRUE(f.Open(g[0], g[1])) << "goal (" << g[0] << ", " << g[1] << ")";

  // Every open cell can be reached from the green corner.
  std::vector<std::vector<bool>> seen(h, std::vector<bool>(w, false));
  std::queue<std::pair<int, int>> frontier;
  frontier.push({1, 1});
  seen[1][1] = true;
  while (!frontier.empty()) {
    const auto [x, y] = frontier.front();
    frontier.pop();
    const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (const auto& s : steps) {
      const int nx = x + s[0], ny = y + s[1];
      if (f.Open(nx, ny) && !seen[ny][nx]) {
        seen[ny][nx] = true;
        frontier.push({nx, ny});
      }
    }
  }
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) EXPECT_FALSE(f.Open(x, y) && !seen[y][x]) << "(" << x << ", " << y << ") unreachable";
  }
}
