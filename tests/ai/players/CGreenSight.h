#pragma once

#include <cstdint>
#include <vector>

#include "ai/players/GreenOrder.h"
#include "map/MapCell.h"
#include "units/TankState.h"

class CGameWorld;

// What Green knows at a turn end, read from the world in this one place, and
// Green's commands handed back through the world's input API (the tanks' Add
// functions, as the player's keys give them). The test players of Green plan
// from nothing else, so that a change of the world's API changes only this
// class. Green knows its own tanks, the Blue tanks on cells it sees now (with
// the health their bars show), the walls, the centre and repair cells and the
// public centre count; never a Blue tank out of its sight.
class CGreenSight {
 public:
  // One of Green's own tanks.
  struct Own {
    std::uint32_t slot;      // its slot in Green's team, from 0; kept for the whole game
    TankState state;         // cell, heading and hit points
    std::int32_t busySteps;  // first steps of the coming turn it is still busy (a shot or a step back)
    std::uint32_t queued;    // commands still queued from the turn before
    bool hitFromBehind;      // a shell struck it from behind since the last look
  };
  // A Blue tank on a cell Green sees now.
  struct Seen {
    std::uint32_t slot;  // its slot in Blue's team, from 0: the same tank keeps it
    TankState state;     // cell, heading and the hit points its health bar shows
  };
  // Who held the centre cell at the last turn end.
  enum class Holder : std::uint8_t { Nobody, Green, Blue };

  // Reads nothing yet; the world must outlive the sight.
  explicit CGreenSight(CGameWorld& world) : m_world(world) {}

  // Reads the turn end: the battlefield's walls, Green's tanks, the Blue ones
  // in sight and the centre count. Green's notes of shells from behind are
  // taken (and cleared, as the computer's planners clear their own).
  void Look();

  // The battlefield read by the last Look; 0 x 0 before any.
  std::int32_t GetWidth() const { return m_width; }
  std::int32_t GetHeight() const { return m_height; }
  // Open ground inside the grid; false for walls and any cell outside.
  bool IsOpen(std::int32_t x, std::int32_t y) const;
  // Green sees the cell now; false outside the grid.
  bool Sees(std::int32_t x, std::int32_t y) const;
  // The centre cell, whose holder for ten turn ends wins.
  MapCell GetCentre() const { return m_centre; }
  // The repair cells of the battlefield (a tiny one may have none).
  const std::vector<MapCell>& GetRepairCells() const { return m_repairCells; }
  // The centre count: who held the centre at the last turn end and for how
  // many turn ends in a row (0 when nobody did).
  Holder GetHolder() const { return m_holder; }
  std::uint32_t GetHoldCount() const { return m_holdCount; }
  // The turn being planned, from 1.
  std::uint32_t GetTurn() const { return m_turn; }

  // Green's living tanks and the Blue tanks it sees, in slot order.
  const std::vector<Own>& GetOwn() const { return m_own; }
  const std::vector<Seen>& GetSeen() const { return m_seen; }
  // Slots a Blue team may have: a slot past this is never seen.
  static constexpr std::uint32_t mc_maxSlots = 10;

  // Drops every command queued for Green's tank in the slot; nothing for an
  // empty or destroyed slot.
  void ClearOrders(std::uint32_t slot);
  // Queues the order after those queued; a move into a wall is refused by
  // the tank, as for the keys. Nothing for an empty or destroyed slot.
  void Give(std::uint32_t slot, GreenOrder order);

 private:
  CGameWorld& m_world;                 // the battle Green plays in
  std::int32_t m_width = 0;            // columns of the battlefield
  std::int32_t m_height = 0;           // rows of the battlefield
  std::vector<std::uint8_t> m_walls;   // 1 on a wall cell, row-major from the bottom
  std::vector<std::uint8_t> m_sees;    // 1 on a cell Green sees now
  MapCell m_centre = {0, 0};           // the centre cell
  std::vector<MapCell> m_repairCells;  // the repair cells
  std::vector<Own> m_own;              // Green's living tanks
  std::vector<Seen> m_seen;            // Blue tanks in sight
  Holder m_holder = Holder::Nobody;    // who held the centre at the last turn end
  std::uint32_t m_holdCount = 0;       // turn ends in a row it held it
  std::uint32_t m_turn = 1;            // the turn being planned
};
