#include "app/CFramePacer.h"

#include <algorithm>

#include "app/CGameSession.h"

void CFramePacer::Restart(std::uint32_t now) { m_LastTicks = now; }

CFramePacer::Next CFramePacer::Advance(CGameSession& session, std::uint32_t now) {
  const Motion before = session.GetMotion();
  const std::uint32_t tickMs = CTurnClock::mc_tickMs;
  const std::uint32_t elapsed = std::min(now - m_LastTicks, mc_mostTicksAtOnce * tickMs);
  m_LastTicks = now;
  // The session runs at most one tick per call and keeps the rest: every tick
  // that is due runs now, so game time keeps up with real time.
  const bool ticks = session.GetAccumulator() + elapsed >= tickMs;
  session.Update(elapsed);
  while (session.GetAccumulator() >= tickMs) session.Update(0);
  const Motion motion = session.GetMotion();
  if (ticks && (before == Motion::Moving || motion == Motion::Moving)) m_Dirty = true;
  // A mark that ran out, or a pulse that stopped, leaves a picture to draw once more.
  if (motion != before) m_Dirty = true;

  const std::uint32_t sinceFrame = now - m_LastFrame;
  if (m_Dirty) {
    // Input shows at once; motion no faster than the display.
    const std::uint32_t gap = before == Motion::Moving ? m_FrameMs : 0;
    if (sinceFrame >= gap) return Next{true, 0};
    return Next{false, gap - sinceFrame};
  }
  if (motion == Motion::Pulse) {
    if (sinceFrame >= mc_pulseFrameMs) return Next{true, 0};
    return Next{false, mc_pulseFrameMs - sinceFrame};
  }
  if (motion == Motion::Moving) return Next{false, tickMs - session.GetAccumulator()};
  return Next{false, mc_untilEvent};
}

void CFramePacer::FrameDrawn(std::uint32_t now) {
  m_LastFrame = now;
  m_Dirty = false;
}
