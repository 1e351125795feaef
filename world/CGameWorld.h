#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "map/CMap.h"
#include "units/CPathFinder.h"

class CGameEngine;
class CTank;
struct CEffect;
struct TankState;

// The game itself: the battlefield, the tanks of both teams and the effects
// of their shots, and the services the tanks ask of them. The drawing and the
// input handling are still a placeholder: the start screen's background, and
// Escape leaves.
class CGameWorld {
 public:
  static constexpr std::uint32_t mc_numTeams = CMap::mc_numTeams;
  // Every living tank of both teams; owned.
  using TankList = std::vector<std::unique_ptr<CTank>>;
  // One slot per tank created for a team, null once the tank is destroyed.
  using TeamSlots = std::vector<CTank*>;
  using EffectList = std::vector<std::unique_ptr<CEffect>>;

  explicit CGameWorld(CGameEngine* engine);
  ~CGameWorld();
  CGameWorld(const CGameWorld&) = delete;
  CGameWorld& operator=(const CGameWorld&) = delete;

  void NewGame();
  // Advances the game by the milliseconds since the last frame.
  void Update(std::uint32_t elapsedMs);
  void Render();
  // A key was pressed (pressed = true) or released; sym is the SDL 1.2 key symbol.
  void OnKey(int sym, bool pressed);
  // A mouse button was pressed or released at window point (x, y), origin top-left.
  void OnMouseButton(std::uint8_t button, bool pressed, std::uint16_t x, std::uint16_t y);

  // Creates a tank of the team with the state, appends it to the list of all
  // tanks and to the team's slots, and counts it alive. Tests neither walls
  // nor other tanks.
  CTank* AddTank(std::uint32_t team, const TankState& state);

  CMap& GetMap() { return m_Map; }
  const CMap& GetMap() const { return m_Map; }
  // A tank stands on (x, y) whose team is not exceptTeam (CTank::mc_noTeam: any tank).
  bool IsTankAt(std::int32_t x, std::int32_t y, std::int32_t exceptTeam) const;
  // The first tank standing on (x, y) takes a shell travelling at angle degrees.
  void HitTankAt(std::int32_t x, std::int32_t y, float angle);
  // (1, height - 2) and (width - 2, 1).
  bool IsRepairCell(std::int32_t x, std::int32_t y) const;
  // The centre cell, with any heading.
  PathNode GetCentreGoal() const;
  // Shows a shot between two points of map drawing space: a puff every 32
  // pixels along it, a muzzle flash near the start and an impact near the end.
  void SpawnShotEffects(float fromX, float fromY, float toX, float toY);
  // Starts the looping engine sound unless it plays already.
  void StartEngineSound();
  // Fades the engine sound out, if it plays.
  void StopEngineSound();

  const TankList& GetTanks() const { return m_Tanks; }
  const TeamSlots& GetTeamTanks(std::uint32_t team) const;
  std::int32_t GetAliveCount(std::uint32_t team) const;
  const EffectList& GetEffects() const { return m_Effects; }
  std::uint32_t GetHillCount() const { return m_HillCount; }
  bool IsEnginePlaying() const { return m_EnginePlaying; }
  std::int32_t GetEngineChannel() const { return m_EngineChannel; }

 private:
  CGameEngine* m_GameEngine;                    // the engine; never null
  CMap m_Map;                                   // the battlefield
  TankList m_Tanks;                             // every living tank, both teams
  TeamSlots m_TeamTanks[mc_numTeams];           // per team, its tanks in creation order
  std::int32_t m_AliveCount[mc_numTeams] = {};  // per team, its living tanks
  EffectList m_Effects;                         // effects alive now
  std::uint32_t m_HillCount = 0;                // turn ends in a row the same team held the centre cell
  bool m_EnginePlaying = false;                 // the looping engine sound plays
  std::int32_t m_EngineChannel = -1;            // the mixer channel it plays on
};
