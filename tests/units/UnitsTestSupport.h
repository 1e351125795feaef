#pragma once

#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "audio/SoundTable.h"
#include "map/CMap.h"
#include "support/SilentWav.h"
#include "support/TempDir.h"
#include "units/CTank.h"
#include "units/CTankArena.h"

namespace unitstest {

// 12 x 10 cells, open to the map edge; walls at (3, 7) and (9, 4); repair
// cells (1, 8) and (10, 1); centre (6, 5).
inline constexpr char kFieldMap[] = "tests/maps/units_field.dat";
// The same with a wall border and one more wall at (5, 5).
inline constexpr char kWalledMap[] = "tests/maps/units_walled.dat";

// Tanks on the test battlefield with an arena of their own: what a match
// does for its tanks while they take their steps and nothing more. A shell
// hits the first tank on the cell it stops on; moves, shells and repairs are
// counted so that a test can tell they came.
class TankWorldTest : public ::testing::Test, public CTankArena {
 protected:
  // Where a shell stopped and who fired it.
  struct Shell {
    const CTank* shooter;  // the tank that fired
    std::int32_t x, y;     // where the shell stopped
  };

  void SetUp() override { ASSERT_TRUE(m_map.Load(kFieldMap)); }

  CTank* Put(std::uint32_t team, std::int32_t x, std::int32_t y, std::int32_t dx, std::int32_t dy,
             std::int32_t hp = 100) {
    m_tanks.emplace_back();
    CTank& tank = m_tanks.back();
    tank.SetState(TankState{x, y, dx, dy, hp});
    tank.SetTeam(static_cast<std::int32_t>(team));
    return &tank;
  }

  // One step of a turn as a match runs it: the tanks about to fire first
  // (the last of them in the list first), then the others in list order,
  // each carrying out one step of its queue.
  void RunStep() {
    std::deque<CTank*> order;
    for (CTank& tank : m_tanks) {
      if (tank.NextIsFire()) {
        order.push_front(&tank);
      } else {
        order.push_back(&tank);
      }
    }
    for (CTank* tank : order) tank->Step(*this);
  }

  void RunSteps(int steps) {
    for (int i = 0; i < steps; ++i) RunStep();
  }

  const CMap& GetMap() const override { return m_map; }
  bool IsTankAt(std::int32_t x, std::int32_t y, std::int32_t exceptTeam) const override {
    for (const CTank& tank : m_tanks) {
      if (tank.GetX() == x && tank.GetY() == y && tank.GetTeam() != exceptTeam) return true;
    }
    return false;
  }
  void ShellLands(const CTank& shooter, std::int32_t x, std::int32_t y) override {
    m_shells.push_back(Shell{&shooter, x, y});
    for (CTank& tank : m_tanks) {
      if (tank.GetX() != x || tank.GetY() != y) continue;
      tank.TakeHit(HeadingIndex(shooter.GetState().dx, shooter.GetState().dy), m_map.IsRepairCell(x, y));
      return;
    }
  }
  void TankMoved(const CTank&) override { ++m_moves; }
  void TankRepaired(const CTank&, std::int32_t amount) override { m_repaired += amount; }

  CMap m_map;                  // the battlefield
  std::deque<CTank> m_tanks;   // every tank, in list order
  std::vector<Shell> m_shells; // every shell fired, in order
  int m_moves = 0;             // moves and turns carried out
  std::int32_t m_repaired = 0; // hit points regained on repair cells
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
