// Whole games on the shipped battlefields and generated ones: Blue planned by
// the computer at either level, Green by a player pressing random command
// keys, by one who charges the centre, by the Normal planner itself, by the
// tests' tactical players (tests/ai/players) or by the first Hard level. Every
// game must end in a win or a tie within the turn limit (but for a computer
// level against its own planner), with the rules of the match holding after
// every tick. KORVANE_GAMES sets the games per opponent (the full table of the
// README: 200, scripts/games.sh), or per battlefield in the players' table
// (scripts/games.sh --players).
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "ai/CTankPlanner.h"
#include "ai/players/CCentreHolderGreen.h"
#include "ai/players/CGreenSight.h"
#include "ai/players/CGroupGreen.h"
#include "ai/players/CLegacyHardGreen.h"
#include "ai/players/CMirroredNormalGreen.h"
#include "ai/players/CSniperGreen.h"
#include "ai/CThreatMaps.h"
#include "app/CGameSession.h"
#include "core/DataFiles.h"
#include "units/CPathFinder.h"
#include "units/CTank.h"
#include "map/CBattlefieldList.h"
#include "world/CGameWorld.h"
#include "world/CTeamView.h"
#include "world/WorldInvariants.h"
#include "world/WorldTestSupport.h"

namespace {

constexpr int kTurnLimit = 300;
constexpr int kTicksPerTurnLimit = 1000;

// The computer's layers after it planned: they cover the battlefield, and
// the centre is always worth attacking from.
::testing::AssertionResult LayersAsPlanned(const CGame& game) {
  const CMap& map = game.Match().GetMap();
  const CThreatMaps& layers = game.Computer().GetThreatMaps();
  if (layers.GetWidth() != map.GetWidth() || layers.GetHeight() != map.GetHeight()) {
    return ::testing::AssertionFailure() << "the layers are not the battlefield's size";
  }
  const MapCell centre = map.GetCentre();
  if (layers.GetVuln(static_cast<std::uint32_t>(centre.x), static_cast<std::uint32_t>(centre.y)) < 100) {
    return ::testing::AssertionFailure() << "the centre is worth less than 100";
  }
  return ::testing::AssertionSuccess();
}

// How Green plays: keys at random, a charge at the centre, the Normal
// planner mirrored, the three tactical players, or the first Hard level.
enum class GreenKind { Random, Charging, Normal, Sniper, CentreHolder, Group, LegacyHard };

// Green's player. The random one gives each of his tanks up to four random
// commands a turn, now and then throwing away what was still queued. The
// charging one sends every idle tank along a path to the centre cell and has
// it fire whenever it faces a Blue tank in sight. The others plan from what
// Green knows (CGreenSight), but for the mirrored Normal planner, which sees
// as the computer does.
class GreenPlayer {
 public:
  GreenPlayer(std::uint32_t seed, GreenKind kind)
      : m_random(seed), m_kind(kind), m_sniper(seed), m_centreHolder(seed), m_group(seed) {}

  void Start(CGame& game) {
    if (m_kind == GreenKind::Normal) m_normal.Start(game.Match(), game.Computer());
  }

  void PlanTurn(CGameWorld& world) {
    if (m_kind == GreenKind::Normal) {
      m_normal.PlanTurn(world);
      return;
    }
    if (m_kind != GreenKind::Random && m_kind != GreenKind::Charging) {
      CGreenSight sight(world);
      sight.Look();
      if (m_kind == GreenKind::Sniper) m_sniper.PlanTurn(sight);
      if (m_kind == GreenKind::CentreHolder) m_centreHolder.PlanTurn(sight);
      if (m_kind == GreenKind::Group) m_group.PlanTurn(sight);
      if (m_kind == GreenKind::LegacyHard) m_legacyHard.PlanTurn(sight);
      return;
    }
    for (CTank* tank : world.GetTeamTanks(0)) {
      if (!tank) continue;
      if (m_kind == GreenKind::Charging) {
        Charge(world, *tank);
        continue;
      }
      if (Roll(4) == 0) tank->ClearCommands();
      const int commands = Roll(5);
      for (int i = 0; i < commands; ++i) {
        switch (Roll(6)) {
          case 0: tank->AddMoveForward(world.GetMap()); break;
          case 1: tank->AddMoveBack(world.GetMap()); break;
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
    if (CTankPlanner::CanHit(CTeamView(world, 0), state.x, state.y, state.dx, state.dy)) {
      tank.ClearCommands();
      tank.AddFire();
      return;
    }
    if (!tank.GetCommands().empty()) return;
    const MapCell centre = world.GetMap().GetCentre();
    CPathFinder finder(world.GetMap());
    finder.Start(PathNode{state.x, state.y, HeadingIndex(state.dx, state.dy)}, PathNode{centre.x, centre.y, kAnyHeading},
                 true);
    while (finder.IsActive()) finder.Update();
    tank.SetPath(finder, world.GetMap());
  }

  std::mt19937 m_random;               // the player's own dice, apart from the game's table
  GreenKind m_kind;                    // how the player plays
  CMirroredNormalGreen m_normal;       // the Normal planner, when it plays Green
  CSniperGreen m_sniper;               // the sniper, when it plays
  CCentreHolderGreen m_centreHolder;   // the centre holder, when it plays
  CGroupGreen m_group;                 // the group, when it plays
  CLegacyHardGreen m_legacyHard;       // the first Hard level, when it plays Green
};

enum class Outcome { BlueHoldsTheCentre, BlueDestroysGreen, GreenWins, Tie, TurnLimit };

struct GameResult {
  Outcome outcome;
  int turns;
};

// Plays one game to its end or to the turn limit, checking the rules after
// every tick; a broken rule fails the test and ends the game. It is played
// on the battlefield the start screen shows by that name, else the default.
GameResult PlayGame(std::uint32_t seed, std::uint32_t teamSize, Difficulty blue, GreenKind greenKind,
                    const std::string& battlefield = "") {
  worldtest::OwnSession own;
  CGameSession& session = own.m_session;
  session.SetSeed(seed);
  if (!session.GetBattlefields().ChooseName(battlefield)) session.SetMapFile(kv::kMapFile);
  session.SetTeamSize(0, teamSize);
  session.SetTeamSize(1, teamSize);
  session.SetDifficulty(blue);
  session.OnKey(SDLK_RETURN, true);
  CGameWorld& world = session.GetMatch();
  GreenPlayer green(seed * 7919u + 1u, greenKind);
  green.Start(session.GetGame());

  for (int turn = 1; turn <= kTurnLimit; ++turn) {
    EXPECT_TRUE(LayersAsPlanned(session.GetGame())) << "seed " << seed << ", turn " << turn;
    green.PlanTurn(world);
    session.OnKey(SDLK_SPACE, true);
    int ticks = 0;
    while (world.IsExecuting() && ticks < kTicksPerTurnLimit) {
      session.Update(CTurnClock::mc_tickMs);
      ++ticks;
      const ::testing::AssertionResult rules = worldtest::HoldsInvariants(session);
      if (!rules) {
        ADD_FAILURE() << "seed " << seed << ", turn " << turn << ": " << rules.message();
        return {Outcome::TurnLimit, turn};
      }
    }
    if (world.IsExecuting()) {
      ADD_FAILURE() << "seed " << seed << ", turn " << turn << " never ended";
      return {Outcome::TurnLimit, turn};
    }
    if (!session.GetMapProblem().empty()) {
      ADD_FAILURE() << session.GetMapProblem();
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

// One kind of Green player against one level of Blue, and the share of
// games Blue must win.
struct Opponent {
  const char* name;       // for the test's name
  Difficulty blue;        // how Blue is planned
  GreenKind green;        // how Green plays
  int minBlueWinPerMille; // Blue wins at least this share of the games, in thousandths
  int sampleGames;        // games played without KORVANE_GAMES
};

void PrintTo(const Opponent& opponent, std::ostream* out) { *out << opponent.name; }

// Plays games with team sizes 1 to 10 a side and reports how they ended.
class WholeGameTest : public ::testing::TestWithParam<Opponent> {
 protected:
  void PlayAll() {
    const char* games = std::getenv("KORVANE_GAMES");
    mc_games = static_cast<std::uint32_t>(games ? std::atoi(games) : GetParam().sampleGames);
#if defined(__SANITIZE_ADDRESS__)
    // The sanitizer build, far slower, plays a Hard row's team sizes once each.
    if (!games && GetParam().blue == Difficulty::Hard) mc_games = std::min<std::uint32_t>(mc_games, 10);
#endif
    int centre = 0;
    int destroyed = 0;
    int greenWins = 0;
    int ties = 0;
    int unfinished = 0;
    std::vector<int> blueWinTurns;
    int longest = 0;
    for (std::uint32_t seed = 1; seed <= mc_games; ++seed) {
      const GameResult result = PlayGame(seed, seed % 10 + 1, GetParam().blue, GetParam().green);
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
      longest = std::max(longest, result.turns);
    }
    std::sort(blueWinTurns.begin(), blueWinTurns.end());
    m_blueWins = centre + destroyed;
    const bool anyWin = !blueWinTurns.empty();
    const int medianTurns = anyWin ? blueWinTurns[blueWinTurns.size() / 2] : 0;
    std::cout << "[ games    ] " << GetParam().name << ", " << mc_games
              << " games: Blue won " << m_blueWins << " (" << centre << " on the centre, " << destroyed
              << " by destroying Green; median " << medianTurns << " turns, "
              << (anyWin ? blueWinTurns.front() : 0) << " to " << (anyWin ? blueWinTurns.back() : 0) << "), Green " << greenWins << ", ties " << ties << ", longest game " << longest << " turns, unfinished after "
              << kTurnLimit << " turns " << unfinished << "\n";
    RecordProperty("blue_wins", m_blueWins);
    RecordProperty("blue_median_turns", medianTurns);
    m_unfinished = unfinished;
  }

  std::uint32_t mc_games = 0;  // games played
  int m_blueWins = 0;          // games Blue won
  int m_unfinished = 0;        // games that reached the turn limit
};

TEST_P(WholeGameTest, EveryGameEndsWithTheRulesHeld) {
  PlayAll();
  if (HasFailure()) return;
  EXPECT_GE(m_blueWins * 1000, static_cast<int>(mc_games) * GetParam().minBlueWinPerMille);
  if (GetParam().blue == Difficulty::Hard) {
    EXPECT_EQ(m_unfinished, 0);
  }
}

// A computer that plans at all beats a player who presses keys at random
// nearly always. One who runs straight for the centre, closer to Green's
// corner, and fires at what it faces is a fair fight that Normal still wins
// more often than not, and Hard nearly always; Hard also beats Normal.
INSTANTIATE_TEST_SUITE_P(GreenPlayers, WholeGameTest,
                         ::testing::Values(Opponent{"Random", Difficulty::Normal, GreenKind::Random, 905, 200},
                                           Opponent{"Charging", Difficulty::Normal, GreenKind::Charging, 505, 200},
                                           Opponent{"HardVsRandom", Difficulty::Hard, GreenKind::Random, 990, 40},
                                           Opponent{"HardVsCharging", Difficulty::Hard, GreenKind::Charging, 900, 40},
                                           Opponent{"HardVsNormal", Difficulty::Hard, GreenKind::Normal, 650, 40}),
                         [](const ::testing::TestParamInfo<Opponent>& info) { return std::string(info.param.name); });

// Blue's wins and the median length of the games on one battlefield.
struct FieldRecord {
  int games = 0;
  int blueWins = 0;
  int unfinished = 0;
  std::vector<int> turns;  // of every game

  void Add(const GameResult& result) {
    ++games;
    blueWins += result.outcome == Outcome::BlueHoldsTheCentre || result.outcome == Outcome::BlueDestroysGreen;
    unfinished += result.outcome == Outcome::TurnLimit;
    turns.push_back(result.turns);
  }
  int MedianTurns() {
    std::sort(turns.begin(), turns.end());
    return turns.empty() ? 0 : turns[turns.size() / 2];
  }
};

// The names of the shipped battlefields and of generated ones (seeds 1 to `generated`).
std::vector<std::string> Fields(std::uint32_t generated) {
  worldtest::OwnSession own;
  CBattlefieldList& list = own.m_session.GetBattlefields();
  std::vector<std::string> fields;
  for (std::size_t i = 0; i + 1 < list.GetCount(); ++i, list.Step(1)) fields.push_back(list.GetName());
  for (std::uint32_t seed = 1; seed <= generated; ++seed) fields.push_back("Random #" + std::to_string(seed));
  return fields;
}

// A row of the README's table; a check that Blue won at least 95 % of the
// games against the random Green and 40 % against the charging one.
void PrintRow(const std::string& label, FieldRecord (&records)[2]) {
  std::cout << "| " << label << " | " << records[0].games << " | " << records[0].blueWins << " | "
            << records[0].MedianTurns() << " | " << records[1].blueWins << " | " << records[1].MedianTurns() << " |\n";
}
void CheckShares(const std::string& label, const FieldRecord (&records)[2]) {
  EXPECT_GE(records[0].blueWins * 100, records[0].games * 95) << label << " against random Green";
  EXPECT_GE(records[1].blueWins * 100, records[1].games * 40) << label << " against charging Green";
}

// Plays `games` games a battlefield against each Green, team sizes 1 to 10
// by turns: none may go unfinished; with `checkShares`, Blue's shares of wins
// hold on each shipped battlefield and over the generated ones together;
// with `print`, prints the table the README shows.
void PlayFields(std::uint32_t generated, int games, bool print, bool checkShares = true) {
  FieldRecord total[2];
  for (const std::string& name : Fields(generated)) {
    const bool shipped = name.rfind("Random #", 0) != 0;
    FieldRecord records[2];
    for (int charges = 0; charges < 2; ++charges) {
      for (int game = 0; game < games; ++game) {
        const std::uint32_t seed = 7u * static_cast<std::uint32_t>(game) + 3u;
        const GameResult result = PlayGame(seed, static_cast<std::uint32_t>(game % 10 + 1), Difficulty::Normal,
                                           charges != 0 ? GreenKind::Charging : GreenKind::Random, name);
        records[charges].Add(result);
        if (!shipped) total[charges].Add(result);
      }
      EXPECT_EQ(records[charges].unfinished, 0) << name;
    }
    if (shipped && checkShares) CheckShares(name, records);
    if (shipped && print) PrintRow(name, records);
  }
  if (checkShares) CheckShares("generated", total);
  if (print) PrintRow(std::to_string(generated) + " generated", total);
}

// The Green players of the players' table, by name.
struct TableGreen {
  const char* name;  // for the table
  GreenKind kind;    // how it plays
};
constexpr TableGreen kTableGreens[] = {{"random keys", GreenKind::Random},         {"charger", GreenKind::Charging},
                                       {"Normal mirror", GreenKind::Normal},       {"sniper", GreenKind::Sniper},
                                       {"centre holder", GreenKind::CentreHolder}, {"group", GreenKind::Group},
                                       {"legacy Hard", GreenKind::LegacyHard}};

// How the games of one level of Blue against one Green player ended.
struct TableRecord {
  int games = 0;
  int blueWins = 0;
  int ties = 0;
  int greenWins = 0;
  int unfinished = 0;      // games that reached the turn limit
  std::vector<int> turns;  // of every game

  void Add(const GameResult& result) {
    ++games;
    blueWins += result.outcome == Outcome::BlueHoldsTheCentre || result.outcome == Outcome::BlueDestroysGreen;
    ties += result.outcome == Outcome::Tie;
    greenWins += result.outcome == Outcome::GreenWins;
    unfinished += result.outcome == Outcome::TurnLimit;
    turns.push_back(result.turns);
  }
  int MedianTurns() {
    std::sort(turns.begin(), turns.end());
    return turns.empty() ? 0 : turns[turns.size() / 2];
  }
};

// A computer level against its own planner playing Green: two copies of a
// planner may circle each other for ever, so their games may reach the turn
// limit (Normal against its mirror on some generated battlefields, Hard
// against itself on a few small ones).
bool PlaysItself(Difficulty blue, GreenKind green) {
  return (blue == Difficulty::Normal && green == GreenKind::Normal) ||
         (blue == Difficulty::Hard && green == GreenKind::LegacyHard);
}

// Plays `games` games on each of the battlefields for each level of Blue
// against each Green player, team sizes 1 to 10 by turns, and prints a row
// per level and player: Blue's share of wins, the ties, Green's wins, the
// median length and whether any game reached the turn limit. Every game must
// end within it, but for a level against itself.
void PlayPlayerTable(const std::vector<std::string>& fields, int games) {
  std::cout << "| Blue | Green | games | Blue wins | ties | Green wins | median turns | reached " << kTurnLimit
            << " turns |\n|---|---|---|---|---|---|---|---|\n";
  std::string unfinished;  // the games that reached the turn limit
  // KORVANE_TABLE_ROWS plays only the rows whose "level against player" begins so.
  const char* rows = std::getenv("KORVANE_TABLE_ROWS");
  for (const Difficulty blue : {Difficulty::Normal, Difficulty::Hard}) {
    const char* level = blue == Difficulty::Hard ? "Hard" : "Normal";
    for (const TableGreen& green : kTableGreens) {
      if (rows && (std::string(level) + " against " + green.name).rfind(rows, 0) != 0) continue;
      TableRecord record;
      for (std::size_t field = 0; field < fields.size(); ++field) {
        for (int game = 0; game < games; ++game) {
          const auto seed = 1000u * static_cast<std::uint32_t>(field) + static_cast<std::uint32_t>(game) + 1u;
          const auto size = (static_cast<std::uint32_t>(field) + static_cast<std::uint32_t>(game)) % 10 + 1;
          const GameResult result = PlayGame(seed, size, blue, green.kind, fields[field]);
          if (::testing::Test::HasFailure()) return;
          record.Add(result);
          if (result.outcome == Outcome::TurnLimit && !PlaysItself(blue, green.kind)) {
            unfinished += std::string("\n  ") + level + " against " + green.name + " on " + fields[field] + ", " +
                          std::to_string(size) + " a side, seed " + std::to_string(seed);
          }
        }
      }
      const int permille = record.games ? record.blueWins * 1000 / record.games : 0;
      std::cout << "| " << level << " | " << green.name << " | " << record.games << " | " << permille / 10 << "."
                << permille % 10 << " % | " << record.ties << " | " << record.greenWins << " | " << record.MedianTurns()
                << " | " << (record.unfinished ? "yes" : "no") << " |\n";
    }
  }
  EXPECT_TRUE(unfinished.empty()) << "games that reached " << kTurnLimit << " turns:" << unfinished;
}

}  // namespace

// A sample: a few games on every shipped battlefield and on a few generated
// ones. The sanitizer build, far slower, plays two games a battlefield for
// the rules and memory alone: too few to judge Blue's share of wins.
// scripts/play-table.sh plays the whole table.
TEST(BattlefieldGamesTest, BlueWinsOnEveryShippedBattlefieldAndOnGeneratedOnes) {
#if defined(__SANITIZE_ADDRESS__)
  PlayFields(2, 2, false, false);
#else
  PlayFields(10, 10, false);
#endif
}

TEST(BattlefieldGamesTest, DISABLED_WholeTable) { PlayFields(200, 20, true); }

// Every level of Blue against every Green player. A game a battlefield on
// the shipped ones and two generated ones; the sanitizer build, far slower,
// plays a game on the default battlefield alone, for the rules and memory.
// KORVANE_GAMES sets the games a battlefield and plays the whole table on
// every shipped battlefield and 20 generated ones: scripts/games.sh --players.
TEST(PlayerTableTest, EveryGameEndsWithinTheTurnLimit) {
  const char* games = std::getenv("KORVANE_GAMES");
  if (games) {
    PlayPlayerTable(Fields(20), std::max(1, std::atoi(games)));
    return;
  }
#if defined(__SANITIZE_ADDRESS__)
  PlayPlayerTable({Fields(0).front()}, 1);
#else
  PlayPlayerTable(Fields(2), 1);
#endif
}
