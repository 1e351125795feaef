// The main loop's work between the steps of a turn, in play and in a replay,
// allocates nothing: each frame there is a tick that runs no step, then Render.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstddef>

#include "support/AllocationCount.h"
#include "record/CReplay.h"
#include "screen/CReplayScreen.h"
#include "world/WorldTestSupport.h"

namespace {

class MainLoopAllocationTest : public worldtest::WorldTest {
 protected:
  static bool NextTickSteps(const CGameWorld& match, const CTurnClock& clock) {
    return match.GetStepsDone() >= CGameWorld::mc_turnSteps ||
           (match.IsExecuting() && clock.GetStepTimer() <= CTurnClock::mc_tickMs);
  }
  bool NextTickSteps() const { return NextTickSteps(Match(), m_session.GetClock()); }

  // One frame of the main loop; the allocations it made.
  std::size_t Frame() {
    const std::size_t before = AllocationCount();
    m_session.Update(CTurnClock::mc_tickMs);
    m_session.Render();
    return AllocationCount() - before;
  }
};

}  // namespace

TEST_F(MainLoopAllocationTest, FramesBetweenStepsAllocateNothing) {
  StartGame(10, 10);
  // Green moves, fires and turns, Blue follows the computer's plan, and shots
  // are in the air from the start.
  for (CTank* tank : Match().GetTeamTanks(0)) {
    tank->AddMoveForward(Match().GetMap());
    tank->AddFire();
    tank->AddTurn(true);
  }
  for (const auto& tank : Match().GetTanks()) {
    const float x = 32.0f * static_cast<float>(tank->GetX());
    const float y = 32.0f * static_cast<float>(tank->GetY());
    Screen().Effects().SpawnShot(x, y, x, tank->GetTeam() == 0 ? y + 320.0f : y - 320.0f);
  }
  Tap(SDLK_1);
  m_session.Render();  // the first frame may fetch what it keeps
  Press(SDLK_SPACE);

  int quietFrames = 0;
  int steps = 0;
  for (int frame = 0; frame < 200 && Match().IsExecuting(); ++frame) {
    if (NextTickSteps()) {
      Frame();  // steps and turn ends may allocate
      ++steps;
      continue;
    }
    EXPECT_EQ(Frame(), 0u) << "frame " << frame << ", " << Match().GetStepsDone() << " steps done";
    ++quietFrames;
  }
  // The turn ran to its end, its frames between steps all checked.
  EXPECT_FALSE(Match().IsExecuting());
  EXPECT_EQ(steps, CGameWorld::mc_turnSteps + 1);
  EXPECT_GE(quietFrames, 50);
  EXPECT_FALSE(Screen().GetEffects().empty());

  // Then the player plans the next turn while the effects fade.
  for (int frame = 0; frame < 30; ++frame) EXPECT_EQ(Frame(), 0u) << "planning frame " << frame;
}

TEST_F(MainLoopAllocationTest, ReplayFramesBetweenStepsAllocateNothing) {
  ASSERT_TRUE(m_session.OpenReplay("tests/records/shipped-10v10.kvrec")) << m_session.GetRecordMessage();
  Tap(SDLK_t), Tap(SDLK_SPACE);  // playing, with the threat lens
  const CReplay& replay = m_session.GetReplay()->GetReplay();
  int quietFrames = 0;
  for (int frame = 0; frame < 400 && replay.GetTurnsDone() < 3; ++frame) {
    const bool steps = NextTickSteps(replay.GetGame().Match(), replay.GetClock());
    const std::size_t allocated = Frame();
    if (steps || frame == 0) continue;  // steps and turn ends may allocate, so may the first frame
    EXPECT_EQ(allocated, 0u) << "frame " << frame << ", turn " << replay.GetTurnsDone() + 1;
    ++quietFrames;
  }
  EXPECT_GE(quietFrames, 150);
}
