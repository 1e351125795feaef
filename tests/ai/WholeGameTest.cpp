// Whole games on the shipped battlefield: Blue planned by the computer, Green
// by a player who presses random command keys. Every game must end in a win
// or a tie, or reach the turn limit, with the rules of the world holding after
// every tick.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <iostream>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "engine/CGameEngine.h"
#include "engine/DataFiles.h"
#include "units/CPathFinder.h"
#include "units/CTank.h"
#include "world/CGameWorld.h"
#include "world/CRandomTable.h"
#include "world/WorldInvariants.h"

namespace {

constexpr int kTurnLimit = 300;
constexpr int kTicksPerTurnLimit = 1000;

// The computer's layers after it planned: Green's stay empty, and the
// centre is always worth attacking from.
::testing::AssertionResult LayersAsPlanned(const CGameWorld& world) {
  const CMap& map = world.GetMap();
  for (std::uint32_t y = 0; y < map.GetHeight(); ++y) {
    for (std::uint32_t x = 0; x < map.GetWidth(); ++x) {
      if (map.GetThreat(x, y, 0) != 0 || map.GetVuln(x, y, 0) != 0) {
        return ::testing::AssertionFailure() << "Green's layers hold a value at " << x << "," << y;
      }
    }
  }
  if (map.GetVuln(map.GetWidth() / 2, map.GetHeight() / 2, 1) < 100) {
    return ::testing::AssertionFailure() << "the centre is worth less than 100";
  }
  return ::testing::AssertionSuccess();
}

// Green's player. The random one gives each of his tanks up to four random
// commands a turn, now and then throwing away what was still queued. The
// charging one sends every idle tank along a path to the centre cell and has
// it fire whenever it faces a Blue tank in sight.
class GreenPlayer {
 public:
  GreenPlayer(std::uint32_t seed, bool charges) : m_random(seed), m_charges(charges) {}

  void PlanTurn(CGameWorld& world) {
    for (CTank* tank : world.GetTeamTanks(0)) {
      if (!tank) continue;
      if (m_charges) {
        Charge(world, *tank);
        continue;
      }
      if (Roll(4) == 0) tank->ClearCommands();
      const int commands = Roll(5);
      for (int i = 0; i < commands; ++i) {
        switch (Roll(6)) {
          case 0: tank->AddMoveForward(); break;
          case 1: tank->AddMoveBack(); break;
          case 2: tank->AddTurn(false); break;
          case 3: tank->AddTurn(true); break;
          case 4: tank->AddWait(); break;
          default: tank->AddFire(); break;
        }
      }
    }
  }

 private:
  int Roll(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

  static void Charge(CGameWorld& world, CTank& tank) {
    const TankState& state = tank.GetState();
    if (tank.CanHit(state.x, state.y, state.dx, state.dy)) {
      tank.ClearCommands();
      tank.AddFire();
      return;
    }
    if (!tank.GetCommands().empty()) return;
    CPathFinder finder(world.GetMap());
    finder.Start(PathNode{state.x, state.y, HeadingIndex(state.dx, state.dy)}, world.GetCentreGoal(), true);
    while (finder.IsActive()) finder.Update();
    tank.SetPath(finder);
  }

  std::mt19937 m_random;  // the player's own dice, apart from the game's table
  bool m_charges;         // heads for the centre instead of pressing keys at random
};

enum class Outcome { BlueHoldsTheCentre, BlueDestroysGreen, GreenWins, Tie, TurnLimit };

struct GameResult {
  Outcome outcome;
  int turns;
};

// Plays one game to its end or to the turn limit, checking the rules after
// every tick; a broken rule fails the test and ends the game.
GameResult PlayGame(std::uint32_t seed, std::uint32_t teamSize, bool greenCharges) {
  CGameEngine engine;
  CGameWorld& world = engine.GetWorld();
  GetRandomTable().Fill(seed);
  world.SetMapFile(kv::kMapFile);
  world.SetTeamSize(0, teamSize);
  world.SetTeamSize(1, teamSize);
  world.OnKey(SDLK_RETURN, true);
  GreenPlayer green(seed * 7919u + 1u, greenCharges);

  for (int turn = 1; turn <= kTurnLimit; ++turn) {
    EXPECT_TRUE(LayersAsPlanned(world)) << "seed " << seed << ", turn " << turn;
    green.PlanTurn(world);
    world.OnKey(SDLK_SPACE, true);
    int ticks = 0;
    while (world.IsExecuting() && ticks < kTicksPerTurnLimit) {
      world.Update(CGameWorld::mc_tickMs);
      ++ticks;
      const ::testing::AssertionResult rules = worldtest::HoldsInvariants(world);
      if (!rules) {
        ADD_FAILURE() << "seed " << seed << ", turn " << turn << ": " << rules.message();
        return {Outcome::TurnLimit, turn};
      }
    }
    if (world.IsExecuting()) {
      ADD_FAILURE() << "seed " << seed << ", turn " << turn << " never ended";
      return {Outcome::TurnLimit, turn};
    }
    if (world.IsTie()) return {Outcome::Tie, turn};
    if (world.IsGameOver()) {
      if (world.GetHillTeam() != 1) return {Outcome::GreenWins, turn};
      return {world.GetAliveCount(0) == 0 ? Outcome::BlueDestroysGreen : Outcome::BlueHoldsTheCentre, turn};
    }
  }
  return {Outcome::TurnLimit, kTurnLimit};
}

// One kind of Green player, and the share of games Blue must win against it.
struct Opponent {
  const char* name;       // for the test's name
  bool charges;           // runs for the centre instead of pressing keys at random
  int minBlueWinPercent;  // Blue wins more than this share of the games
};

void PrintTo(const Opponent& opponent, std::ostream* out) { *out << opponent.name; }

// Plays games with team sizes 1 to 10 a side and reports how they ended.
class WholeGameTest : public ::testing::TestWithParam<Opponent> {
 protected:
  static constexpr std::uint32_t mc_games = 200;

  void PlayAll() {
    const bool charges = GetParam().charges;
    int centre = 0;
    int destroyed = 0;
    int greenWins = 0;
    int ties = 0;
    int unfinished = 0;
    std::vector<int> blueWinTurns;
    for (std::uint32_t seed = 1; seed <= mc_games; ++seed) {
      const GameResult result = PlayGame(seed, seed % 10 + 1, charges);
      if (::testing::Test::HasFailure()) return;
      switch (result.outcome) {
        case Outcome::BlueHoldsTheCentre: ++centre; break;
        case Outcome::BlueDestroysGreen: ++destroyed; break;
        case Outcome::GreenWins: ++greenWins; break;
        case Outcome::Tie: ++ties; break;
        case Outcome::TurnLimit: ++unfinished; break;
      }
      if (result.outcome == Outcome::BlueHoldsTheCentre || result.outcome == Outcome::BlueDestroysGreen) {
        blueWinTurns.push_back(result.turns);
      }
    }
    std::sort(blueWinTurns.begin(), blueWinTurns.end());
    m_blueWins = centre + destroyed;
    const bool anyWin = !blueWinTurns.empty();
    const int medianTurns = anyWin ? blueWinTurns[blueWinTurns.size() / 2] : 0;
    std::cout << "[ games    ] Green " << (charges ? "charging the centre" : "at random") << ", " << mc_games
              << " games: Blue won " << m_blueWins << " (" << centre << " on the centre, " << destroyed
              << " by destroying Green; median " << medianTurns << " turns, "
              << (anyWin ? blueWinTurns.front() : 0) << " to " << (anyWin ? blueWinTurns.back() : 0) << "), Green " << greenWins << ", ties " << ties << ", unfinished after "
              << kTurnLimit << " turns " << unfinished << "\n";
    RecordProperty("blue_wins", m_blueWins);
    RecordProperty("blue_median_turns", medianTurns);
  }

  int m_blueWins = 0;  // games Blue won
};

TEST_P(WholeGameTest, EveryGameEndsWithTheRulesHeld) {
  PlayAll();
  if (HasFailure()) return;
  EXPECT_GT(m_blueWins * 100, static_cast<int>(mc_games) * GetParam().minBlueWinPercent);
}

// A computer that plans at all beats a player who presses keys at random
// nearly always. One who runs straight for the centre, closer to Green's
// corner, and fires at what it faces is a fair fight that Blue still wins
// more often than not.
INSTANTIATE_TEST_SUITE_P(GreenPlayers, WholeGameTest,
                         ::testing::Values(Opponent{"Random", false, 90}, Opponent{"Charging", true, 50}),
                         [](const ::testing::TestParamInfo<Opponent>& info) { return std::string(info.param.name); });

}  // namespace
