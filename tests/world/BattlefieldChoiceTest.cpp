#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "core/DataFiles.h"
#include "app/SettingKeys.h"
#include "map/MapGenerator.h"
#include "map/MapTestSupport.h"
#include "support/TempDir.h"
#include "screen/StartScreenControls.h"
#include "world/WorldTestSupport.h"

using worldtest::WorldTest;

namespace {

class BattlefieldChoiceTest : public WorldTest {
 protected:
  void ClickBox(const ::ClickBox& box) { Click(1, (box.left + box.right) / 2, 768 - (box.top + box.bottom) / 2); }
  // The battlefield the start screen's picture shows, as map file text.
  std::string Shown() const {
    const CMap* preview = m_session.GetPreview();
    return preview ? maptest::GridText(*preview) : std::string();
  }
  // The battlefield of the game played, as map file text.
  std::string Played() const { return maptest::GridText(Match().GetMap()); }
};

}  // namespace

TEST_F(BattlefieldChoiceTest, KeysAndMarksStepThroughTheBattlefieldsSetEachUpAtOnceAndRememberIt) {
  TempDir dir;
  const std::string settings = dir.File("settings");
  m_settings.Load(settings);
  // The battlefield the next run starts with, given a file for that run or none.
  const auto nextRun = [&](const std::string& ownFile) {
    worldtest::NextRun next(settings);
    if (!ownFile.empty()) next.m_session.SetMapFile(ownFile);
    next.m_session.RestoreChoices();
    return next.m_session.GetBattlefields().GetName();
  };
  m_session.SetMapFile(kv::kMapFile);
  m_session.NewGame();
  const std::string defaultName = m_session.GetBattlefields().GetName();
  std::string remembered = defaultName;
  const std::size_t count = m_session.GetBattlefields().GetCount();
  // Forwards with ']' and '>' by turns, round the whole list: each step
  // shows its battlefield's picture at once, the file's own cells, and
  // remembers it (the generated one with its seed), all but the player's own
  // file (the fixture's arena), there for this run only.
  for (std::size_t i = 1; i <= count; ++i) {
    if (i % 2) {
      Press(SDLK_RIGHTBRACKET);
    } else {
      ClickBox(StartScreenControls::mc_mapMore);
    }
    EXPECT_EQ(m_session.GetMode(), CGameSession::mc_modeStartScreen);
    EXPECT_TRUE(m_session.GetMapProblem().empty()) << m_session.GetMapProblem();
    CMap expected;
    if (m_session.GetBattlefields().IsRandom()) {
      const std::string text = MapGenerator::Generate(m_session.GetBattlefields().GetSeed());
      ASSERT_TRUE(maptest::LoadText(expected, text));
    } else {
      ASSERT_TRUE(expected.Load(m_session.GetMapFile().c_str()));
    }
    EXPECT_EQ(Shown(), maptest::GridText(expected)) << m_session.GetBattlefields().GetName();
    if (!m_session.GetBattlefields().IsOwn()) remembered = m_session.GetBattlefields().GetName();
    EXPECT_EQ(nextRun(""), remembered);
  }
  EXPECT_EQ(nextRun(worldtest::kArenaMap), "world_arena.dat");
  // A name no longer listed, or a broken line, leaves the default.
  for (const char* line : {"battlefield = Atlantis\n", "battlefield\n"}) {
    std::ofstream(settings) << line;
    EXPECT_EQ(nextRun(""), defaultName) << line;
  }
  EXPECT_EQ(m_session.GetMapFile(), kv::kMapFile);  // round again
  // Backwards: the player's own file (the fixture's arena) comes before the
  // default, and the generated battlefield wraps round before it.
  Press(SDLK_LEFTBRACKET);
  EXPECT_EQ(m_session.GetMapFile(), worldtest::kArenaMap);
  ClickBox(StartScreenControls::mc_mapLess);
  EXPECT_TRUE(m_session.GetBattlefields().IsRandom());
  const std::string last = m_session.GetBattlefields().GetName();
  // Starting plays the chosen battlefield; the keys mean nothing in play.
  const std::string chosen = Shown();
  Press(SDLK_RETURN);
  EXPECT_EQ(m_session.GetMode(), CGameSession::mc_modePlay);
  EXPECT_EQ(Played(), chosen);
  Press(SDLK_RIGHTBRACKET);
  EXPECT_EQ(m_session.GetBattlefields().GetName(), last);
  EXPECT_EQ(Played(), chosen);
}
