#pragma once

#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdint>
#include <string>

#include "app/CGameSession.h"
#include "app/CSettings.h"
#include "core/CAsyncFileWriter.h"
#include "record/CTurnClock.h"
#include "screen/ScreenLayout.h"
#include "units/CTank.h"
#include "world/CGameWorld.h"

namespace worldtest {

// 14 x 12 cells with a wall border. Open: rows 1, 2 and 10 from x 1 to 12,
// and the field x 4 to 9, y 3 to 9, with the centre cell (7, 6). Six pockets,
// single open cells walled in on all four sides, park tanks out of the game:
// (2, 4), (2, 6), (2, 8), (11, 4), (11, 6), (11, 8). Repair cells (1, 10) and
// (12, 1).
inline constexpr char kArenaMap[] = "tests/maps/world_arena.dat";
inline constexpr std::int32_t kArenaWidth = 14;
inline constexpr std::int32_t kArenaHeight = 12;
// 7 x 7, open inside a wall border: room for three tanks a team, not ten.
inline constexpr char kNarrowMap[] = "tests/maps/world_narrow.dat";

// A pocket cell of the arena: a tank there can neither move, nor fire at
// anything but a wall, nor be reached, whatever its team plans.
struct Cell {
  std::int32_t x;
  std::int32_t y;
};
inline constexpr Cell kPockets[] = {{2, 4}, {2, 6}, {2, 8}, {11, 4}, {11, 6}, {11, 8}};

// A real session with settings kept in memory, playing on the arena, its
// games seeded with a fixed number. Input goes in as the engine hands it
// over: key symbols, mouse buttons at window points, frame times.
class WorldTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_session.SetSeed(20240601);
    m_session.SetMapFile(kArenaMap);
  }

  CGameWorld& Match() { return m_session.GetMatch(); }
  const CGameWorld& Match() const { return m_session.GetMatch(); }
  CBattleScreen& Screen() { return m_session.GetScreen(); }

  void Press(int sym) { m_session.OnKey(sym, true); }
  void Tap(int sym) {
    m_session.OnKey(sym, true);
    m_session.OnKey(sym, false);
  }
  void Click(std::uint8_t button, int x, int y) {
    m_session.OnMouseButton(button, true, static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y));
    m_session.OnMouseButton(button, false, static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y));
  }
  // A click on the centre of a map cell of the battlefield played, placed as
  // the screen places it; the window's y runs downward from 768.
  void ClickCell(std::uint8_t button, std::int32_t x, std::int32_t y) {
    const MapPlacement place = PlaceMap(Match().GetMap());
    Click(button, place.CellX(x), ScreenLayout::mc_windowHeight - place.CellY(y));
  }

  // Sets the team sizes and starts play with Return.
  void StartGame(std::uint32_t green, std::uint32_t blue) {
    m_session.SetTeamSize(0, green);
    m_session.SetTeamSize(1, blue);
    Press(SDLK_RETURN);
    ASSERT_EQ(m_session.GetMode(), CGameSession::mc_modePlay);
  }

  CTank* Tank(std::uint32_t team, std::size_t slot) { return Match().GetTeamTanks(team).at(slot); }
  // Puts a tank on a cell with a heading and hit points, and empties its
  // queue (Blue's holds the computer's plan).
  CTank* Place(std::uint32_t team, std::size_t slot, std::int32_t x, std::int32_t y, std::int32_t dx, std::int32_t dy,
               std::int32_t hp = 100) {
    CTank* tank = Tank(team, slot);
    tank->SetState(TankState{x, y, dx, dy, hp});
    tank->ClearCommands();
    return tank;
  }
  void Park(std::uint32_t team, std::size_t slot, std::size_t pocket) {
    Place(team, slot, kPockets[pocket].x, kPockets[pocket].y, 0, 1);
  }

  void Ticks(int count) {
    for (int i = 0; i < count; ++i) m_session.Update(CTurnClock::mc_tickMs);
  }
  // Ticks until the turn under way has ended; the number of ticks it took.
  int FinishTurn() {
    int ticks = 0;
    while (Match().IsExecuting() && ticks < 1000) {
      m_session.Update(CTurnClock::mc_tickMs);
      ++ticks;
    }
    return ticks;
  }
  // Space, then the whole turn.
  int PlayTurn() {
    Press(SDLK_SPACE);
    return FinishTurn();
  }

  CAsyncFileWriter m_writer;                     // the records' disk work
  CSettings m_settings;                          // kept in memory unless a test loads a file
  CGameSession m_session{m_settings, m_writer};  // the session under test
};

// A session of its own, its settings kept in memory.
struct OwnSession {
  CAsyncFileWriter m_writer;                     // the records' disk work
  CSettings m_settings;                          // nothing is read or written
  CGameSession m_session{m_settings, m_writer};  // the session
};

// Another run of the game: a session of its own, its settings read from the file.
struct NextRun {
  explicit NextRun(const std::string& settingsFile) { m_settings.Load(settingsFile); }

  CAsyncFileWriter m_writer;                     // the records' disk work
  CSettings m_settings;                          // as the next run reads them
  CGameSession m_session{m_settings, m_writer};  // the next run's session
};

}  // namespace worldtest
