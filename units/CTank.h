#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "units/CPathFinder.h"
#include "units/Move.h"
#include "units/TankCommand.h"
#include "units/TankHit.h"
#include "units/TankState.h"

class CMap;
class CTankArena;

// One tank on the battlefield, a plain value: its cell, heading and hit
// points, its team and slot, and the queue of commands planned for it. While
// it carries out a step it reaches the match through a CTankArena handed to
// it; it keeps no pointer to anything, so a match copies its tanks freely.
class CTank {
 public:
  using CommandQueue = std::vector<TankCommand>;

  // The team no tank has: a lookup that excludes it excludes no tank.
  static constexpr std::int32_t mc_noTeam = 255;
  static constexpr std::int32_t mc_fullHitPoints = 100;
  static constexpr std::int32_t mc_repairPerStep = 10;
  // The longest queue, over a hundred turns of plans: commands beyond it are
  // not planned, so that every Green queue fits in a line of a game record.
  static constexpr std::size_t mc_maxCommands = 500;

  const TankState& GetState() const { return m_state; }
  // Any state with one of the four headings; another stops the program.
  void SetState(const TankState& state);
  std::int32_t GetX() const { return m_state.x; }
  std::int32_t GetY() const { return m_state.y; }
  void SetPosition(std::int32_t x, std::int32_t y);
  // One of the four headings; another stops the program.
  void SetHeading(std::int32_t dx, std::int32_t dy);
  std::int32_t GetHitPoints() const { return m_state.hp; }
  void SetHitPoints(std::int32_t hp) { m_state.hp = hp; }
  std::int32_t GetTeam() const { return m_team; }
  void SetTeam(std::int32_t team) { m_team = team; }
  // The tank's place among its team's tanks, from 0; the match sets it.
  std::uint32_t GetSlot() const { return m_slot; }
  void SetSlot(std::uint32_t slot) { m_slot = slot; }
  std::int32_t GetDelay() const { return m_delay; }
  void SetDelay(std::int32_t delay) { m_delay = delay; }
  const PathNode& GetObjective() const { return m_objective; }
  void SetObjective(const PathNode& objective) { m_objective = objective; }
  bool WasHitFromBehind() const { return m_hitFromBehind; }
  void SetHitFromBehind(bool hit) { m_hitFromBehind = hit; }
  const CommandQueue& GetCommands() const { return m_commands; }

  // The present heading's angle in degrees.
  std::int32_t GetAngle() const { return m_state.Angle(); }
  bool IsDestroyed() const { return m_state.hp < 1; }
  // No tank and no wall on the cell; the map edge counts as a wall.
  bool CanEnter(const CTankArena& arena, std::int32_t x, std::int32_t y) const;

  // Primitive actions of the commands. They check neither walls nor tanks:
  // the command does that first.
  void MoveForward(CTankArena& arena);
  void MoveBack(CTankArena& arena);
  void Turn(CTankArena& arena, bool right);
  // Idles: on a repair cell the tank mends.
  void Wait(CTankArena& arena);
  // Sends a shell along the heading to the first wall, map edge or tank of
  // either team; the arena learns where it stopped. The tank is busy for
  // the next step.
  void Fire(CTankArena& arena);
  // A shell travelling along heading index `shot` struck the tank, standing
  // on a repair cell or not: where, and how hard (HitOf). A shell from behind
  // is remembered for the computer's planner.
  TankHit TakeHit(std::int32_t shot, bool onRepairCell);

  // The state after every queued command, or the present one.
  TankState PlannedState() const;
  void AddFire();
  void AddWait();
  void AddTurn(bool right);
  // Moves into a wall or off the map are not planned.
  void AddMoveForward(const CMap& map);
  void AddMoveBack(const CMap& map);
  // The command of a move, as the Add functions above plan it; None plans nothing.
  void AddMove(Move move, const CMap& map);
  void RemoveLastCommand();
  void ClearCommands();
  // Queues the command of a record letter (TankCommand::Letter); false for
  // any other letter or a move the tank refuses to plan.
  bool AddCommandLetter(char letter, const CMap& map);
  // Replaces the queue by the commands of the letters, the first planned
  // from `from`, each from the state the one before leaves, with the first
  // `kept` counted as kept (a saved game brought back). False, the queue
  // then unspecified, for another letter, a move into a wall or off the map,
  // more than mc_maxCommands commands or more kept than commands.
  bool RestoreQueue(const TankState& from, const std::string& letters, std::size_t kept, const CMap& map);
  // The queue as it stands is what the next turn begins with: the commands
  // the player keeps until he erases them.
  void KeepCommands() { m_keptCommands = m_commands.size(); }
  // How many of the queue's first commands are still those kept at the last
  // KeepCommands (the player appends after them or erases back into them).
  std::size_t GetKeptCommands() const { return m_keptCommands; }
  // Replaces the queue by the turns and moves that follow the finder's path
  // on the map; leaves it empty when the finder found none.
  void SetPath(const CPathFinder& finder, const CMap& map);
  bool NextIsFire() const;
  // One step of a turn: a busy step, the front command, or idling (repairing
  // on a repair cell). A move into a cell a tank or wall holds stays at the
  // front of the queue and is tried again in the next step.
  void Step(CTankArena& arena);

 private:
  // Appends the command, unless it moves into a wall or off the map or the
  // queue is full (false).
  bool Queue(const TankCommand& command, const CMap* map);
  // Heals by one step's repair, up to full hit points, on a repair cell only;
  // a destroyed tank stays destroyed.
  void RepairOnRepairCell(CTankArena& arena);

  TankState m_state;                           // cell, heading and hit points
  CommandQueue m_commands;                     // planned commands, oldest first
  PathNode m_objective = {0, 0, kAnyHeading};  // where the planner sends the tank
  std::size_t m_keptCommands = 0;              // leading commands unchanged since KeepCommands
  std::int32_t m_team = 0;                     // 0 Green, 1 Blue
  std::uint32_t m_slot = 0;                    // the tank's place in its team, from 0
  std::int32_t m_delay = 0;                    // coming steps in which the tank is busy
  bool m_hitFromBehind = false;                // a shell struck from behind since the planner last looked
};
