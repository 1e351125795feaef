#pragma once

#include <cstddef>
#include <cstdint>

#include "units/TankHit.h"

// One thing that happened in a step, as the player's team knows it.
struct LogEvent {
  enum class Kind : std::uint8_t { Hit, Destroy, Repair };

  Kind m_kind = Kind::Hit;
  std::uint32_t m_turn = 0;     // the turn it happened in, from 1
  std::int32_t m_step = 0;      // the step of that turn, 1 to 4
  std::int32_t m_actorTeam = 0; // the shooter's team, or the repaired tank's
  std::uint32_t m_actorSlot = 0;  // the shooter's slot + 1 (the player's tanks are named by it)
  bool m_actorSeen = true;      // false: the shot came out of the fog
  std::int32_t m_targetTeam = 0;
  std::uint32_t m_targetSlot = 0;
  HitSide m_side = HitSide::Front;
  std::int32_t m_amount = 0;    // hit points lost or regained
};

// The newest events of the turn being played or just played; a turn's first
// step starts it afresh. Fixed room: recording never allocates.
class CCombatLog {
 public:
  static constexpr std::size_t mc_capacity = 6;

  void Clear() { m_count = 0; }
  // Keeps the event, dropping the oldest when full.
  void Add(const LogEvent& event);
  std::size_t Size() const { return m_count; }
  // The newest event is 0.
  const LogEvent& Newest(std::size_t age) const;

 private:
  LogEvent m_events[mc_capacity];  // a ring, m_next the place of the next event
  std::size_t m_next = 0;          // where Add writes
  std::size_t m_count = 0;         // events held, at most mc_capacity
};
