// Watching a game again: stepping through a record lands on every turn end's
// checksum, a turn back lands where going forward did, and a record this build
// cannot play (another version or rules, a battlefield no map file may be,
// turns that disagree) is refused at once in a line naming the file and why.
#include <gtest/gtest.h>

#include <SDL.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/TempDir.h"
#include "record/CReplay.h"
#include "record/RulesVersion.h"
#include "screen/CReplayScreen.h"
#include "record/WorldChecksum.h"
#include "world/WorldTestSupport.h"

namespace {

class ReplayTest : public worldtest::WorldTest {
 protected:
  // Steps the open replay with 'N' until `turns` turns have ended.
  const CReplay& StepTo(std::size_t turns) {
    const CReplay& replay = m_session.GetReplay()->GetReplay();
    for (int presses = 0; replay.GetTurnsDone() < turns && presses < 10; ++presses) Tap(SDLK_n);
    EXPECT_EQ(replay.GetTurnsDone(), turns);
    return replay;
  }

  // Forward to every turn end, and at each one two steps on and a turn back.
  void CheckEveryTurn(const char* name) {
    SCOPED_TRACE(name);
    ASSERT_NE(m_session.GetReplay(), nullptr) << m_session.GetRecordMessage();
    const CGameRecord& record = m_session.GetReplay()->GetReplay().GetRecord();
    for (std::size_t turn = 1; turn <= record.m_turns.size(); ++turn) {
      const std::uint64_t expected = record.m_turns[turn - 1].m_checksum;
      EXPECT_EQ(WorldChecksum(StepTo(turn).GetGame().Match()), expected) << "forward to the end of turn " << turn;
      if (turn == record.m_turns.size()) break;
      Tap(SDLK_n), Tap(SDLK_RIGHT);
      Tap(turn % 2 ? SDLK_p : SDLK_LEFT);
      const CReplay& replay = m_session.GetReplay()->GetReplay();
      EXPECT_EQ(replay.GetTurnsDone(), turn);
      EXPECT_EQ(WorldChecksum(replay.GetGame().Match()), expected) << "back to the end of turn " << turn;
    }
    Tap(SDLK_ESCAPE);
    EXPECT_EQ(m_session.GetReplay(), nullptr);
  }
};

TEST_F(ReplayTest, SteppingLandsOnEveryTurnEndAndATurnBackLandsThereToo) {
  for (const auto& entry : std::filesystem::directory_iterator("tests/records")) {
    m_session.OpenReplay(entry.path().string());
    CheckEveryTurn(entry.path().c_str());
  }
  // A game just played to its end on Hard, whose computer plans otherwise,
  // from memory: 'V' watches it, and Escape returns to it as it was.
  m_session.SetMapFile(worldtest::kNarrowMap);
  m_session.SetDifficulty(Difficulty::Hard);
  StartGame(3, 1);
  for (int turn = 0; turn < 200 && Match().IsInProgress(); ++turn) {
    for (const int key : {SDLK_1, SDLK_UP, SDLK_f, SDLK_2, SDLK_RIGHT, SDLK_f, SDLK_3, SDLK_UP, SDLK_LEFT}) Tap(key);
    PlayTurn();
  }
  ASSERT_FALSE(Match().IsInProgress());
  const std::uint64_t over = WorldChecksum(Match());
  Tap(SDLK_v);
  CheckEveryTurn("a Hard game");
  EXPECT_EQ(m_session.GetMode(), CGameSession::mc_modePlay);
  EXPECT_EQ(WorldChecksum(Match()), over);
}

TEST_F(ReplayTest, RecordsThisBuildCannotPlayAreRefusedWithTheFileAndTheFirstBadTurn) {
  std::ifstream golden("tests/records/shipped-3v3.kvrec");
  const std::string text((std::istreambuf_iterator<char>(golden)), std::istreambuf_iterator<char>());
  std::string badTurn = text;
  // The third turn end's checksum, one digit changed.
  std::size_t at = 0;
  for (int i = 0; i < 3; ++i) at = badTurn.find("\ncheck ", at + 1);
  ASSERT_NE(at, std::string::npos);
  badTurn[at + 7] = badTurn[at + 7] == '0' ? '1' : '0';
  std::string otherVersion = text;
  otherVersion.replace(0, otherVersion.find('\n'), "korvane-record 999");
  // A battlefield walled round and open inside, with the record's header:
  // every size beyond what a map file may be is refused at once.
  const auto field = [](int width, int height) {
    std::string rows;
    for (int y = 0; y < height; ++y) {
      const bool edge = y == 0 || y == height - 1;
      rows += "row " + (edge ? std::string(width, '#') : "#" + std::string(width - 2, '.') + "#") + "\n";
    }
    return "korvane-record 1\nsize " + std::to_string(width) + " " + std::to_string(height) + "\n" + rows +
           "teams 3 3\nseed 1\ncursor 0\n";
  };
  std::string otherRules = text;
  const std::size_t rules = otherRules.find("\nrules ");
  otherRules.replace(rules, otherRules.find('\n', rules + 1) - rules, "\nrules " + std::to_string(kRulesVersion + 1));
  // A record of this build's rules, so that its battlefield is looked at.
  std::string crowded = field(7, 7);
  crowded.replace(0, crowded.find('\n'), "korvane-record 2\nrules " + std::to_string(kRulesVersion));
  crowded.replace(crowded.find("teams 3"), 7, "teams 6");

  const TempDir folder;
  const struct {
    const char* name;
    std::string says, content;
  } cases[] = {
      {"bad-turn.kvrec", ": turn 3 does not match this game", badTurn},
      {"other-version.kvrec", ": line 1: ", otherVersion},
      {"other-rules.kvrec",
       ": recorded with rules " + std::to_string(kRulesVersion + 1) + "; this game plays rules " +
           std::to_string(kRulesVersion),
       otherRules},
      {"1000x1000.kvrec", ": line 2: ", field(1000, 1000)},
      {"60x40.kvrec", ": line 2: ", field(60, 40)},
      {"26x22.kvrec", ": line 2: ", field(26, 22)},
      {"crowded.kvrec", ": its battlefield cannot hold its teams: Green's start row", crowded},
      {"garbage.kvrec", ": line 1: ", std::string("\x7f" "ELF\x01\x02\x00\xff\xfe garbage\n", 17)},
  };
  for (const auto& refused : cases) {
    SCOPED_TRACE(refused.name);
    const std::string path = folder.Write(refused.name, refused.content);
    EXPECT_FALSE(m_session.OpenReplay(path));
    EXPECT_EQ(m_session.GetReplay(), nullptr);
    EXPECT_EQ(m_session.GetRecordMessage().rfind(path + refused.says, 0), 0u) << m_session.GetRecordMessage();
    EXPECT_EQ(m_session.GetRecordMessage().find('\n'), std::string::npos);
    EXPECT_EQ(m_session.GetMode(), CGameSession::mc_modeStartScreen);
  }
}

}  // namespace
