#pragma once

#include <cstdint>

class CGameSession;

// The timing of the main loop: hands the session every 16 ms tick that real
// time brings, whether frames come fast or slow, and draws a frame only when
// the picture may have changed: after input, with every tick while something
// moves (no faster than the display shows them), at a slower beat while only
// the selected tank pulses, and never while the picture stands still.
class CFramePacer {
 public:
  // Milliseconds between frames while only the selected tank pulses: its slow
  // pulse (a period of 2.5 s) looks smooth at 10 frames a second, which cost a
  // third of 30.
  static constexpr std::uint32_t mc_pulseFrameMs = 100;
  // The fewest milliseconds between frames without vsync: about the display's
  // rate of 60 frames a second.
  static constexpr std::uint32_t mc_displayFrameMs = 16;
  // Ticks the session may catch up at once, after the program was held up;
  // older time is let go rather than raced through.
  static constexpr std::uint32_t mc_mostTicksAtOnce = 30;
  // A wait with no end: until the next event.
  static constexpr std::uint32_t mc_untilEvent = UINT32_MAX;

  // What the loop does next, when no event is waiting.
  struct Next {
    bool draw;              // draw and show a frame now
    std::uint32_t sleepMs;  // otherwise, sleep this long (or until an event)
  };

  // Time starts (or starts again after a wait in which no tick could change
  // anything) at now: what passed before is not handed to the world.
  void Restart(std::uint32_t now);
  // Input, focus or exposure: the picture is to be drawn.
  void PictureChanged() { m_Dirty = true; }
  // Runs the ticks due by now (milliseconds on the loop's clock), then says
  // whether to draw or how long to sleep.
  Next Advance(CGameSession& session, std::uint32_t now);
  void FrameDrawn(std::uint32_t now);
  // vsync: the buffer swap waits for the display, so frames need no cap.
  void SetVsync(bool vsync) { m_FrameMs = vsync ? 0 : mc_displayFrameMs; }

 private:
  std::uint32_t m_FrameMs = mc_displayFrameMs;  // fewest milliseconds between frames while things move
  std::uint32_t m_LastTicks = 0;  // the clock when time was last handed to the session
  std::uint32_t m_LastFrame = 0;  // the clock at the last frame drawn
  bool m_Dirty = true;            // the picture on screen may be out of date
};
