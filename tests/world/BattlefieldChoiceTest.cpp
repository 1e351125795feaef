#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>

#include "engine/DataFiles.h"
#include "engine/SettingKeys.h"
#include "map/MapGenerator.h"
#include "map/MapTestSupport.h"
#include "support/TempDir.h"
#include "world/StartScreenControls.h"
#include "world/WorldTestSupport.h"

using worldtest::WorldTest;

namespace {

class BattlefieldChoiceTest : public WorldTest {
 protected:
  void ClickBox(const ::ClickBox& box) { Click(1, (box.left + box.right) / 2, 768 - (box.top + box.bottom) / 2); }
  // The battlefield set up behind the start screen, as map file text.
  std::string Shown() const { return maptest::GridText(m_world.GetMap()); }
};

}  // namespace

TEST_F(BattlefieldChoiceTest, KeysAndMarksStepThroughTheBattlefieldsAndSetEachUpAtOnce) {
  m_world.SetMapFile(kv::kMapFile);
  m_world.NewGame();
  const std::size_t count = m_world.GetBattlefields().GetCount();
  // Forwards with ']' and '>' by turns, round the whole list: each step sets
  // its battlefield up behind the start screen, the file's own cells.
  for (std::size_t i = 1; i <= count; ++i) {
    if (i % 2) {
      Press(SDLK_RIGHTBRACKET);
    } else {
      ClickBox(StartScreenControls::mc_mapMore);
    }
    EXPECT_EQ(m_world.GetMode(), CGameWorld::mc_modeStartScreen);
    EXPECT_TRUE(m_world.GetMapProblem().empty()) << m_world.GetMapProblem();
    EXPECT_EQ(m_world.GetTanks().size(), 6u);
    CMap expected;
    if (m_world.GetBattlefields().IsRandom()) {
      const std::string text = MapGenerator::Generate(m_world.GetBattlefields().GetSeed());
      ASSERT_TRUE(maptest::LoadText(expected, text));
    } else {
      ASSERT_TRUE(expected.Load(m_world.GetMapFile().c_str()));
    }
    EXPECT_EQ(Shown(), maptest::GridText(expected)) << m_world.GetBattlefields().GetName();
  }
  EXPECT_EQ(m_world.GetMapFile(), kv::kMapFile);  // round again
  // Backwards: the player's own file (the fixture's arena) comes before the
  // default, and the generated battlefield wraps round before it.
  Press(SDLK_LEFTBRACKET);
  EXPECT_EQ(m_world.GetMapFile(), worldtest::kArenaMap);
  ClickBox(StartScreenControls::mc_mapLess);
  EXPECT_TRUE(m_world.GetBattlefields().IsRandom());
  const std::string last = m_world.GetBattlefields().GetName();
  // Starting plays the chosen battlefield; the keys mean nothing in play.
  Press(SDLK_RETURN);
  EXPECT_EQ(m_world.GetMode(), CGameWorld::mc_modePlay);
  const std::string played = Shown();
  Press(SDLK_RIGHTBRACKET);
  EXPECT_EQ(m_world.GetBattlefields().GetName(), last);
  EXPECT_EQ(Shown(), played);
}

TEST_F(BattlefieldChoiceTest, ABattlefieldThatCannotBePlayedIsNamedAndTheDefaultPlayed) {
  TempDir dir;
  std::string big;
  for (int y = 0; y < 23; ++y) big += (y == 0 || y == 22) ? std::string(25, '#') + "\n" : "#" + std::string(23, '.') + "#\n";
  struct Case {
    std::string file;
    const char* reason;
  };
  const Case cases[] = {
      {dir.Write("tall.dat", big), "larger than 25 x 22"},
      {dir.Write("split.dat", "#######\n#.....#\n#######\n#.....#\n#######\n#.....#\n#######\n"), "cannot reach the centre"},
  };
  CMap builtIn;
  ASSERT_TRUE(builtIn.LoadBuiltIn());
  for (const Case& c : cases) {
    m_world.SetMapFile(c.file);
    StartGame(3, 3);
    EXPECT_EQ(Shown(), maptest::GridText(builtIn));
    EXPECT_EQ(m_world.GetMapProblem().find(c.file + ": "), 0u) << m_world.GetMapProblem();
    EXPECT_NE(m_world.GetMapProblem().find(c.reason), std::string::npos) << m_world.GetMapProblem();
    Press(SDLK_ESCAPE);
  }
  m_world.SetMapFile(worldtest::kArenaMap);
  StartGame(3, 3);
  EXPECT_TRUE(m_world.GetMapProblem().empty());
}

TEST_F(BattlefieldChoiceTest, TheChosenBattlefieldIsRememberedButAFileGivenForTheRunIsNot) {
  TempDir dir;
  const std::string file = dir.File("settings");
  m_engine.GetSettings().Load(file);
  // Restored as remembered in a new run, the generated one with its seed.
  const auto nextRun = [&](const std::string& ownFile) {
    auto engine = std::make_unique<CGameEngine>();
    engine->GetSettings().Load(file);
    if (!ownFile.empty()) engine->GetWorld().SetMapFile(ownFile);
    engine->GetWorld().RestoreChoices();
    return engine;
  };
  m_world.SetMapFile(kv::kMapFile);
  for (int step = 0; step < 2; ++step) {
    Press(SDLK_RIGHTBRACKET);
    EXPECT_EQ(nextRun("")->GetWorld().GetBattlefields().GetName(), m_world.GetBattlefields().GetName());
  }
  // Back past the player's own file (the fixture's arena), not remembered, to the generated one.
  for (int i = 0; i < 4 && !m_world.GetBattlefields().IsRandom(); ++i) ClickBox(StartScreenControls::mc_mapLess);
  ASSERT_TRUE(m_world.GetBattlefields().IsRandom());
  const std::string random = m_world.GetBattlefields().GetName();
  EXPECT_EQ(nextRun("")->GetWorld().GetBattlefields().GetName(), random);
  // A file given for a run stands in that run and is not remembered.
  EXPECT_EQ(nextRun(worldtest::kArenaMap)->GetWorld().GetMapFile(), worldtest::kArenaMap);
  m_world.SetMapFile(worldtest::kArenaMap);
  ClickBox(StartScreenControls::mc_mapLess);
  const std::string before = m_world.GetBattlefields().GetName();
  ClickBox(StartScreenControls::mc_mapMore);
  EXPECT_EQ(m_world.GetMapFile(), worldtest::kArenaMap);
  EXPECT_EQ(nextRun("")->GetWorld().GetBattlefields().GetName(), before);
  // A name no longer listed, or a broken line, leaves the default.
  for (const char* line : {"battlefield = Atlantis\n", "battlefield = Random #99999999999\n", "battlefield\n"}) {
    std::ofstream(file) << line;
    EXPECT_EQ(nextRun("")->GetWorld().GetMapFile(), kv::kMapFile) << line;
  }
}
