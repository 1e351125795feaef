#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>

#include <array>
#include <cstdint>
#include <vector>

#include "assetkit/BmpWriter.h"
#include "assetkit/CCanvas.h"
#include "assetkit/PngEncoder.h"
#include "assetkit/WavWriter.h"

// The writers are checked by reading their output back with the same
// libraries the game loads its files with.

TEST(AssetWritersTest, PngKeepsEveryChannelOfEveryPixel) {
  // An odd size and rows that favour different filters.
  const int w = 7, h = 5;
  std::vector<std::uint8_t> rgba;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      rgba.push_back(static_cast<std::uint8_t>(x * 37 + y * 11));
      rgba.push_back(static_cast<std::uint8_t>(y * 50 + (x % 2) * 100));
      rgba.push_back(static_cast<std::uint8_t>(255 - x * y * 6));
      rgba.push_back(static_cast<std::uint8_t>((x + y) * 30));  // alpha 0 at the corner, partial elsewhere
    }
  }
  const std::vector<std::uint8_t> png = EncodePng(w, h, rgba);
  SDL_Surface* s = IMG_Load_RW(SDL_RWFromConstMem(png.data(), static_cast<int>(png.size())), 1);
  ASSERT_NE(s, nullptr) << IMG_GetError();
  ASSERT_EQ(s->w, w);
  ASSERT_EQ(s->h, h);
  ASSERT_EQ(s->format->BitsPerPixel, 32);
  ASSERT_EQ(SDL_LockSurface(s), 0);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const Uint32 pixel = static_cast<const Uint32*>(s->pixels)[y * (s->pitch / 4) + x];
      Uint8 c[4];
      SDL_GetRGBA(pixel, s->format, &c[0], &c[1], &c[2], &c[3]);
      for (int ch = 0; ch < 4; ++ch) {
        EXPECT_EQ(c[ch], rgba[static_cast<std::size_t>((y * w + x) * 4 + ch)]) << "pixel " << x << "," << y << " channel " << ch;
      }
    }
  }
  SDL_UnlockSurface(s);
  SDL_FreeSurface(s);
}

TEST(AssetWritersTest, BmpKeepsPaletteAndRowsTopToBottom) {
  const int w = 5, h = 3;  // rows padded to 8 bytes in the file
  std::array<PaletteColour, 256> palette{};
  for (int i = 0; i < 256; ++i) {
    palette[static_cast<std::size_t>(i)] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                                            static_cast<std::uint8_t>(i * 7)};
  }
  std::vector<std::uint8_t> indices;
  for (int i = 0; i < w * h; ++i) indices.push_back(static_cast<std::uint8_t>(i * 17 + 3));
  const std::vector<std::uint8_t> bmp = EncodeBmp8(w, h, indices, palette);
  SDL_Surface* s = SDL_LoadBMP_RW(SDL_RWFromConstMem(bmp.data(), static_cast<int>(bmp.size())), 1);
  ASSERT_NE(s, nullptr) << SDL_GetError();
  ASSERT_EQ(s->w, w);
  ASSERT_EQ(s->h, h);
  ASSERT_NE(s->format->palette, nullptr);
  ASSERT_EQ(s->format->BitsPerPixel, 8);
  const auto* pixels = static_cast<const std::uint8_t*>(s->pixels);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const std::uint8_t index = pixels[y * s->pitch + x];
      EXPECT_EQ(index, indices[static_cast<std::size_t>(y * w + x)]) << "pixel " << x << "," << y;
      const SDL_Color c = s->format->palette->colors[index];
      EXPECT_EQ(c.r, palette[index].r);
      EXPECT_EQ(c.g, palette[index].g);
      EXPECT_EQ(c.b, palette[index].b);
    }
  }
  SDL_FreeSurface(s);
}

TEST(AssetWritersTest, WavHolds16BitMonoSamplesClipped) {
  const std::vector<float> samples = {0.0f, 0.5f, -0.5f, 1.0f, -1.0f, 1.7f, -3.0f, 0.25f};
  const std::vector<std::uint8_t> wav = EncodeWav(samples);
  SDL_AudioSpec format;
  Uint8* buffer = nullptr;
  Uint32 length = 0;
  ASSERT_NE(SDL_LoadWAV_RW(SDL_RWFromConstMem(wav.data(), static_cast<int>(wav.size())), 1, &format, &buffer, &length),
            nullptr)
      << SDL_GetError();
  EXPECT_EQ(format.freq, 44100);
  EXPECT_EQ(format.format, AUDIO_S16LSB);
  EXPECT_EQ(format.channels, 1);
  ASSERT_EQ(length, samples.size() * 2);
  const std::int16_t expected[] = {0, 16384, -16384, 32767, -32767, 32767, -32767, 8192};
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const std::int16_t got = static_cast<std::int16_t>(buffer[2 * i] | buffer[2 * i + 1] << 8);
    EXPECT_EQ(got, expected[i]) << "sample " << i;
  }
  SDL_FreeWAV(buffer);
}

TEST(AssetWritersTest, CanvasBlendsOverAndGivesClearPixelsTheirNeighboursColour) {
  CCanvas canvas(5, 1);
  canvas.SetPixel(0, 0, {1.0f, 0.0f, 0.0f, 1.0f});
  canvas.Blend(0, 0, {0.0f, 0.0f, 1.0f, 0.5f}, 1.0f);  // half blue over red
  canvas.Blend(1, 0, {0.0f, 1.0f, 0.0f, 0.5f}, 0.5f);  // quarter green over nothing
  const std::vector<std::uint8_t> bytes = canvas.ToRgba8();
  ASSERT_EQ(bytes.size(), 20u);
  EXPECT_EQ(bytes[0], 128);  // red
  EXPECT_EQ(bytes[2], 128);  // blue
  EXPECT_EQ(bytes[3], 255);
  EXPECT_EQ(bytes[5], 255);  // a lone colour over transparency keeps its full value
  EXPECT_EQ(bytes[7], 64);   // and a quarter alpha
  // The clear pixel beside the green one takes its colour but stays clear, so
  // filtering at the sprite's edge blends towards green, not black.
  EXPECT_EQ(bytes[8], 0);
  EXPECT_EQ(bytes[9], 255);
  EXPECT_EQ(bytes[11], 0);
  // Two pixels away the colour still reaches; three away it does not, and
  // the pixel stays plain transparent black.
  EXPECT_EQ(bytes[13], 255);
  EXPECT_EQ(bytes[15], 0);
  EXPECT_EQ(bytes[16], 0);
  EXPECT_EQ(bytes[17], 0);
  EXPECT_EQ(bytes[19], 0);
}
