// The records a player keeps: a broken autosave is moved aside and costs
// nothing else, a game left is continued as it was, the last turn is watched
// and the plans stay, finished games go to the history, and a folder that
// cannot be written costs the records, not the game.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>

#include "record/CReplay.h"
#include "record/RecordText.h"
#include "record/RulesVersion.h"
#include "record/SnapshotText.h"
#include "record/WorldChecksum.h"
#include "screen/CReplayScreen.h"
#include "support/TempDir.h"
#include "world/WorldTestSupport.h"

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The text with the first line that starts with `prefix` after `after` replaced by `line`.
std::string WithLine(std::string text, const std::string& after, const std::string& prefix, const std::string& line) {
  const std::size_t at = text.find("\n" + prefix, text.find(after));
  if (at == std::string::npos) return text;
  return text.replace(at + 1, text.find('\n', at + 1) - at - 1, line);
}

// The text without its snapshot of the game as it stands: its turns alone bring the game back.
std::string WithoutSnapshot(std::string text) {
  const std::size_t start = text.find("snapshot now\n");
  return start == std::string::npos ? text : text.erase(start, text.find("end\n", start) + 4 - start);
}

class RecordFolderTest : public worldtest::WorldTest {
 protected:
  std::string Folder() const { return m_dir.File("korvane"); }
  std::string Autosave() const { return Folder() + "/autosave.kvrec"; }

  // Two turns played and plans begun for the third, then Escape.
  void PlayAndLeave() {
    m_session.SetRecordFolder(Folder());
    StartGame(3, 3);
    for (int turn = 0; turn < 2; ++turn) {
      Press(SDLK_1);
      Press(SDLK_UP);
      Press(SDLK_2);
      Press(SDLK_f);
      PlayTurn();
    }
    Press(SDLK_3);
    Press(SDLK_LEFT);
    Press(SDLK_UP);
    Press(SDLK_ESCAPE);
    m_session.GetRecordFolder().Flush();
  }

  TempDir m_dir;
};

TEST_F(RecordFolderTest, ABrokenAutosaveIsSetAsideAndNothingElseIsLost) {
  PlayAndLeave();
  const std::string good = ReadAll(Autosave());
  ASSERT_NE(good.find("\nturn "), std::string::npos);
  // The last turn's checksum with one digit changed, and no snapshot to fall back on.
  std::string wrongCheck = WithoutSnapshot(good);
  char& digit = wrongCheck[wrongCheck.rfind("\ncheck ") + 7];
  digit = digit == '0' ? '1' : '0';
  const std::string otherRules = WithLine(good, "", "rules ", "rules " + std::to_string(kRulesVersion + 1));
  const std::string otherRulesSay = "recorded with rules " + std::to_string(kRulesVersion + 1) +
                                    "; this game plays rules " + std::to_string(kRulesVersion) +
                                    ", and its turn 2 does not match";
  // Green's first tank in the sixth slot of its team of three, and on the corner wall.
  const std::string tankBeyond = "tank 0 5 1 1 0 1 100 0 0 0 0 4 0";
  const std::string tankInWall = "tank 0 0 0 0 0 1 100 0 0 0 0 4 0";
  std::mt19937 random(3);
  std::string noise(5000, '\0');
  for (char& c : noise) c = static_cast<char>(random());

  const struct {
    const char* name;
    std::function<void(const std::string&)> make;  // puts the broken autosave at the path
    const char* says;                              // what the start screen's line says after the path
  } cases[] = {
      {"empty", [](const std::string& p) { std::ofstream{p}; }, "empty file"},
      {"truncated", [&](const std::string& p) { std::ofstream(p) << good.substr(0, good.size() / 2); }, "line "},
      {"random bytes", [&](const std::string& p) { std::ofstream(p, std::ios::binary) << noise; }, "line 1: "},
      {"other version", [](const std::string& p) { std::ofstream(p) << "korvane-record 999\nsize 3 3\n"; },
       "line 1: record version 999 is not supported"},
      {"wrong checksum", [&](const std::string& p) { std::ofstream(p) << wrongCheck; }, "turn 2 does not match"},
      {"other rules, no snapshot, a turn that plays otherwise",
       [&](const std::string& p) {
         std::ofstream(p) << WithLine(wrongCheck, "", "rules ", "rules " + std::to_string(kRulesVersion + 1));
       },
       otherRulesSay.c_str()},
      {"a tank beyond its team",
       [&](const std::string& p) { std::ofstream(p) << WithLine(good, "snapshot now", "tank 0 0 ", tankBeyond); },
       "a tank's line is out of bounds"},
      {"other rules, a tank in the wall",
       [&](const std::string& p) { std::ofstream(p) << WithLine(otherRules, "snapshot now", "tank 0 0 ", tankInWall); },
       "a tank of its snapshot stands where no tank can"},
      {"long line",
       [](const std::string& p) { std::ofstream(p) << "korvane-record 1\nsize " << std::string(100000, '9'); },
       "line 2: line too long"},
      {"10 MB line", [](const std::string& p) { std::ofstream(p) << std::string(10 << 20, '#'); }, "too large"},
      {"a folder", [](const std::string& p) { fs::create_directories(p + "/inside"); }, "not a file"},
  };
  for (const auto& c : cases) {
    TempDir dir;
    const std::string folder = dir.File("korvane");
    const std::string autosave = folder + "/autosave.kvrec";
    fs::create_directories(folder + "/history");
    const std::string kept = folder + "/history/game-2000-01-01-000000.kvrec";
    std::ofstream(kept) << good;
    c.make(autosave);

    worldtest::OwnSession other;
    CGameSession& session = other.m_session;
    session.SetRecordFolder(folder);
    if (session.CanContinue()) session.OnKey(SDLK_c, true);
    EXPECT_FALSE(session.CanContinue()) << c.name;
    EXPECT_EQ(session.GetMode(), CGameSession::mc_modeStartScreen) << c.name;
    EXPECT_EQ(session.GetRecordMessage().rfind(autosave + ": ", 0), 0u) << c.name << ": " << session.GetRecordMessage();
    EXPECT_NE(session.GetRecordMessage().find(c.says), std::string::npos) << c.name << ": " << session.GetRecordMessage();
    EXPECT_TRUE(fs::exists(autosave + ".broken")) << c.name;
    EXPECT_EQ(ReadAll(kept), good) << c.name;
    // The game plays, and saves again.
    session.OnKey(SDLK_RETURN, true);
    EXPECT_EQ(session.GetMode(), CGameSession::mc_modePlay) << c.name;
    EXPECT_TRUE(session.CanContinue()) << c.name;
    EXPECT_TRUE(session.GetRecordFolder().GetProblem().empty()) << c.name;
  }
}

TEST_F(RecordFolderTest, ContinueBringsBackTheGameAsLeftAndWatchingTheLastTurnKeepsThePlans) {
  PlayAndLeave();
  worldtest::OwnSession other;
  CGameSession& session = other.m_session;
  session.SetRecordFolder(Folder());
  ASSERT_TRUE(session.CanContinue()) << session.GetRecordMessage();
  session.OnKey(SDLK_c, true);
  ASSERT_EQ(session.GetMode(), CGameSession::mc_modePlay) << session.GetRecordMessage();
  // The checksum covers every queue, the plans in progress included.
  EXPECT_EQ(WorldChecksum(session.GetMatch()), WorldChecksum(Match()));
  EXPECT_EQ(session.GetScreen().GetSelected(), 3u);

  const std::uint64_t before = WorldChecksum(session.GetMatch());
  const struct {
    int stopKey;  // 0: the turn runs to its end
    int ticksAtLeast;
  } watches[] = {{0, 3 * 19}, {SDLK_v, 10}, {SDLK_ESCAPE, 10}};
  for (const auto& watch : watches) {
    session.OnKey(SDLK_v, true);
    ASSERT_TRUE(session.IsWatching());
    int ticks = 0;
    for (; session.IsWatching() && ticks < 1000; ++ticks) {
      // Input for the game meanwhile changes nothing.
      session.OnKey(SDLK_DELETE, true);
      if (watch.stopKey && ticks == watch.ticksAtLeast) session.OnKey(watch.stopKey, true);
      session.Update(CTurnClock::mc_tickMs);
    }
    EXPECT_GE(ticks, watch.ticksAtLeast);
    EXPECT_LT(ticks, 1000);
    EXPECT_EQ(session.GetMode(), CGameSession::mc_modePlay);
    EXPECT_EQ(WorldChecksum(session.GetMatch()), before);
  }
}

// An update of the game (other rules, or turns that no longer replay to
// their checksums) keeps the saved game: its snapshot brings it back exactly,
// and the record goes on from there, replayable by this build.
TEST_F(RecordFolderTest, ASavedGameSurvivesAnUpdate) {
  PlayAndLeave();
  const std::string good = ReadAll(Autosave());
  std::string wrongCheck = good;
  char& digit = wrongCheck[wrongCheck.find("\ncheck ") + 7];
  digit = digit == '0' ? '1' : '0';
  // An autosave of the build before this one: records of version 2 hold no watch of the Hard level.
  std::string older = WithLine(good, "", "rules ", "rules " + std::to_string(kRulesVersion - 1));
  older.replace(0, older.find('\n'), "korvane-record 2");
  for (std::size_t at = older.find("\nwatch"); at != std::string::npos; at = older.find("\nwatch")) {
    older.erase(at + 1, older.find('\n', at + 1) - at);
  }
  std::string left;
  AppendSnapshotText(left, "now", m_session.GetGame().TakeSnapshot());
  for (const std::string& updated : {WithLine(good, "", "rules ", "rules 7"), wrongCheck, older}) {
    const TempDir dir;
    fs::create_directories(dir.File("korvane"));
    std::ofstream(dir.File("korvane/autosave.kvrec")) << updated;
    worldtest::OwnSession other;
    CGameSession& session = other.m_session;
    session.SetRecordFolder(dir.File("korvane"));
    session.OnKey(SDLK_c, true);
    ASSERT_EQ(session.GetMode(), CGameSession::mc_modePlay) << session.GetRecordMessage();
    std::string back;
    AppendSnapshotText(back, "now", session.GetGame().TakeSnapshot());
    EXPECT_EQ(back, left);
    EXPECT_EQ(WorldChecksum(session.GetMatch()), WorldChecksum(Match()));
    EXPECT_EQ(session.GetScreen().GetSelected(), 3u);
    EXPECT_TRUE(session.GetGame().Record().m_start && session.GetGame().Record().m_turns.empty());
    // A turn later the game's record replays in this build, from the snapshot.
    session.OnKey(SDLK_SPACE, true);
    while (session.GetMatch().IsExecuting()) session.Update(CTurnClock::mc_tickMs);
    CGame fresh;
    std::string error;
    EXPECT_TRUE(fresh.Replay(session.GetGame().Record(), 1, error)) << error;
    EXPECT_EQ(WorldChecksum(fresh.Match()), WorldChecksum(session.GetMatch()));
  }
  // A save from before snapshots, of rules whose change did not touch its
  // game, comes back from its turns.
  const TempDir dir;
  fs::create_directories(dir.File("korvane"));
  std::ofstream(dir.File("korvane/autosave.kvrec")) << WithoutSnapshot(WithLine(good, "", "rules ", "rules 7"));
  worldtest::OwnSession other;
  other.m_session.SetRecordFolder(dir.File("korvane"));
  other.m_session.OnKey(SDLK_c, true);
  ASSERT_EQ(other.m_session.GetMode(), CGameSession::mc_modePlay) << other.m_session.GetRecordMessage();
  EXPECT_EQ(WorldChecksum(other.m_session.GetMatch()), WorldChecksum(Match()));
}

// A turn whose Space was pressed is committed: left while it runs (Escape,
// or the game killed with what Space handed over), Continue finishes it
// instead of giving the plans back to be made again against the computer's moves.
TEST_F(RecordFolderTest, ATurnLeftWhileItRunsIsFinishedOnContinue) {
  const auto playIntoTurn = [](CGameSession& session, const std::string& folder) {
    session.SetSeed(7);
    session.SetMapFile(worldtest::kArenaMap);
    session.SetRecordFolder(folder);
    for (const int key : {SDLK_RETURN, SDLK_1, SDLK_UP, SDLK_UP, SDLK_2, SDLK_f, SDLK_SPACE}) session.OnKey(key, true);
    for (int tick = 0; tick < 30; ++tick) session.Update(CTurnClock::mc_tickMs);  // two steps played
    ASSERT_TRUE(session.GetMatch().IsExecuting());
  };
  playIntoTurn(m_session, Folder());
  while (Match().IsExecuting()) m_session.Update(CTurnClock::mc_tickMs);
  const std::uint64_t ended = WorldChecksum(Match());

  for (const int leaveKey : {0, static_cast<int>(SDLK_ESCAPE)}) {
    const TempDir dir;
    {
      worldtest::OwnSession left;
      playIntoTurn(left.m_session, dir.File("korvane"));
      if (leaveKey) left.m_session.OnKey(leaveKey, true);
      left.m_session.GetRecordFolder().Flush();
    }
    // Watched as a whole game, the autosave plays the turn under way too.
    worldtest::OwnSession viewer;
    ASSERT_TRUE(viewer.m_session.OpenReplay(dir.File("korvane/autosave.kvrec"))) << viewer.m_session.GetRecordMessage();
    for (int step = 0; step < 5; ++step) viewer.m_session.OnKey(SDLK_n, true);
    EXPECT_EQ(viewer.m_session.GetReplay()->GetReplay().GetTurnsDone(), 1u);
    EXPECT_EQ(WorldChecksum(viewer.m_session.GetReplay()->GetReplay().GetGame().Match()), ended);
    worldtest::OwnSession other;
    CGameSession& session = other.m_session;
    session.SetRecordFolder(dir.File("korvane"));
    session.OnKey(SDLK_c, true);
    ASSERT_EQ(session.GetMode(), CGameSession::mc_modePlay) << leaveKey << ": " << session.GetRecordMessage();
    EXPECT_EQ(session.GetMatch().GetTurn(), 2u) << leaveKey;
    EXPECT_FALSE(session.GetMatch().IsExecuting()) << leaveKey;
    EXPECT_EQ(WorldChecksum(session.GetMatch()), ended) << leaveKey;
  }
}

TEST_F(RecordFolderTest, AFinishedGameGoesToTheHistoryWhichKeepsTheNewestFifty) {
  const std::string history = Folder() + "/history";
  fs::create_directories(history);
  for (int i = 0; i < 55; ++i) std::ofstream(history + "/game-2000-01-01-0000" + std::to_string(10 + i) + ".kvrec");
  m_session.SetRecordFolder(Folder());
  StartGame(1, 1);
  m_session.GetRecordFolder().Flush();
  ASSERT_TRUE(fs::exists(Autosave()));
  // Green faces Blue, which one shell destroys.
  Place(0, 0, 7, 5, 0, 1)->AddFire();
  Place(1, 0, 7, 8, 0, -1, 10);
  PlayTurn();
  ASSERT_TRUE(Match().IsGameOver());
  EXPECT_FALSE(m_session.CanContinue());
  m_session.GetRecordFolder().Flush();

  EXPECT_FALSE(fs::exists(Autosave()));
  EXPECT_FALSE(m_session.CanContinue());
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(history)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  ASSERT_EQ(names.size(), 50u);
  EXPECT_EQ(names.front(), "game-2000-01-01-000016.kvrec");
  EXPECT_EQ(names.back().substr(0, 5), "game-");
  EXPECT_NE(names.back().substr(0, 9), "game-2000");
}

TEST_F(RecordFolderTest, AFolderThatCannotBeWrittenCostsTheRecordsNotTheGame) {
  // A file where the data folder should be: not even root can save there.
  const std::string blocked = m_dir.Write("data", "not a folder") + "/korvane";
  m_session.SetRecordFolder(blocked);
  testing::internal::CaptureStderr();
  StartGame(2, 2);
  for (int turn = 0; turn < 3; ++turn) {
    Press(SDLK_1);
    Press(SDLK_UP);
    PlayTurn();
  }
  Press(SDLK_ESCAPE);
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(m_session.GetGame().Record().m_turns.size(), 3u);
  EXPECT_FALSE(m_session.CanContinue());
  EXPECT_FALSE(m_session.GetRecordFolder().GetProblem().empty());
  std::size_t times = 0;
  for (std::size_t at = said.find("cannot save"); at != std::string::npos; at = said.find("cannot save", at + 1)) ++times;
  EXPECT_EQ(times, 1u) << said;
}

}  // namespace

// A game brought back keeps its own battlefield, sizes and level; the start
// screen after Escape still shows the choices a new game would take (the
// battlefield's name and picture alike), and says what Continue brings back.
TEST_F(RecordFolderTest, AfterContinueAndEscapeTheStartScreenShowsTheChoicesAsTheyAre) {
  PlayAndLeave();  // 3 against 3 on the arena, at the normal level, two turns played
  worldtest::OwnSession other;
  CGameSession& session = other.m_session;
  session.SetTeamSize(0, 5);
  session.SetDifficulty(Difficulty::Hard);  // the choices of this run: another battlefield, level and sizes
  session.SetRecordFolder(Folder());
  EXPECT_EQ(session.GetContinueText(), "14 x 12, turn 3, Normal, 3 v 3");
  session.OnKey(SDLK_c, true);
  ASSERT_EQ(session.GetMode(), CGameSession::mc_modePlay) << session.GetRecordMessage();
  EXPECT_EQ(session.GetMatch().GetMap().GetWidth(), 14u);
  EXPECT_EQ(session.GetGame().Record().m_difficulty, Difficulty::Normal);
  session.OnKey(SDLK_ESCAPE, true);
  ASSERT_NE(session.GetPreview(), nullptr);
  CMap chosen;
  ASSERT_TRUE(chosen.Load(session.GetMapFile().c_str()));
  EXPECT_EQ(BattlefieldRows(*session.GetPreview()), BattlefieldRows(chosen)) << session.GetBattlefields().GetName();
  EXPECT_EQ(session.GetDifficulty(), Difficulty::Hard);
  EXPECT_EQ(session.GetTeamSize(0), 5u);
  EXPECT_EQ(session.GetContinueText(), "14 x 12, turn 3, Normal, 3 v 3");
  // Named when it is a battlefield of the list.
  worldtest::OwnSession listed;
  listed.m_session.SetMapFile(worldtest::kArenaMap);
  listed.m_session.SetRecordFolder(Folder());
  EXPECT_EQ(listed.m_session.GetContinueText(), "world_arena.dat, turn 3, Normal, 3 v 3");
}

// Starting a new game while one is saved keeps the unfinished one in the
// history, where it replays as any record does; a saved game with no turn
// played is simply replaced.
TEST_F(RecordFolderTest, ANewGameMovesTheUnfinishedOneIntoTheHistory) {
  PlayAndLeave();
  const std::string unfinished = ReadAll(Autosave());
  const std::string history = Folder() + "/history";
  const auto kept = [&] {
    m_session.GetRecordFolder().Flush();
    std::vector<std::string> names;
    if (fs::exists(history)) {
      for (const auto& entry : fs::directory_iterator(history)) names.push_back(entry.path().string());
    }
    return names;
  };
  Press(SDLK_RETURN);
  const std::vector<std::string> names = kept();
  ASSERT_EQ(names.size(), 1u);
  EXPECT_EQ(ReadAll(names[0]), unfinished);
  worldtest::OwnSession viewer;
  EXPECT_TRUE(viewer.m_session.OpenReplay(names[0])) << viewer.m_session.GetRecordMessage();
  // The new game, left before its first turn, and 'R' twice in the next: nothing more to keep.
  Press(SDLK_ESCAPE);
  Press(SDLK_RETURN);
  Press(SDLK_r);
  Press(SDLK_r);
  EXPECT_EQ(kept().size(), 1u);
  EXPECT_TRUE(fs::exists(Autosave()));
}
