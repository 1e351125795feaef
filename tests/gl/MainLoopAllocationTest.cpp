// The main loop's work between the steps of a turn, in play and in a replay,
// allocates nothing: each frame there is a tick that runs no step, then Render.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstddef>

#include "support/AllocationCount.h"
#include "world/CReplay.h"
#include "world/WorldTestSupport.h"

namespace {

class MainLoopAllocationTest : public worldtest::WorldTest {
 protected:
  static bool NextTickSteps(const CGameWorld& world) {
    return world.GetStepsDone() >= CGameWorld::mc_turnSteps ||
           (world.IsExecuting() && world.GetStepTimer() <= CGameWorld::mc_tickMs);
  }
  bool NextTickSteps() const { return NextTickSteps(m_world); }

  // One frame of the main loop; the allocations it made.
  std::size_t Frame() {
    const std::size_t before = AllocationCount();
    m_world.Update(CGameWorld::mc_tickMs);
    m_world.Render();
    return AllocationCount() - before;
  }
};

}  // namespace

TEST_F(MainLoopAllocationTest, FramesBetweenStepsAllocateNothing) {
  StartGame(10, 10);
  // Green moves, fires and turns, Blue follows the computer's plan, and shots
  // are in the air from the start.
  for (CTank* tank : m_world.GetTeamTanks(0)) {
    tank->AddMoveForward();
    tank->AddFire();
    tank->AddTurn(true);
  }
  for (const auto& tank : m_world.GetTanks()) {
    const float x = 32.0f * static_cast<float>(tank->GetX());
    const float y = 32.0f * static_cast<float>(tank->GetY());
    m_world.SpawnShotEffects(x, y, x, tank->GetTeam() == 0 ? y + 320.0f : y - 320.0f);
  }
  Tap(SDLK_1);
  m_world.Render();  // the first frame may fetch what it keeps
  Press(SDLK_SPACE);

  int quietFrames = 0;
  int steps = 0;
  for (int frame = 0; frame < 200 && m_world.IsExecuting(); ++frame) {
    if (NextTickSteps()) {
      Frame();  // steps and turn ends may allocate
      ++steps;
      continue;
    }
    EXPECT_EQ(Frame(), 0u) << "frame " << frame << ", " << m_world.GetStepsDone() << " steps done";
    ++quietFrames;
  }
  // The turn ran to its end, its frames between steps all checked.
  EXPECT_FALSE(m_world.IsExecuting());
  EXPECT_EQ(steps, CGameWorld::mc_turnSteps + 1);
  EXPECT_GE(quietFrames, 50);
  EXPECT_FALSE(m_world.GetEffects().empty());

  // Then the player plans the next turn while the effects fade.
  for (int frame = 0; frame < 30; ++frame) EXPECT_EQ(Frame(), 0u) << "planning frame " << frame;
}

TEST_F(MainLoopAllocationTest, ReplayFramesBetweenStepsAllocateNothing) {
  ASSERT_TRUE(m_world.OpenReplay("tests/records/shipped-10v10.kvrec")) << m_world.GetRecordMessage();
  Tap(SDLK_t), Tap(SDLK_SPACE);  // playing, with the threat lens
  const CReplay& replay = *m_world.GetReplay();
  int quietFrames = 0;
  for (int frame = 0; frame < 400 && replay.GetTurnsDone() < 3; ++frame) {
    const bool steps = NextTickSteps(replay.GetWorld());
    const std::size_t allocated = Frame();
    if (steps || frame == 0) continue;  // steps and turn ends may allocate, so may the first frame
    EXPECT_EQ(allocated, 0u) << "frame " << frame << ", turn " << replay.GetTurnsDone() + 1;
    ++quietFrames;
  }
  EXPECT_GE(quietFrames, 150);
}
