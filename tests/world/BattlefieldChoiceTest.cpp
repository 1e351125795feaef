#include <gtest/gtest.h>

#include <fstream>
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

TEST_F(BattlefieldChoiceTest, KeysAndMarksStepThroughTheBattlefieldsSetEachUpAtOnceAndRememberIt) {
  TempDir dir;
  const std::string settings = dir.File("settings");
  m_engine.GetSettings().Load(settings);
  // The battlefield the next run starts with, given a file for that run or none.
  const auto nextRun = [&](const std::string& ownFile) {
    m_engine.GetFileWriter().Wait();  // the choices are on the disk
    CGameEngine engine;
    engine.GetSettings().Load(settings);
    if (!ownFile.empty()) engine.GetWorld().SetMapFile(ownFile);
    engine.GetWorld().RestoreChoices();
    return engine.GetWorld().GetBattlefields().GetName();
  };
  m_world.SetMapFile(kv::kMapFile);
  m_world.NewGame();
  const std::string defaultName = m_world.GetBattlefields().GetName();
  std::string remembered = defaultName;
  const std::size_t count = m_world.GetBattlefields().GetCount();
  // Forwards with ']' and '>' by turns, round the whole list: each step sets
  // its battlefield up behind the start screen, the file's own cells, and
  // remembers it (the generated one with its seed), all but the player's own
  // file (the fixture's arena), there for this run only.
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
    if (!m_world.GetBattlefields().IsOwn()) remembered = m_world.GetBattlefields().GetName();
    EXPECT_EQ(nextRun(""), remembered);
  }
  EXPECT_EQ(nextRun(worldtest::kArenaMap), "world_arena.dat");
  // A name no longer listed, or a broken line, leaves the default.
  for (const char* line : {"battlefield = Atlantis\n", "battlefield\n"}) {
    std::ofstream(settings) << line;
    EXPECT_EQ(nextRun(""), defaultName) << line;
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
