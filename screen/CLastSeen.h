#pragma once

#include <array>
#include <cstdint>

class CGameWorld;

// Where the player's team last saw each enemy tank that has gone out of its
// sight: a faint mark of the tank, turned as it was, with the turn it was
// last seen in, until its cell is in sight again (or the tank is seen
// again). The screen's memory, kept apart from the rules: it learns from the
// match as it stands after each tick, step and turn end, and a game brought
// back with Continue starts it empty. Fixed room: learning never allocates.
class CLastSeen {
 public:
  // Enemy slots remembered; the match allows no more for a team.
  static constexpr std::size_t mc_slots = 32;

  // One enemy slot as the player's team knows it.
  struct Sighting {
    enum class State : std::uint8_t {
      Unknown,  // never seen, or its mark's cell seen again
      InSight,  // seen now
      Marked,   // out of sight: marked where it was last seen
    };
    State m_state = State::Unknown;  // what is known
    std::int32_t m_x = 0;            // the column it was last seen on
    std::int32_t m_y = 0;            // the row it was last seen on
    std::int32_t m_dx = 0;           // its heading then, x component
    std::int32_t m_dy = 1;           // its heading then, y component
    std::uint32_t m_turn = 0;        // the turn it was last seen in
  };

  // Forgets every enemy: a new game.
  void Clear();
  // Learns from the match what the player's team sees now; true when a mark
  // appeared, moved or went (the static layers then change).
  bool Learn(const CGameWorld& match);
  // The enemy of the slot; a slot beyond mc_slots reads as never seen.
  const Sighting& Get(std::size_t slot) const;
  // The marks, faint, in map drawing space, each with its turn ("T3").
  void Draw() const;

 private:
  std::array<Sighting, mc_slots> m_enemies{};  // by the enemy's slot
};
