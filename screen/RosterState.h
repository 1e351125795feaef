#pragma once

#include <cstddef>
#include <cstdint>

class CTank;

// What a tank of the roster is about to do, as its slot shows it under its
// icon: "idle" (no orders: it waits, or repairs on a repair cell), "busy"
// (still busy from its last fire or move back, no orders after it), or the
// steps its orders fill, the busy step included ("3 st").
struct RosterState {
  enum class Kind : std::uint8_t { Idle, Busy, Orders };

  Kind m_kind = Kind::Idle;  // which of the three
  std::int32_t m_steps = 0;  // Orders: the steps they fill, from the next one on
};

// The tank's state now: while planning, what the next turn begins with.
RosterState RosterStateOf(const CTank& tank);
// The state's words, at most a few characters: "idle", "busy", "3 st".
const char* FormatRosterState(const RosterState& state, char* buffer, std::size_t size);
