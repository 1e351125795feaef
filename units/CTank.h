#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>

#include "units/CPathFinder.h"
#include "units/Move.h"
#include "units/TankHit.h"
#include "units/TankState.h"

class CAction;
class CGameWorld;

// One tank on the battlefield: its cell, heading, hit points and team, and the
// queue of commands planned for it. The world owns it; the tank reaches the
// map, the other tanks, the shot effects and the engine sound through it.
class CTank {
 public:
  using CommandQueue = std::deque<std::unique_ptr<CAction>>;

  // The team no tank has: a lookup that excludes it excludes no tank.
  static constexpr std::int32_t mc_noTeam = 255;
  static constexpr std::int32_t mc_fullHitPoints = 100;
  static constexpr std::int32_t mc_repairPerStep = 10;
  // Damage of a hit from behind, in the side, in the front, and of any hit on
  // a repair cell.
  static constexpr std::int32_t mc_damageFromBehind = 50;
  static constexpr std::int32_t mc_damageInTheSide = 20;
  static constexpr std::int32_t mc_damageInTheFront = 10;
  static constexpr std::int32_t mc_damageOnRepairCell = 70;
  // The longest queue, over a hundred turns of plans: commands beyond it are
  // not planned, so that every Green queue fits in a line of a game record.
  static constexpr std::size_t mc_maxCommands = 500;

  explicit CTank(CGameWorld* world);
  ~CTank();
  CTank(const CTank&) = delete;
  CTank& operator=(const CTank&) = delete;

  CGameWorld* GetWorld() const { return m_World; }
  const TankState& GetState() const { return m_state; }
  void SetState(const TankState& state);
  std::int32_t GetX() const { return m_state.x; }
  std::int32_t GetY() const { return m_state.y; }
  void SetPosition(std::int32_t x, std::int32_t y);
  void SetHeading(std::int32_t dx, std::int32_t dy);
  std::int32_t GetHitPoints() const { return m_state.hp; }
  void SetHitPoints(std::int32_t hp) { m_state.hp = hp; }
  std::int32_t GetTeam() const { return m_team; }
  void SetTeam(std::int32_t team) { m_team = team; }
  bool IsSelected() const { return m_selected; }
  void SetSelected(bool selected);
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
  bool CanEnter(std::int32_t x, std::int32_t y) const;

  // Primitive actions of the commands. They check neither walls nor tanks:
  // the command does that first.
  void MoveForward();
  void MoveBack();
  void Turn(bool right);
  void Wait();
  // Sends a shell along the heading to the first wall, map edge or tank of
  // either team, shows it, hits the tank there and plays the team's shot.
  void Fire();
  // A shell travelling at shotAngle degrees struck the tank: where, and how hard.
  TankHit TakeHit(float shotAngle);

  // Would a shell from cell (px, py) along (dx, dy) meet an enemy before a
  // friend or a wall, as far as this tank's team sees? Tanks on cells the team
  // does not see are passed through.
  bool CanHit(std::int32_t px, std::int32_t py, std::int32_t dx, std::int32_t dy) const;

  // The state after every queued command, or the present one.
  TankState PlannedState() const;
  void AddFire();
  void AddWait();
  void AddTurn(bool right);
  // Moves into a wall or off the map are not planned.
  void AddMoveForward();
  void AddMoveBack();
  // The command of a move, as the Add functions above plan it; None plans nothing.
  void AddMove(Move move);
  void RemoveLastCommand();
  void ClearCommands();
  // Queues the command of a record letter (CAction::Letter); false for any
  // other letter or a move the tank refuses to plan.
  bool AddCommandLetter(char letter);
  // Replaces the queue by the commands of the letters, the first planned
  // from `from`, each from the state the one before leaves, with the first
  // `kept` counted as kept (a saved game brought back). False, the queue
  // then unspecified, for another letter, a move into a wall or off the map,
  // more than mc_maxCommands commands or more kept than commands.
  bool RestoreQueue(const TankState& from, const std::string& letters, std::size_t kept);
  // The queue as it stands is what the next turn begins with: the commands
  // the player keeps until he erases them.
  void KeepCommands() { m_keptCommands = m_commands.size(); }
  // How many of the queue's first commands are still those kept at the last
  // KeepCommands (the player appends after them or erases back into them).
  std::size_t GetKeptCommands() const { return m_keptCommands; }
  // Replaces the queue by the turns and moves that follow the finder's path;
  // leaves it empty when the finder found none.
  void SetPath(const CPathFinder& finder);
  bool NextIsFire() const;
  // One step of a turn: a busy step, the front command, or idling (repairing
  // on a repair cell).
  void Step();

  // The tank in map drawing space; a selected tank pulses grey.
  void Draw() const;
  // The markers of every queued command, the earliest on top. The selected
  // tank's markers are full size and numbered by the step of the turn they
  // will run in (the next step of this turn is nextStep), commands beyond it
  // dimmer; a command repeated in place shows once with its count. Other
  // tanks' markers are small and faint.
  void DrawCommands(std::int32_t nextStep = 1) const;

 private:
  // Appends a command, unless it moves into a wall or off the map or the
  // queue is full (false); the world's picture of the plans is out of date.
  bool Queue(std::unique_ptr<CAction> command);
  bool StandsOnRepairCell() const;
  // Heals by one step's repair, up to full hit points, on a repair cell only;
  // a destroyed tank stays destroyed.
  void RepairOnRepairCell();

  bool m_hitFromBehind = false;  // a shell struck from behind since the planner last looked
  CGameWorld* m_World;           // the owning world; never null
  TankState m_state;             // cell, heading and hit points
  CommandQueue m_commands;       // planned commands, oldest first; owned
  bool m_selected = false;       // the player has this tank selected
  std::int32_t m_team = 0;       // 0 Green, 1 Blue
  std::int32_t m_delay = 0;      // coming steps in which the tank is busy
  PathNode m_objective = {0, 0, kAnyHeading};  // where the planner sends the tank
  std::size_t m_keptCommands = 0;  // leading commands unchanged since KeepCommands
};
