#include "record/WorldChecksum.h"

#include "units/CTank.h"
#include "world/CGameWorld.h"

namespace {

// FNV-1a over 64 bits: fast, and any changed value changes the result.
class CFnv {
 public:
  void Add(std::int64_t value) {
    auto bits = static_cast<std::uint64_t>(value);
    for (int i = 0; i < 8; ++i) {
      m_hash = (m_hash ^ (bits & 0xFF)) * 0x100000001B3ull;
      bits >>= 8;
    }
  }
  std::uint64_t Get() const { return m_hash; }

 private:
  std::uint64_t m_hash = 0xCBF29CE484222325ull;  // the running hash
};

void AddState(CFnv& hash, const TankState& state) {
  hash.Add(state.x);
  hash.Add(state.y);
  hash.Add(state.dx);
  hash.Add(state.dy);
  hash.Add(state.hp);
}

void AddTank(CFnv& hash, const CTank& tank) {
  AddState(hash, tank.GetState());
  hash.Add(tank.GetTeam());
  hash.Add(tank.GetDelay());
  hash.Add(tank.WasHitFromBehind());
  hash.Add(tank.GetObjective().x);
  hash.Add(tank.GetObjective().y);
  hash.Add(tank.GetObjective().heading);
  hash.Add(static_cast<std::int64_t>(tank.GetCommands().size()));
  // A queued move tests the cell it was planned into: the planned states count.
  for (const TankCommand& command : tank.GetCommands()) {
    hash.Add(command.Letter());
    AddState(hash, command.GetAfter());
  }
}

}  // namespace

std::uint64_t WorldChecksum(const CGameWorld& world) {
  CFnv hash;
  for (std::uint32_t team = 0; team < CMap::mc_numTeams; ++team) {
    hash.Add(world.GetAliveCount(team));
    for (const CTank* tank : world.GetTeamTanks(team)) {
      hash.Add(tank != nullptr);
      if (tank) AddTank(hash, *tank);
    }
  }
  // The order of the list decides the order of steps and hits.
  for (const CTank* tank : world.GetTanks()) {
    hash.Add(tank->GetX());
    hash.Add(tank->GetY());
  }
  hash.Add(world.GetHillTeam());
  hash.Add(world.GetHillCount());
  const CMap& map = world.GetMap();
  if (map.HasGrid()) {
    for (std::uint32_t team = 0; team < CMap::mc_numTeams; ++team) {
      for (std::uint32_t y = 0; y < map.GetHeight(); ++y) {
        for (std::uint32_t x = 0; x < map.GetWidth(); ++x) hash.Add(map.GetVisible(x, y, team));
      }
    }
  }
  hash.Add(world.GetRandom().GetCursor());
  return hash.Get();
}
