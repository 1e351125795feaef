#pragma once

#include <cstdint>
#include <vector>

#include "screen/CEffect.h"
#include "world/MatchEvent.h"

// The effects alive on a battlefield shown: what the match's events leave
// to see (shell trails, flashes and impacts for every shot; a floating loss
// and an explosion for a hit, and a wreck for a tank taken off, where the
// player's team saw them), faded tick by tick and drawn over the tanks.
class CEffects {
 public:
  // Room for this many effects is made at once, so that a turn allocates nothing.
  static constexpr std::size_t mc_room = 512;

  CEffects();

  // Makes the effects of the events, oldest first.
  void Absorb(const std::vector<MatchEvent>& events);
  // Shows a shot between two points of map drawing space: a puff every 32
  // pixels along it, a muzzle flash near the start and an impact near the end.
  void SpawnShot(float fromX, float fromY, float toX, float toY);
  // Fades every effect not held by one tick; those faded out go, the last
  // effect taking the hole of each.
  void Age();
  void Clear() { m_effects.clear(); }
  const std::vector<CEffect>& Get() const { return m_effects; }
  bool Empty() const { return m_effects.empty(); }
  // Every effect in map drawing space.
  void Draw() const;

 private:
  void AddWreck(const MatchEvent& removed);
  void AddHit(const MatchEvent& hit);

  std::vector<CEffect> m_effects;  // alive now
};
