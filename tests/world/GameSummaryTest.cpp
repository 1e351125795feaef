// A finished game shows its figures: a short scripted game on the test arena
// (Green's first tank on the centre cell shooting at Blue's one tank, turned
// another way each turn) ends with the whole battlefield in view and the
// damage by side, the turn ends on the centre and the tanks lost counted as
// they happened; the same figures come from the record of a game played.
#include <gtest/gtest.h>

#include <SDL.h>

#include <string>
#include <vector>

#include "record/CGame.h"
#include "record/RecordText.h"
#include "screen/GameSummary.h"
#include "world/WorldTestSupport.h"

namespace {

using GameSummaryTest = worldtest::WorldTest;

std::vector<std::string> Lines(const SummaryLines& summary) {
  return std::vector<std::string>(summary.m_lines, summary.m_lines + summary.m_count);
}

}  // namespace

TEST_F(GameSummaryTest, AWonGameShowsEverythingAndCountsDamageBySideAndTheCentreTurns) {
  StartGame(2, 1);
  Park(0, 1, 0);
  Place(0, 0, 7, 6, 0, 1);  // on the centre cell, facing Blue
  // Blue's tank two cells up: its side, then its front (firing back), then its rear.
  const struct {
    std::int32_t dx, dy, hp;
    bool fires;
    const char* greenPlan;
  } turns[] = {{1, 0, 100, false, "ff"}, {0, -1, 60, true, "f"}, {0, 1, 50, false, "ff"}};
  for (const auto& turn : turns) {
    ASSERT_TRUE(Match().IsInProgress());
    EXPECT_FALSE(m_session.IsGameOverShown());
    CTank* blue = Place(1, 0, 7, 8, turn.dx, turn.dy, turn.hp);
    if (turn.fires) blue->AddFire();
    Tap(SDLK_1);
    for (const char* c = turn.greenPlan; *c; ++c) Tap(SDLK_f);
    PlayTurn();
  }
  ASSERT_FALSE(Match().IsInProgress());
  EXPECT_TRUE(m_session.IsGameOverShown());
  EXPECT_EQ(Screen().GetView(), BattleView::Everything);
  const CGameTally& tally = m_session.GetTally();
  EXPECT_EQ(tally.GetSide(0).m_damageDealt, 20u + 20u + 10u + 50u);
  EXPECT_EQ(tally.GetSide(0).m_damageTaken, 10u);
  EXPECT_EQ(tally.GetSide(1).m_damageDealt, 10u);
  EXPECT_EQ(tally.GetSide(1).m_damageTaken, 100u);
  // Three turn ends on the centre, though a win by destruction counts ten in the match.
  EXPECT_EQ(tally.GetSide(0).m_centreTurns, 3u);
  EXPECT_EQ(tally.GetSide(1).m_centreTurns, 0u);
  EXPECT_EQ(Lines(FormatGameSummary(tally, Match())),
            (std::vector<std::string>{"Game over: 3 turns", "Green: 0 of 2 tanks lost", "damage dealt 100",
                                      "damage taken 10", "on centre: 3 turn ends", "Blue: 1 of 1 tanks lost",
                                      "damage dealt 10", "damage taken 100", "on centre: 0 turn ends"}));
  // A new game counts from nothing and shows Green's fog again.
  Tap(SDLK_r);
  EXPECT_FALSE(m_session.IsGameOverShown());
  EXPECT_EQ(Screen().GetView(), BattleView::GreenFog);
  EXPECT_EQ(m_session.GetTally().GetSide(0).m_damageDealt, 0u);
}

// A game brought back is counted from its record at its end: the record's
// turns replayed a turn at a time give the figures that counting every
// step of the same turns gives.
TEST(GameTallyTest, TheRecordGivesTheFiguresCountedStepByStep) {
  CGameRecord record;
  std::string error;
  ASSERT_TRUE(ReadRecordFile("tests/records/shipped-10v10.kvrec", record, error)) << error;
  CGameTally fromRecord;
  ASSERT_TRUE(fromRecord.CountRecord(record));
  CGame game;
  ASSERT_TRUE(game.Replay(record, 0, error)) << error;
  CGameTally stepByStep;
  for (const RecordTurn& turn : record.m_turns) {
    ASSERT_TRUE(game.StartRecordedTurn(turn.m_queues));
    while (game.Match().IsExecuting()) {
      if (game.Match().GetStepsDone() >= CGameWorld::mc_turnSteps) {
        game.EndTurn();
      } else if (!game.StopIfFinished()) {
        game.RunStep();
      }
      stepByStep.Count(game.Match());
      game.Match().ClearEvents();
    }
  }
  std::uint32_t damage = 0;
  for (std::uint32_t team = 0; team < 2; ++team) {
    EXPECT_EQ(fromRecord.GetSide(team).m_damageDealt, stepByStep.GetSide(team).m_damageDealt) << team;
    EXPECT_EQ(fromRecord.GetSide(team).m_damageTaken, stepByStep.GetSide(team).m_damageTaken) << team;
    EXPECT_EQ(fromRecord.GetSide(team).m_centreTurns, stepByStep.GetSide(team).m_centreTurns) << team;
    damage += fromRecord.GetSide(team).m_damageTaken;
  }
  EXPECT_GT(damage, 0u) << "a record with no hit tests nothing";
}
