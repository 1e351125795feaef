#pragma once

#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "audio/SoundTable.h"
#include "engine/CGameEngine.h"
#include "support/SilentWav.h"
#include "support/TempDir.h"
#include "units/CTank.h"
#include "world/CGameWorld.h"

namespace unitstest {

// 12 x 10 cells, open to the map edge; walls at (3, 7) and (9, 4); repair
// cells (1, 8) and (10, 1); centre (6, 5).
inline constexpr char kFieldMap[] = "tests/maps/units_field.dat";
// The same with a wall border and one more wall at (5, 5).
inline constexpr char kWalledMap[] = "tests/maps/units_walled.dat";

// A real world, built by an engine of its own, on the test battlefield.
class TankWorldTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_world.GetMap().Load(kFieldMap)); }

  CTank* Put(std::uint32_t team, std::int32_t x, std::int32_t y, std::int32_t dx, std::int32_t dy,
             std::int32_t hp = 100) {
    return m_world.AddTank(team, TankState{x, y, dx, dy, hp});
  }

  // One step of a turn: the tanks about to fire first, then the others in
  // list order, each carrying out one step of its queue.
  void RunStep() {
    std::deque<CTank*> order;
    for (const auto& tank : m_world.GetTanks()) {
      if (tank->NextIsFire()) {
        order.push_front(tank.get());
      } else {
        order.push_back(tank.get());
      }
    }
    for (CTank* tank : order) tank->Step();
  }

  void RunSteps(int steps) {
    for (int i = 0; i < steps; ++i) RunStep();
  }

  CGameEngine m_engine;
  CGameWorld& m_world = m_engine.GetWorld();
};

// Opens the mixer on SDL's dummy driver and fills the game's sound table with
// the given number of distinct three-second sounds, so that a test can tell
// which of them play. Everything is undone at the end.
class SoundBoard {
 public:
  explicit SoundBoard(int sounds = kSoundVictory + 1) {
    m_ready = SDL_Init(SDL_INIT_AUDIO) == 0 && Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 1024) == 0;
    if (!m_ready) return;
    const std::string wav = m_dir.Write("silence.wav", SilentWav(3 * 44100));
    for (int id = 0; id < sounds; ++id) {
      auto sound = std::make_unique<CSound>();
      m_chunks.push_back(sound->Load(wav.c_str()));
      GetSounds().push_back(std::move(sound));
    }
  }
  ~SoundBoard() {
    if (m_ready) Mix_HaltChannel(-1);
    ClearSounds(GetSounds());
    if (m_ready) Mix_CloseAudio();
    SDL_Quit();
  }
  SoundBoard(const SoundBoard&) = delete;
  SoundBoard& operator=(const SoundBoard&) = delete;

  bool Ready() const {
    if (!m_ready) return false;
    for (Mix_Chunk* chunk : m_chunks) {
      if (!chunk) return false;
    }
    return true;
  }
  // Channels now playing the sound with that id.
  int Playing(int id) const {
    int count = 0;
    for (int channel = 0; channel < Mix_AllocateChannels(-1); ++channel) {
      if (Mix_Playing(channel) && Mix_GetChunk(channel) == m_chunks[static_cast<std::size_t>(id)]) ++count;
    }
    return count;
  }
  int PlayingAny() const { return Mix_Playing(-1); }
  void HaltAll() const { Mix_HaltChannel(-1); }

 private:
  TempDir m_dir;                     // holds the sound file
  bool m_ready = false;              // the mixer is open
  std::vector<Mix_Chunk*> m_chunks;  // the chunk behind each id
};

}  // namespace unitstest
