// The battlefield's static layers drawn from the kept picture give the very
// pixels of drawing them in full, and every change of what they show is drawn
// anew: through a plan, a selection, a step with shots in the air and the fog
// that follows it.
#include <gtest/gtest.h>

#include <SDL.h>

#include <functional>

#include "FrameCapture.h"
#include "core/ProgramClock.h"
#include "world/WorldTestSupport.h"

namespace {

// Pixels of the window that differ between two frames.
int DifferingPixels(const WindowPixels& a, const WindowPixels& b) {
  int differing = 0;
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) differing += a.At(x, y) != b.At(x, y) ? 1 : 0;
  }
  return differing;
}

class KeptLayersTest : public worldtest::WorldTest {
 protected:
  // The selected tank pulses with the clock: held, it looks the same in
  // every frame.
  void SetUp() override {
    WorldTest::SetUp();
    HoldProgramClock(0.3);
  }
  void TearDown() override { HoldProgramClock(-1.0); }

  WindowPixels Frame() {
    m_session.Render();
    return WindowPixels();
  }
};

}  // namespace

TEST_F(KeptLayersTest, KeptLayersShowTheSamePixelsAsLayersDrawnInFull) {
  StartGame(3, 3);
  Frame();
  struct Change {
    const char* what;
    std::function<void()> make;
  };
  const Change changes[] = {
      {"a path plotted for the selected tank", [&] { Tap(SDLK_1), ClickCell(1, 7, 6); }},
      {"a click on a wall: the plan kept, a no-path mark", [&] { ClickCell(SDL_BUTTON_LEFT, 2, 4); }},
      {"a shot planned twice, counted", [&] { Tap(SDLK_f), Tap(SDLK_f); }},
      {"another tank selected, the path's markers faint", [&] { Tap(SDLK_2); }},
      {"the first step of a turn, with shots",
       [&] {
         Tank(0, 1)->AddFire();
         Press(SDLK_SPACE);
         while (Match().GetStepsDone() < 1) Ticks(1);
         ASSERT_FALSE(Screen().GetEffects().empty());
       }},
      {"the fog after the turn", [&] { FinishTurn(); }},
      {"the game watched again", [&] { ASSERT_TRUE(m_session.WatchGame()); }},
      {"Blue's fog", [&] { Tap(SDLK_g); }},
      {"everything", [&] { Tap(SDLK_g); }},
      {"the threat lens", [&] { Tap(SDLK_t); }},
      {"a step of the replay", [&] { Tap(SDLK_n); }},
  };
  for (const Change& change : changes) {
    SCOPED_TRACE(change.what);
    const WindowPixels before = Frame();
    change.make();
    const WindowPixels changed = Frame();
    m_session.MarkDirty();
    const WindowPixels full = Frame();
    EXPECT_FALSE(CBattleScreen::LastFrameDrewKeptLayers());
    const WindowPixels kept = Frame();
    EXPECT_TRUE(CBattleScreen::LastFrameDrewKeptLayers());
    EXPECT_GT(DifferingPixels(before, full), 0);
    EXPECT_EQ(DifferingPixels(changed, full), 0);
    EXPECT_EQ(DifferingPixels(kept, full), 0);
  }
}
