#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdint>
#include <string>

#include "audio/SoundTable.h"
#include "support/SilentWav.h"
#include "support/TempDir.h"

namespace {

// The mixer is opened on SDL's dummy audio driver, as the game opens it.
class SoundTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 1024), 0) << Mix_GetError();
  }
  void TearDown() override {
    m_table.clear();
    Mix_CloseAudio();
    SDL_Quit();
  }

  SoundTable m_table;
  TempDir m_dir;
};

}  // namespace

TEST_F(SoundTableTest, IdsEqualLineNumbersWhateverLoads) {
  const std::string wav = m_dir.Write("ok.wav", SilentWav(441));
  const std::string junk = m_dir.Write("junk.wav", "not a sound at all");
  const std::string list = m_dir.Write("sounds.dat", "\n" + wav + "\n" + junk + "\r\n" + m_dir.File("missing.wav") + "\n" + wav);
  LoadSounds(m_table, list.c_str());
  ASSERT_EQ(m_table.size(), 5u);
  EXPECT_EQ(GetSound(m_table, 0)->Play(false), -1);  // empty line: an entry without sound
  EXPECT_GE(GetSound(m_table, 1)->Play(false), 0);
  EXPECT_EQ(GetSound(m_table, 2)->Play(false), -1);  // broken file
  EXPECT_EQ(GetSound(m_table, 3)->Play(false), -1);  // missing file
  EXPECT_GE(GetSound(m_table, 4)->Play(false), 0);   // last line without line feed
  EXPECT_EQ(GetSound(m_table, 5), nullptr);
  EXPECT_EQ(GetSound(m_table, -1), nullptr);
}

// Found by fuzzing the sound list: a file that starts like FLAC and then
// breaks off is left out like any broken file. (SDL_mixer keeps part of its
// decoder then; the sanitizer build's leak check must name only that.)
TEST_F(SoundTableTest, BrokenFileThatStartsLikeFlacIsLeftOut) {
  std::string flac = "fLaC";
  for (int i = 0; i < 600; ++i) flac.push_back(static_cast<char>(i * 37 + 11));
  const std::string path = m_dir.Write("broken.flac", flac);
  CSound sound;
  EXPECT_EQ(sound.Load(path.c_str()), nullptr);
  EXPECT_EQ(sound.Play(false), -1);
}

TEST_F(SoundTableTest, MissingListLeavesTheTableEmpty) {
  LoadSounds(m_table, m_dir.File("none.dat").c_str());
  EXPECT_TRUE(m_table.empty());
}

TEST_F(SoundTableTest, OverlongLinesAreCutIntoSeveralEntries) {
  const std::string list = m_dir.Write("sounds.dat", std::string(1022, 'a') + "\n" + std::string(1023, 'b') + "\n");
  LoadSounds(m_table, list.c_str());
  // 1022 characters make one entry; 1023 fill the buffer and the line end left over makes another.
  EXPECT_EQ(m_table.size(), 3u);
}

TEST_F(SoundTableTest, LoopingSoundKeepsItsChannelUntilFaded) {
  const std::string wav = m_dir.Write("ok.wav", SilentWav(441));
  CSound sound;
  ASSERT_NE(sound.Load(wav.c_str()), nullptr);
  const int channel = sound.Play(true);
  ASSERT_GE(channel, 0);
  SDL_Delay(50);
  EXPECT_TRUE(Mix_Playing(channel));
  FadeOutChannel(channel, 10);
  SDL_Delay(100);
  EXPECT_FALSE(Mix_Playing(channel));
}

TEST(SoundWithoutMixerTest, NothingLoadsAndNothingPlays) {
  TempDir dir;
  const std::string wav = dir.Write("ok.wav", SilentWav(441));
  CSound sound;
  EXPECT_EQ(sound.Load(wav.c_str()), nullptr);
  EXPECT_EQ(sound.Play(true), -1);
  FadeOutChannel(-1, 500);  // no mixer: nothing to fade, and no crash
}
