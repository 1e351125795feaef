// Game records: a game played with random commands replays from its record,
// in a fresh game, to the same match at every turn end, from its set-up or
// from a snapshot taken halfway; the committed golden records still replay to
// their checksums.
#include <gtest/gtest.h>

#include <SDL.h>

#include <filesystem>
#include <random>
#include <string>

#include "core/DataFiles.h"
#include "record/CGame.h"
#include "record/RecordText.h"
#include "record/SnapshotText.h"
#include "record/WorldChecksum.h"
#include "screen/ScreenLayout.h"
#include "world/WorldTestSupport.h"

namespace {

// Plans every Green tank's turn as a player might: commands, erasures and
// paths to random cells, or nothing at all.
void PlanRandomly(CGameSession& session, std::mt19937& random) {
  static constexpr int kKeys[] = {SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT, SDLK_w, SDLK_f, SDLK_BACKSPACE, SDLK_DELETE};
  const CMap& map = session.GetMatch().GetMap();
  const std::size_t slots = session.GetMatch().GetTeamTanks(0).size();
  for (std::size_t slot = 0; slot < slots; ++slot) {
    session.OnKey(slot == 9 ? SDLK_0 : SDLK_1 + static_cast<int>(slot), true);
    const int choice = static_cast<int>(random() % 8);
    if (choice == 0) {
      const auto x = static_cast<std::int32_t>(random() % map.GetWidth());
      const auto y = static_cast<std::int32_t>(random() % map.GetHeight());
      const MapPlacement place = PlaceMap(map);
      session.OnMouseButton(1, true, static_cast<std::uint16_t>(place.CellX(x)),
                            static_cast<std::uint16_t>(ScreenLayout::mc_windowHeight - place.CellY(y)));
    }
    for (int i = 0; i < choice; ++i) session.OnKey(kKeys[random() % 8], true);
  }
}

class GameRecordTest : public worldtest::WorldTest {
 protected:
  // Plays up to `turns` turns with random plans, in real time.
  void PlayRandomGame(std::uint32_t seed, std::uint32_t green, std::uint32_t blue, int turns) {
    std::mt19937 random(seed);
    m_session.SetSeed(seed);
    if (m_session.GetMode() == CGameSession::mc_modePlay) Press(SDLK_ESCAPE);
    StartGame(green, blue);
    m_snapshots.assign(1, m_session.GetGame().TakeSnapshot());
    for (int turn = 0; turn < turns && !Match().IsGameOver() && !Match().IsTie(); ++turn) {
      PlanRandomly(m_session, random);
      PlayTurn();
      m_snapshots.push_back(m_session.GetGame().TakeSnapshot());
    }
    PlanRandomly(m_session, random);
  }

  std::vector<GameSnapshot> m_snapshots;  // the game at its set-up and at every turn end
};

// The record with the plans in progress, through its text and back.
CGameRecord WrittenAndRead(const CGameSession& session) {
  CGameRecord record = session.GetGame().Record();
  record.m_plans = session.GetGame().CurrentQueues();
  record.m_hasPlans = true;
  record.m_selected = session.GetScreen().GetSelected();
  const std::string text = WriteRecordText(record);
  CGameRecord read;
  std::string error;
  EXPECT_TRUE(ReadRecordText(text, read, error)) << error;
  EXPECT_EQ(WriteRecordText(read), text);
  return read;
}

TEST_F(GameRecordTest, RandomGamesReplayInAFreshWorldToTheSameWorldAtEveryTurnEnd) {
  const struct {
    const char* map;
    std::uint32_t green, blue;
    int turns;
  } games[] = {
      {worldtest::kArenaMap, 3, 3, 60}, {worldtest::kArenaMap, 6, 6, 60}, {kv::kMapFile, 10, 10, 60},
      {kv::kMapFile, 1, 4, 60},         {worldtest::kNarrowMap, 3, 2, 60},
  };
  std::size_t turnsChecked = 0;
  for (std::uint32_t seed = 0; seed < sizeof games / sizeof games[0]; ++seed) {
    m_session.SetMapFile(games[seed].map);
    m_session.SetDifficulty(seed % 2 ? Difficulty::Hard : Difficulty::Normal);
    PlayRandomGame(seed + 7, games[seed].green, games[seed].blue, games[seed].turns);
    const CGameRecord record = WrittenAndRead(m_session);
    ASSERT_FALSE(record.m_turns.empty());
    turnsChecked += record.m_turns.size();

    // Replayed in a fresh game: every turn end is checked against the record.
    CGame fresh;
    std::string error;
    ASSERT_TRUE(fresh.Replay(record, record.m_turns.size(), error)) << "game " << seed << ": " << error;
    // The checksum covers every queue: the plans in progress came back too.
    EXPECT_EQ(WorldChecksum(fresh.Match()), WorldChecksum(Match())) << "game " << seed;

    // Every snapshot is put back whole: a game started from it gives it back.
    CGameRecord cut = record;
    cut.m_turns.clear();
    cut.m_hasPlans = false;
    for (const GameSnapshot& snapshot : m_snapshots) {
      cut.m_start = snapshot;
      ASSERT_TRUE(fresh.Replay(cut, 0, error)) << "game " << seed << ": " << error;
      std::string given, back;
      AppendSnapshotText(given, "", snapshot);
      AppendSnapshotText(back, "", fresh.TakeSnapshot());
      ASSERT_EQ(back, given) << "game " << seed;
    }
    // Cut halfway, the game is the snapshot there and the turns after it:
    // whatever the snapshot missed would part the turns from their checksums.
    const std::size_t turn = record.m_turns.size() / 2;
    cut = record;
    cut.m_start = m_snapshots.at(turn);
    cut.m_turns.erase(cut.m_turns.begin(), cut.m_turns.begin() + static_cast<std::ptrdiff_t>(turn));
    CGameRecord cutRead;
    ASSERT_TRUE(ReadRecordText(WriteRecordText(cut), cutRead, error)) << error;
    ASSERT_TRUE(fresh.Replay(cutRead, cutRead.m_turns.size(), error)) << "game " << seed << ": " << error;
    EXPECT_EQ(WorldChecksum(fresh.Match()), WorldChecksum(Match())) << "game " << seed;

    // A record that disagrees is refused at the first turn that differs.
    CGameRecord altered = record;
    altered.m_turns[turn].m_checksum ^= 1;
    EXPECT_FALSE(fresh.Replay(altered, altered.m_turns.size(), error));
    EXPECT_EQ(error, "turn " + std::to_string(turn + 1) + " does not match this game");
  }
  EXPECT_GT(turnsChecked, 60u);
}

TEST(GoldenRecordTest, CommittedGamesReplayToTheirChecksums) {
  std::size_t records = 0;
  for (const auto& entry : std::filesystem::directory_iterator("tests/records")) {
    CGameRecord record;
    std::string error;
    ASSERT_TRUE(ReadRecordFile(entry.path().string(), record, error)) << error;
    CGame game;
    EXPECT_TRUE(game.Replay(record, record.m_turns.size(), error)) << entry.path() << ": " << error;
    ++records;
  }
  EXPECT_GE(records, 3u);
}

}  // namespace
