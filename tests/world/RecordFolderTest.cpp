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

#include "support/TempDir.h"
#include "world/CReplay.h"
#include "world/SnapshotText.h"
#include "world/WorldChecksum.h"
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
    m_world.SetRecordFolder(Folder());
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
    m_world.GetRecordFolder().Flush();
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
  const std::string otherRules = WithLine(good, "", "rules ", "rules 2");
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
      {"other rules, no snapshot", [&](const std::string& p) { std::ofstream(p) << WithoutSnapshot(otherRules); },
       "recorded with rules 2; this game plays rules 1"},
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

    CGameEngine engine;
    CGameWorld& world = engine.GetWorld();
    world.SetRecordFolder(folder);
    if (world.CanContinue()) world.OnKey(SDLK_c, true);
    EXPECT_FALSE(world.CanContinue()) << c.name;
    EXPECT_EQ(world.GetMode(), CGameWorld::mc_modeStartScreen) << c.name;
    EXPECT_EQ(world.GetRecordMessage().rfind(autosave + ": ", 0), 0u) << c.name << ": " << world.GetRecordMessage();
    EXPECT_NE(world.GetRecordMessage().find(c.says), std::string::npos) << c.name << ": " << world.GetRecordMessage();
    EXPECT_TRUE(fs::exists(autosave + ".broken")) << c.name;
    EXPECT_EQ(ReadAll(kept), good) << c.name;
    // The game plays, and saves again.
    world.OnKey(SDLK_RETURN, true);
    EXPECT_EQ(world.GetMode(), CGameWorld::mc_modePlay) << c.name;
    EXPECT_TRUE(world.CanContinue()) << c.name;
    EXPECT_TRUE(world.GetRecordFolder().GetProblem().empty()) << c.name;
  }
}

TEST_F(RecordFolderTest, ContinueBringsBackTheGameAsLeftAndWatchingTheLastTurnKeepsThePlans) {
  PlayAndLeave();
  CGameEngine engine;
  CGameWorld& world = engine.GetWorld();
  world.SetRecordFolder(Folder());
  ASSERT_TRUE(world.CanContinue()) << world.GetRecordMessage();
  world.OnKey(SDLK_c, true);
  ASSERT_EQ(world.GetMode(), CGameWorld::mc_modePlay) << world.GetRecordMessage();
  // The checksum covers every queue, the plans in progress included.
  EXPECT_EQ(WorldChecksum(world), WorldChecksum(m_world));
  EXPECT_EQ(world.GetSelected(), 3u);

  const std::uint64_t before = WorldChecksum(world);
  const struct {
    int stopKey;  // 0: the turn runs to its end
    int ticksAtLeast;
  } watches[] = {{0, 3 * 19}, {SDLK_v, 10}, {SDLK_ESCAPE, 10}};
  for (const auto& watch : watches) {
    world.OnKey(SDLK_v, true);
    ASSERT_TRUE(world.IsWatching());
    int ticks = 0;
    for (; world.IsWatching() && ticks < 1000; ++ticks) {
      // Input for the game meanwhile changes nothing.
      world.OnKey(SDLK_DELETE, true);
      if (watch.stopKey && ticks == watch.ticksAtLeast) world.OnKey(watch.stopKey, true);
      world.Update(CGameWorld::mc_tickMs);
    }
    EXPECT_GE(ticks, watch.ticksAtLeast);
    EXPECT_LT(ticks, 1000);
    EXPECT_EQ(world.GetMode(), CGameWorld::mc_modePlay);
    EXPECT_EQ(WorldChecksum(world), before);
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
  std::string left;
  AppendSnapshotText(left, "now", m_world.TakeSnapshot());
  for (const std::string& updated : {WithLine(good, "", "rules ", "rules 7"), wrongCheck}) {
    const TempDir dir;
    fs::create_directories(dir.File("korvane"));
    std::ofstream(dir.File("korvane/autosave.kvrec")) << updated;
    CGameEngine engine;
    CGameWorld& world = engine.GetWorld();
    world.SetRecordFolder(dir.File("korvane"));
    world.OnKey(SDLK_c, true);
    ASSERT_EQ(world.GetMode(), CGameWorld::mc_modePlay) << world.GetRecordMessage();
    std::string back;
    AppendSnapshotText(back, "now", world.TakeSnapshot());
    EXPECT_EQ(back, left);
    EXPECT_EQ(WorldChecksum(world), WorldChecksum(m_world));
    EXPECT_EQ(world.GetSelected(), 3u);
    EXPECT_TRUE(world.GetRecord().m_start && world.GetRecord().m_turns.empty());
    // A turn later the game's record replays in this build, from the snapshot.
    world.OnKey(SDLK_SPACE, true);
    while (world.IsExecuting()) world.Update(CGameWorld::mc_tickMs);
    CGameEngine fresh;
    std::string error;
    EXPECT_TRUE(fresh.GetWorld().ReplayRecord(world.GetRecord(), 1, error)) << error;
    EXPECT_EQ(WorldChecksum(fresh.GetWorld()), WorldChecksum(world));
  }
}

// A turn whose Space was pressed is committed: left while it runs (Escape,
// or the game killed with what Space handed over), Continue finishes it
// instead of giving the plans back to be made again against the computer's moves.
TEST_F(RecordFolderTest, ATurnLeftWhileItRunsIsFinishedOnContinue) {
  const auto playIntoTurn = [](CGameWorld& world, const std::string& folder) {
    GetRandomTable().Fill(7);
    world.SetMapFile(worldtest::kArenaMap);
    world.SetRecordFolder(folder);
    for (const int key : {SDLK_RETURN, SDLK_1, SDLK_UP, SDLK_UP, SDLK_2, SDLK_f, SDLK_SPACE}) world.OnKey(key, true);
    for (int tick = 0; tick < 30; ++tick) world.Update(CGameWorld::mc_tickMs);  // two steps played
    ASSERT_TRUE(world.IsExecuting());
  };
  playIntoTurn(m_world, Folder());
  while (m_world.IsExecuting()) m_world.Update(CGameWorld::mc_tickMs);
  const std::uint64_t ended = WorldChecksum(m_world);

  for (const int leaveKey : {0, static_cast<int>(SDLK_ESCAPE)}) {
    const TempDir dir;
    {
      CGameEngine engine;
      playIntoTurn(engine.GetWorld(), dir.File("korvane"));
      if (leaveKey) engine.GetWorld().OnKey(leaveKey, true);
      engine.GetWorld().GetRecordFolder().Flush();
    }
    // Watched as a whole game, the autosave plays the turn under way too.
    CGameEngine viewer;
    ASSERT_TRUE(viewer.GetWorld().OpenReplay(dir.File("korvane/autosave.kvrec"))) << viewer.GetWorld().GetRecordMessage();
    for (int step = 0; step < 5; ++step) viewer.GetWorld().OnKey(SDLK_n, true);
    EXPECT_EQ(viewer.GetWorld().GetReplay()->GetTurnsDone(), 1u);
    EXPECT_EQ(WorldChecksum(viewer.GetWorld().GetReplay()->GetWorld()), ended);
    CGameEngine engine;
    CGameWorld& world = engine.GetWorld();
    world.SetRecordFolder(dir.File("korvane"));
    world.OnKey(SDLK_c, true);
    ASSERT_EQ(world.GetMode(), CGameWorld::mc_modePlay) << leaveKey << ": " << world.GetRecordMessage();
    EXPECT_EQ(world.GetTurn(), 2u) << leaveKey;
    EXPECT_FALSE(world.IsExecuting()) << leaveKey;
    EXPECT_EQ(WorldChecksum(world), ended) << leaveKey;
  }
}

TEST_F(RecordFolderTest, AFinishedGameGoesToTheHistoryWhichKeepsTheNewestFifty) {
  const std::string history = Folder() + "/history";
  fs::create_directories(history);
  for (int i = 0; i < 55; ++i) std::ofstream(history + "/game-2000-01-01-0000" + std::to_string(10 + i) + ".kvrec");
  m_world.SetRecordFolder(Folder());
  StartGame(1, 1);
  m_world.GetRecordFolder().Flush();
  ASSERT_TRUE(fs::exists(Autosave()));
  // Green faces Blue, which one shell destroys.
  Place(0, 0, 7, 5, 0, 1)->AddFire();
  Place(1, 0, 7, 8, 0, -1, 10);
  PlayTurn();
  ASSERT_TRUE(m_world.IsGameOver());

  EXPECT_FALSE(fs::exists(Autosave()));
  EXPECT_FALSE(m_world.CanContinue());
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
  m_world.SetRecordFolder(blocked);
  testing::internal::CaptureStderr();
  StartGame(2, 2);
  for (int turn = 0; turn < 3; ++turn) {
    Press(SDLK_1);
    Press(SDLK_UP);
    PlayTurn();
  }
  Press(SDLK_ESCAPE);
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(m_world.GetRecord().m_turns.size(), 3u);
  EXPECT_FALSE(m_world.CanContinue());
  EXPECT_FALSE(m_world.GetRecordFolder().GetProblem().empty());
  std::size_t times = 0;
  for (std::size_t at = said.find("cannot save"); at != std::string::npos; at = said.find("cannot save", at + 1)) ++times;
  EXPECT_EQ(times, 1u) << said;
}

}  // namespace
