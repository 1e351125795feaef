#include "engine/CFramePacer.h"

#include <algorithm>

void CFramePacer::Restart(std::uint32_t now) { m_LastTicks = now; }

CFramePacer::Next CFramePacer::Advance(CGameWorld& world, std::uint32_t now) {
  const CGameWorld::Motion before = world.GetMotion();
  const std::uint32_t tickMs = CGameWorld::mc_tickMs;
  const std::uint32_t elapsed = std::min(now - m_LastTicks, mc_mostTicksAtOnce * tickMs);
  m_LastTicks = now;
  // The world runs at most one tick per call and keeps the rest: every tick
  // that is due runs now, so game time keeps up with real time.
  const bool ticks = world.GetAccumulator() + elapsed >= tickMs;
  world.Update(elapsed);
  while (world.GetAccumulator() >= tickMs) world.Update(0);
  const CGameWorld::Motion motion = world.GetMotion();
  if (ticks && (before == CGameWorld::Motion::Moving || motion == CGameWorld::Motion::Moving)) m_Dirty = true;
  // A mark that ran out, or a pulse that stopped, leaves a picture to draw once more.
  if (motion != before) m_Dirty = true;

  const std::uint32_t sinceFrame = now - m_LastFrame;
  if (m_Dirty) {
    // Input shows at once; motion no faster than the display.
    const std::uint32_t gap = before == CGameWorld::Motion::Moving ? m_FrameMs : 0;
    if (sinceFrame >= gap) return Next{true, 0};
    return Next{false, gap - sinceFrame};
  }
  if (motion == CGameWorld::Motion::Pulse) {
    if (sinceFrame >= mc_pulseFrameMs) return Next{true, 0};
    return Next{false, mc_pulseFrameMs - sinceFrame};
  }
  if (motion == CGameWorld::Motion::Moving) return Next{false, tickMs - world.GetAccumulator()};
  return Next{false, mc_untilEvent};
}

void CFramePacer::FrameDrawn(std::uint32_t now) {
  m_LastFrame = now;
  m_Dirty = false;
}
