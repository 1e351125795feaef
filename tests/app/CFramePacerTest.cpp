#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <functional>

#include "app/CFramePacer.h"
#include "world/WorldTestSupport.h"

// The main loop's timing on a fake clock: each pass asks the pacer, then
// either draws a frame that takes the given time, or sleeps as the loop does.
namespace {

class CFramePacerTest : public worldtest::WorldTest {
 protected:
  // Runs the loop from now until the condition holds after a pass's ticks,
  // or the time is up.
  template <typename Until>
  void Loop(std::uint32_t frameMs, std::uint32_t mostMs, Until until) {
    const std::uint32_t end = m_now + mostMs;
    while (m_now < end) {
      const CFramePacer::Next next = m_pacer.Advance(m_session, m_now);
      if (until()) return;
      if (next.draw) {
        m_pacer.FrameDrawn(m_now);
        ++m_frames;
        m_now += frameMs;
      } else if (next.sleepMs == CFramePacer::mc_untilEvent) {
        m_now = end;  // no event comes
      } else {
        m_now += std::min<std::uint32_t>(next.sleepMs, 10);
      }
    }
  }
  void Input(int sym) {
    Tap(sym);
    m_pacer.PictureChanged();
  }

  CFramePacer m_pacer;
  std::uint32_t m_now = 1000;
  int m_frames = 0;
};

}  // namespace

TEST_F(CFramePacerTest, ATurnTakesTheSameGameAndWallTimeHoweverSlowTheFrames) {
  // The first turn's length, one 16 ms tick per call as the session counts.
  StartGame(3, 3);
  const std::uint32_t turnMs = static_cast<std::uint32_t>(PlayTurn()) * CTurnClock::mc_tickMs;
  ASSERT_GT(turnMs, 3 * CTurnClock::mc_stepIntervalMs);

  for (const std::uint32_t frameMs : {1u, 16u, 50u, 120u, 300u}) {
    SCOPED_TRACE(frameMs);
    Tap(SDLK_r), Tap(SDLK_r);  // a new game: its first turn again
    m_pacer.Restart(m_now);
    Input(SDLK_SPACE);
    const std::uint32_t start = m_now;
    Loop(frameMs, 10 * turnMs, [&] { return !Match().IsExecuting(); });
    // Done within a frame (and a tick) of the reference, not frames x ticks.
    EXPECT_FALSE(Match().IsExecuting());
    EXPECT_GE(m_now - start + CTurnClock::mc_tickMs, turnMs);
    EXPECT_LE(m_now - start, turnMs + frameMs + CTurnClock::mc_tickMs);
  }
}

TEST_F(CFramePacerTest, FramesComeOnlyAsFastAsThePictureChanges) {
  struct Case {
    const char* what;
    bool play, select, shot;  // in play, a tank selected, a shot's effects in the air
    int fewest, most;         // frames in one second
  };
  const Case cases[] = {
      {"start screen", false, false, false, 0, 0},
      {"planning, nothing selected", true, false, false, 0, 0},
      {"a tank pulses", true, true, false, 9, 11},
      {"effects fade", true, true, true, 55, 63},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.play) StartGame(3, 3);
    if (c.select) Tap(SDLK_1);
    // A trail that lasts a second, its impact two.
    if (c.shot) Screen().Effects().SpawnShot(0, 0, 0, 3000);
    m_pacer.Restart(m_now);
    m_pacer.PictureChanged();
    Loop(1, 100, [] { return false; });  // the picture after the input
    m_frames = 0;
    Loop(1, 1000, [] { return false; });
    EXPECT_GE(m_frames, c.fewest);
    EXPECT_LE(m_frames, c.most);
  }
}

TEST_F(CFramePacerTest, MarksThatRunOutAreDrawnTillTheyGoThoughNothingElseMoves) {
  struct Case {
    const char* what;
    std::function<void()> show;
  };
  const Case cases[] = {
      {"the restart question", [&] { Tap(SDLK_r); }},
      {"the no-path mark, its tank then let go", [&] { Tap(SDLK_1), ClickCell(SDL_BUTTON_LEFT, 2, 4), Tap(SDLK_9); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StartGame(3, 3);  // nothing selected: the picture stands still but for the mark
    c.show();
    std::int32_t x = 0, y = 0;
    const auto shown = [&] { return m_session.IsRestartAsked() || Screen().GetNoPathMark(x, y); };
    ASSERT_TRUE(shown());
    m_pacer.Restart(m_now);
    m_pacer.PictureChanged();
    Loop(1, 10000, [&] { return !shown(); });
    ASSERT_FALSE(shown());
    // One frame shows the picture without it, then the loop waits for input.
    m_frames = 0;
    Loop(1, 1000, [] { return false; });
    EXPECT_EQ(m_frames, 1);
  }
}
