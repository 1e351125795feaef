#include <gtest/gtest.h>

#include <SDL_mixer.h>

#include "ai/CComputerPlayer.h"
#include "record/CGame.h"
#include "support/TempDir.h"
#include "units/UnitsTestSupport.h"
#include "screen/CEffect.h"
#include "world/WorldTestSupport.h"

using worldtest::kArenaHeight;
using worldtest::kArenaWidth;
using worldtest::WorldTest;

using GameSetupTest = WorldTest;

namespace {

void ExpectTank(const CTank* tank, std::int32_t team, std::int32_t x, std::int32_t y, std::int32_t dx, std::int32_t dy) {
  ASSERT_NE(tank, nullptr);
  EXPECT_EQ(tank->GetTeam(), team);
  EXPECT_EQ(tank->GetX(), x);
  EXPECT_EQ(tank->GetY(), y);
  EXPECT_EQ(tank->GetState().dx, dx);
  EXPECT_EQ(tank->GetState().dy, dy);
  EXPECT_EQ(tank->GetHitPoints(), 100);
}

}  // namespace

TEST_F(GameSetupTest, ANewWorldWaitsOnTheStartScreenWithTeamsOfThree) {
  EXPECT_EQ(m_session.GetMode(), CGameSession::mc_modeStartScreen);
  EXPECT_EQ(m_session.GetTeamSize(0), 3u);
  EXPECT_EQ(m_session.GetTeamSize(1), 3u);
  EXPECT_TRUE(Match().GetTanks().empty());
  EXPECT_EQ(Screen().GetSounds().GetEngineChannel(), -1);
  // The engine sets up a first game behind the start screen.
  m_session.NewGame();
  EXPECT_EQ(m_session.GetMode(), CGameSession::mc_modeStartScreen);
  EXPECT_EQ(Match().GetTanks().size(), 6u);
  // Nothing advances there, however long the frames.
  Press(SDLK_SPACE);
  for (int i = 0; i < 100; ++i) m_session.Update(100);
  EXPECT_FALSE(Match().IsExecuting());
  EXPECT_EQ(Match().GetStepsDone(), 0);
}

TEST_F(GameSetupTest, OneAgainstOnePlacesBothInTheirCornersWithoutARandomDraw) {
  StartGame(1, 1);
  ASSERT_EQ(Match().GetTanks().size(), 2u);
  ExpectTank(Tank(0, 0), 0, 1, 1, 0, 1);
  ExpectTank(Tank(1, 0), 1, kArenaWidth - 2, kArenaHeight - 2, 0, -1);
  EXPECT_EQ(Tank(1, 0)->GetObjective(), (PathNode{7, 6, kAnyHeading}));
  EXPECT_EQ(Match().GetAliveCount(0), 1);
  EXPECT_EQ(Match().GetAliveCount(1), 1);
  EXPECT_EQ(Match().GetRandom().GetCursor(), 0u);
}

TEST_F(GameSetupTest, TenBlueTanksDrawNineObjectivesInCreationOrder) {
  // Draw k gives row (value * 7) / 32768: 4681 is the last value of row 0,
  // 4682 the first of row 1, 32767 the last of row 6, the centre.
  const std::int32_t draws[] = {0, 4681, 4682, 9363, 14044, 18724, 18725, 23406, 32767};
  const std::uint32_t rows[] = {0, 0, 1, 2, 3, 3, 4, 5, 6};
  CMap arena;
  ASSERT_TRUE(arena.Load(worldtest::kArenaMap));
  CGameWorld match;
  match.SetUp(arena, 10, 10);
  for (std::uint32_t i = 0; i < 9; ++i) match.GetRandom().SetEntry(i + 1, draws[i]);
  CComputerPlayer computer;
  computer.StartGame(match);
  EXPECT_EQ(match.GetRandom().GetCursor(), 9u);
  const CTankSlots<CTank> blue = match.GetTeamTanks(1);
  ASSERT_EQ(blue.size(), 10u);
  EXPECT_EQ(blue[0]->GetObjective(), (PathNode{7, 6, kAnyHeading}));
  for (std::size_t i = 1; i < 10; ++i) {
    ExpectTank(blue[i], 1, kArenaWidth - 2 - static_cast<std::int32_t>(i), kArenaHeight - 2, 0, -1);
    // The arena is smaller than the battlefield the goal table was written
    // for: its rows stand for cells derived from the arena.
    const std::uint32_t row = rows[i - 1];
    const MapCell cell = row == 6 ? arena.GetCentre() : computer.GetGoalCell(row);
    EXPECT_EQ(blue[i]->GetObjective(), (PathNode{cell.x, cell.y, kAnyHeading})) << "blue tank " << i + 1;
  }
  for (std::size_t i = 0; i < 10; ++i) {
    ExpectTank(match.GetTeamTanks(0)[i], 0, static_cast<std::int32_t>(i) + 1, 1, 0, 1);
  }
  // Green first, then Blue, in the list of all tanks as in the slots.
  for (std::size_t i = 0; i < 20; ++i) EXPECT_EQ(match.GetTanks()[i], match.GetTeamTanks(i < 10 ? 0 : 1)[i % 10]);
}

TEST_F(GameSetupTest, FirstVisibilityIsEachTeamsOwn) {
  StartGame(3, 3);
  const CMap& map = Match().GetMap();
  for (std::uint32_t x = 1; x <= 3; ++x) {
    EXPECT_EQ(map.GetVisible(x, 1, 0), 1) << x;  // own cells
    EXPECT_EQ(map.GetVisible(x, 2, 0), 1) << x;  // ahead
    EXPECT_EQ(map.GetVisible(x, 0, 0), 0) << x;  // behind
  }
  for (std::uint32_t x = 10; x <= 12; ++x) {
    EXPECT_EQ(map.GetVisible(x, 10, 1), 1) << x;
    EXPECT_EQ(map.GetVisible(x, 11, 1), 0) << x;
  }
  EXPECT_EQ(map.GetVisible(12, 9, 1), 1);  // the wall in front of Blue's first tank
  // Walls hide each team's corner from the other.
  EXPECT_EQ(map.GetVisible(12, 9, 0), 0);
  EXPECT_EQ(map.GetVisible(1, 2, 1), 0);
}

TEST_F(GameSetupTest, MissingBrokenOrTooSmallMapsGiveWayToTheBuiltInBattlefield) {
  CMap builtIn;
  ASSERT_TRUE(builtIn.LoadBuiltIn());
  TempDir dir;
  const std::string broken = dir.Write("broken.dat", std::string("\0\xff#\n\x01", 5));
  std::string tall = std::string(25, '#') + "\n";  // 25 x 23, a row too many to show whole
  for (int y = 1; y < 22; ++y) tall += "#" + std::string(23, '.') + "#\n";
  tall += std::string(25, '#') + "\n";
  struct Case {
    std::string file;
    std::uint32_t green, blue;
    std::uint32_t width;     // of the battlefield played on
    const char* reason = "";  // a part of the line that says why not the file's, or what is one-sided
  };
  const Case cases[] = {
      {worldtest::kNarrowMap, 3, 3, 7},
      {worldtest::kNarrowMap, 6, 3, builtIn.GetWidth()},  // Green's sixth tank would stand on a wall
      {dir.File("missing.dat"), 3, 3, builtIn.GetWidth()},
      {broken, 3, 3, builtIn.GetWidth()},
      {"", 3, 3, builtIn.GetWidth()},
      {dir.Write("tall.dat", tall), 3, 3, builtIn.GetWidth(), "larger than 25 x 22"},
      // One-sided (neither team reaches the centre): played as it is, and said.
      {dir.Write("split.dat", "#######\n#.....#\n#######\n#.....#\n#######\n#.....#\n#######\n"), 3, 3, 7,
       "is one-sided: Green's tanks cannot reach the centre cell"},
      {dir.Write("pocket.dat", "#######\n#.....#\n#....##\n#...#3#\n#....##\n#.....#\n#######\n"), 3, 3, 7,
       "is one-sided: Blue's tanks cannot reach the computer's goal 3"},
  };
  for (const Case& c : cases) {
    m_session.SetMapFile(c.file);
    StartGame(c.green, c.blue);
    EXPECT_EQ(Match().GetMap().GetWidth(), c.width) << c.file << " " << c.green << " " << c.blue;
    EXPECT_EQ(Match().GetTanks().size(), c.green + c.blue);
    EXPECT_TRUE(Match().GetMap().CanHoldGame(c.green, c.blue));
    // One line names the file and why, unless the file was played.
    const std::string& problem = m_session.GetMapProblem();
    EXPECT_EQ(problem.empty(), c.width != builtIn.GetWidth() && *c.reason == '\0') << problem;
    if (!problem.empty()) {
      EXPECT_EQ(problem.find(c.file), 0u) << problem;
      EXPECT_NE(problem.find(c.reason), std::string::npos) << problem;
    }
    // A record plays whatever battlefield a map file plays.
    CGame replayed;
    std::string error;
    EXPECT_TRUE(replayed.Replay(m_session.GetGame().Record(), 0, error)) << c.file << ": " << error;
    Press(SDLK_ESCAPE);
  }
}

TEST_F(GameSetupTest, ClearGameRemovesTheGameAndFadesTheEngineSound) {
  unitstest::SoundBoard sounds;
  ASSERT_TRUE(sounds.Ready());
  StartGame(2, 2);
  Tap(SDLK_1);
  Tap(SDLK_F1);
  Screen().Effects().SpawnShot(32, 32, 32, 128);
  Screen().GetSounds().StartEngines();
  const int channel = Screen().GetSounds().GetEngineChannel();
  ASSERT_GE(channel, 0);
  Press(SDLK_SPACE);
  m_session.Update(40);

  m_session.ClearGame();
  EXPECT_EQ(Mix_FadingChannel(channel), MIX_FADING_OUT);
  EXPECT_FALSE(Screen().GetSounds().AreEnginesPlaying());
  EXPECT_TRUE(Match().GetTanks().empty());
  EXPECT_TRUE(Match().GetTeamTanks(0).empty());
  EXPECT_TRUE(Match().GetTeamTanks(1).empty());
  EXPECT_EQ(Match().GetAliveCount(0), 0);
  EXPECT_TRUE(Screen().GetEffects().empty());
  EXPECT_EQ(Screen().GetSelected(), 0u);
  EXPECT_FALSE(Match().IsExecuting());
  EXPECT_EQ(m_session.GetClock().GetStepTimer(), 0u);
  EXPECT_EQ(m_session.GetMode(), CGameSession::mc_modeStartScreen);
  EXPECT_FALSE(Screen().IsHelpShown());
  // What a game does not own stays.
  EXPECT_EQ(m_session.GetTeamSize(0), 2u);
  EXPECT_EQ(m_session.GetAccumulator(), 24u);
  EXPECT_EQ(Match().GetMap().GetWidth(), static_cast<std::uint32_t>(kArenaWidth));
}

TEST_F(GameSetupTest, NewGameTwiceInARowStillHasOneTankPerCell) {
  m_session.NewGame();
  m_session.NewGame();
  EXPECT_EQ(Match().GetTanks().size(), 6u);
  EXPECT_EQ(Match().GetTeamTanks(0).size(), 3u);
  EXPECT_EQ(Match().GetAliveCount(1), 3);
}
