#include "world/CGameWorld.h"

#include <algorithm>
#include <cstdio>

#include "ai/CHardPlanner.h"
#include "engine/Assert.h"
#include "engine/CGameEngine.h"
#include "engine/DataFiles.h"
#include "engine/SettingKeys.h"
#include "map/MapGenerator.h"
#include "units/CAction.h"
#include "units/CTank.h"
#include "world/CEffect.h"
#include "world/CRandomTable.h"
#include "world/CReplay.h"

namespace {

// The last static layers epoch given out, by any world.
std::uint64_t g_lastEpoch = 0;

}  // namespace

CGameWorld::CGameWorld(CGameEngine* engine)
    : m_GameEngine(engine), m_PathFinder(m_Map), m_HardPlanner(std::make_unique<CHardPlanner>()) {
  KV_ASSERT(m_GameEngine);
  ConnectVision();
  m_Battlefields.Load(kv::kMapListFile, kv::kDataFolder, kv::kMapFile);
  MarkStaticLayersDirty();
}

void CGameWorld::MarkStaticLayersDirty() {
  m_StaticLayersEpoch = ++g_lastEpoch;
  // A replay shown draws its own world's layers.
  if (m_Replay) m_Replay->MarkStaticLayersDirty();
}

CGameWorld::Motion CGameWorld::GetMotion() const {
  // Nothing advances on the start screen; in play a tick changes the picture
  // only while a turn runs or effects fade. The restart question and the
  // no-path mark run out on the clock, so the slow beat keeps time for them.
  if (m_Replay) return m_Replay->GetMotion();
  if (m_Mode == mc_modeStartScreen) return Motion::Still;
  // The last turn played again moves as a turn does.
  if (m_Watch) return Motion::Moving;
  if (m_Executing || m_StepsDone >= mc_turnSteps || !m_Effects.empty()) return Motion::Moving;
  return GetSelectedTank() || m_RestartAskMs > 0 || m_NoPathMs > 0 ? Motion::Pulse : Motion::Still;
}

CGameWorld::~CGameWorld() { ClearGame(); }

void CGameWorld::NewGame() {
  KV_ASSERT(m_GameEngine);
  // A game still set up goes first, so that no tank is placed over another.
  ReleaseGame();
  LoadBattlefield();
  SetUpGame();
}

void CGameWorld::SetUpGame() {
  BeginRecord();
  ResolveGoals(m_Map, true, m_GoalCells);
  PlaceTeams();  // AddTank counts every tank alive
  RefreshVisibility();
  PlanComputerTeam(1);
  MarkStaticLayersDirty();
}

void CGameWorld::PlaceTeams() {
  const auto width = static_cast<std::int32_t>(m_Map.GetWidth());
  const auto height = static_cast<std::int32_t>(m_Map.GetHeight());
  for (std::uint32_t i = 0; i < m_TeamSize[0]; ++i) {
    AddTank(0, TankState{static_cast<std::int32_t>(i) + 1, 1, 0, 1, CTank::mc_fullHitPoints});
  }
  for (std::uint32_t i = 0; i < m_TeamSize[1]; ++i) {
    CTank* tank =
        AddTank(1, TankState{width - static_cast<std::int32_t>(i) - 2, height - 2, 0, -1, CTank::mc_fullHitPoints});
    if (i == 0) {
      tank->SetObjective(GetCentreGoal());
    } else {
      const std::int32_t row = GetRandomTable().Random(kGoalRows);
      const MapCell* goal = row < static_cast<std::int32_t>(kGoalRows) - 1 ? &m_GoalCells[row] : nullptr;
      tank->SetObjective(goal ? PathNode{goal->x, goal->y, kAnyHeading} : GetCentreGoal());
    }
  }
}

void CGameWorld::LoadBattlefield() {
  const bool random = m_Battlefields.IsRandom();
  bool loaded = false;
  if (random) {
    const std::string text = MapGenerator::Generate(m_Battlefields.GetSeed());
    loaded = m_Map.LoadFromMemory(reinterpret_cast<const unsigned char*>(text.data()), text.size());
  } else {
    loaded = m_Map.Load(m_Battlefields.GetFile().c_str());
  }
  const char* problem = loaded ? BattlefieldProblem(m_Map, m_TeamSize[0], m_TeamSize[1]) : "it cannot be read";
  // Without its file the default is the copy compiled into the program.
  if (!loaded && m_Battlefields.GetFile() == kv::kMapFile) problem = nullptr;
  if (!problem) {
    if (!loaded) m_Map.LoadBuiltIn();
    m_MapProblem.clear();
    return;
  }
  // The battlefield compiled into the program always holds a game.
  m_Map.LoadBuiltIn();
  const std::string what = random ? m_Battlefields.GetName() : m_Battlefields.GetFile();
  m_MapProblem = what + ": " + problem + "; the default battlefield is played.";
}

void CGameWorld::SayMapProblem() {
  // Said when a game starts on the default instead, not for the start
  // screen's picture (smaller teams may still fit), and once.
  if (m_MapProblem.empty() || m_MapProblem == m_MapProblemSaid) return;
  std::fprintf(stderr, "%s\n", m_MapProblem.c_str());
  m_MapProblemSaid = m_MapProblem;
}

void CGameWorld::StepBattlefield(int direction) {
  const std::uint32_t mode = m_Mode;
  m_Battlefields.Step(direction);
  // The player's own file is there for this run only.
  if (!m_Battlefields.IsOwn()) m_GameEngine->GetSettings().Set(kv::kBattlefield, m_Battlefields.GetName());
  ClearGame();
  NewGame();
  m_Mode = mode;
}

const MapCell& CGameWorld::GetGoalCell(std::uint32_t row) const {
  KV_ASSERT(row + 1 < kGoalRows);
  return m_GoalCells[row];
}

void CGameWorld::ClearGame() {
  KV_ASSERT(m_GameEngine);
  ReleaseGame();
  m_Mode = mc_modeStartScreen;
  m_ShowHelp = false;
}

void CGameWorld::ReleaseGame() {
  MarkStaticLayersDirty();
  m_Selected = 0;
  for (std::uint32_t team = 0; team < mc_numTeams; ++team) {
    m_TeamTanks[team].clear();
    m_AliveCount[team] = 0;
  }
  m_Tanks.clear();
  m_Effects.clear();
  m_StepsDone = 0;
  m_Executing = false;
  m_StepTimer = 0;
  m_HillTeam = 0;
  m_HillCount = 0;
  m_HardPlanner->Reset();
  m_TurnOpen = false;
  m_Saving = false;
  m_Turn = 1;
  m_Log.Clear();
  for (std::int32_t& seen : m_SeenDestroyed) seen = 0;
  m_RestartAskMs = 0;
  m_NoPathMs = 0;
  m_JamWatch.Reset();
  StopEngineSound();
}

CTank* CGameWorld::AddTank(std::uint32_t team, const TankState& state) {
  KV_ASSERT(team < mc_numTeams);
  auto tank = std::make_unique<CTank>(this);
  tank->SetState(state);
  tank->SetTeam(static_cast<std::int32_t>(team));
  CTank* added = tank.get();
  m_Tanks.push_back(std::move(tank));
  m_TeamTanks[team].push_back(added);
  ++m_AliveCount[team];
  return added;
}

void CGameWorld::PlanComputerTeam(int team) {
  KV_ASSERT(team >= 0 && static_cast<std::uint32_t>(team) < mc_numTeams);
  UpdateThreatMaps();
  if (m_Difficulty == Difficulty::Hard) {
    m_HardPlanner->PlanTeam(*this, static_cast<std::uint32_t>(team));
    return;
  }
  const TeamSlots& slots = m_TeamTanks[team];
  m_JamWatch.BeginPlanning(slots);
  for (std::size_t slot = 0; slot < slots.size(); ++slot) {
    if (!slots[slot]) continue;
    if (m_JamWatch.MustDropRoute(slot, slots)) DropRoute(slot, *slots[slot]);
    PlanTankTurn(*slots[slot]);
    m_JamWatch.Planned(slot, *slots[slot]);
  }
  m_JamWatch.EndPlanning();
}

void CGameWorld::DropRoute(std::size_t slot, CTank& tank) {
  // Routes ignore friendly tanks, so the same route would jam again: the
  // tank heads for another row of the goal table.
  tank.ClearCommands();
  const MapCell& goal = m_GoalCells[(slot + m_JamWatch.GetPlannings()) % (kGoalRows - 1)];
  tank.SetObjective(PathNode{goal.x, goal.y, kAnyHeading});
}

void CGameWorld::SetTeamSize(std::uint32_t team, std::uint32_t size) {
  KV_ASSERT(team < mc_numTeams);
  KV_ASSERT(size >= mc_minTeamSize && size <= mc_maxTeamSize);
  m_TeamSize[team] = size;
}

// The remembered team sizes are those a world may take.
namespace {
constexpr int kMinTeamSize = CGameWorld::mc_minTeamSize;
constexpr int kMaxTeamSize = CGameWorld::mc_maxTeamSize;
}  // namespace
static_assert(kv::kGreenTeamSize.m_Min == kMinTeamSize && kv::kGreenTeamSize.m_Max == kMaxTeamSize);
static_assert(kv::kBlueTeamSize.m_Min == kMinTeamSize && kv::kBlueTeamSize.m_Max == kMaxTeamSize);
static_assert(CJamWatch::mc_maxTanks == kMaxTeamSize, "the jam watch keeps every slot of a team");

void CGameWorld::RestoreChoices() {
  CSettings& settings = m_GameEngine->GetSettings();
  m_TeamSize[0] = static_cast<std::uint32_t>(settings.Get(kv::kGreenTeamSize));
  m_TeamSize[1] = static_cast<std::uint32_t>(settings.Get(kv::kBlueTeamSize));
  // A file given for this run stands; a remembered name no longer listed
  // leaves the default.
  if (!m_Battlefields.IsOwn()) m_Battlefields.ChooseName(settings.Get(kv::kBattlefield));
}

const CGameWorld::TeamSlots& CGameWorld::GetTeamTanks(std::uint32_t team) const {
  KV_ASSERT(team < mc_numTeams);
  return m_TeamTanks[team];
}

std::int32_t CGameWorld::GetAliveCount(std::uint32_t team) const {
  KV_ASSERT(team < mc_numTeams);
  return m_AliveCount[team];
}

std::uint32_t CGameWorld::GetTeamSize(std::uint32_t team) const {
  KV_ASSERT(team < mc_numTeams);
  return m_TeamSize[team];
}

bool CGameWorld::IsTankAt(std::int32_t x, std::int32_t y, std::int32_t exceptTeam) const {
  for (const auto& tank : m_Tanks) {
    if (tank->GetX() == x && tank->GetY() == y && tank->GetTeam() != exceptTeam) return true;
  }
  return false;
}

void CGameWorld::HitTankAt(std::int32_t x, std::int32_t y, float angle, const CTank* shooter) {
  for (const auto& tank : m_Tanks) {
    if (tank->GetX() != x || tank->GetY() != y) continue;
    const bool wasAlive = !tank->IsDestroyed();
    const TankHit hit = tank->TakeHit(angle);
    if (!PlayerKnows(*tank)) return;
    LogEvent event;
    event.m_turn = m_Turn;
    event.m_step = m_StepsDone;
    // A shooter the player's team does not see fired from the fog.
    event.m_actorSeen = shooter && PlayerKnows(*shooter);
    if (shooter) {
      event.m_actorTeam = shooter->GetTeam();
      event.m_actorSlot = SlotOf(*shooter);
    }
    event.m_targetTeam = tank->GetTeam();
    event.m_targetSlot = SlotOf(*tank);
    event.m_side = hit.m_side;
    event.m_amount = hit.m_damage;
    m_Log.Add(event);
    const bool destroyed = wasAlive && tank->IsDestroyed();
    if (destroyed) {
      event.m_kind = LogEvent::Kind::Destroy;
      m_Log.Add(event);
      ++m_SeenDestroyed[tank->GetTeam() == 0 ? 0 : 1];
    }
    SpawnHitEffects(*tank, hit.m_damage, destroyed);
    return;
  }
}

void CGameWorld::NoteRepair(const CTank& tank, std::int32_t amount) {
  if (!PlayerKnows(tank)) return;
  LogEvent event;
  event.m_kind = LogEvent::Kind::Repair;
  event.m_turn = m_Turn;
  event.m_step = m_StepsDone;
  event.m_actorTeam = tank.GetTeam();
  event.m_actorSlot = SlotOf(tank);
  event.m_amount = amount;
  m_Log.Add(event);
}

bool CGameWorld::PlayerKnows(const CTank& tank) const { return TeamKnows(m_PlayerTeam, tank); }

bool CGameWorld::TeamKnows(std::uint32_t team, const CTank& tank) const {
  KV_ASSERT(team < mc_numTeams);
  if (tank.GetTeam() == static_cast<std::int32_t>(team)) return true;
  const std::int32_t x = tank.GetX();
  const std::int32_t y = tank.GetY();
  if (!m_Map.HasGrid() || x < 0 || y < 0) return false;
  const auto column = static_cast<std::uint32_t>(x);
  const auto row = static_cast<std::uint32_t>(y);
  return column < m_Map.GetWidth() && row < m_Map.GetHeight() && m_Map.GetVisible(column, row, team) != 0;
}

void CGameWorld::SetView(BattleView view) {
  m_View = view;
  MarkStaticLayersDirty();
}

bool CGameWorld::Shows(const CTank& tank) const {
  switch (m_View) {
    case BattleView::GreenFog: return TeamKnows(0, tank);
    case BattleView::BlueFog: return TeamKnows(1, tank);
    case BattleView::Everything: break;
  }
  return true;
}

void CGameWorld::SetThreatLens(bool shown) {
  m_ThreatLens = shown;
  MarkStaticLayersDirty();
}

std::uint32_t CGameWorld::GetAccumulator() const {
  if (m_Replay) return m_Replay->GetAccumulator();
  return m_Watch ? m_Watch->GetAccumulator() : m_Accumulator;
}

std::uint32_t CGameWorld::SlotOf(const CTank& tank) const {
  const std::int32_t team = tank.GetTeam();
  if (team < 0 || static_cast<std::uint32_t>(team) >= mc_numTeams) return 0;
  const TeamSlots& slots = m_TeamTanks[team];
  for (std::size_t i = 0; i < slots.size(); ++i) {
    if (slots[i] == &tank) return static_cast<std::uint32_t>(i) + 1;
  }
  return 0;
}

std::int32_t CGameWorld::GetKnownAlive(std::uint32_t team) const {
  KV_ASSERT(team < mc_numTeams);
  if (team == m_PlayerTeam) return m_AliveCount[team];
  return static_cast<std::int32_t>(m_TeamTanks[team].size()) - m_SeenDestroyed[team];
}

bool CGameWorld::GetNoPathMark(std::int32_t& x, std::int32_t& y) const {
  if (m_NoPathMs == 0) return false;
  x = m_NoPathX;
  y = m_NoPathY;
  return true;
}

bool CGameWorld::IsRepairCell(std::int32_t x, std::int32_t y) const {
  // Only cells of the grid: a map too small to hold a repair cell has none.
  const std::int64_t width = m_Map.GetWidth();
  const std::int64_t height = m_Map.GetHeight();
  if (x < 0 || y < 0 || x >= width || y >= height) return false;
  return (x == 1 && y == height - 2) || (x == width - 2 && y == 1);
}

void CGameWorld::SetCentreHold(std::int32_t team, std::uint32_t count) {
  m_HillTeam = team == 1 ? 1 : 0;
  m_HillCount = std::min(count, mc_victoryHold);
}

PathNode CGameWorld::GetCentreGoal() const {
  return PathNode{static_cast<std::int32_t>(m_Map.GetWidth() / 2), static_cast<std::int32_t>(m_Map.GetHeight() / 2),
                  kAnyHeading};
}
