// A long soak of the real world: thousands of turns of random keys, clicks
// and frame times, with the computer planning Blue at every turn end, games
// restarted again and again with team sizes from 1 to 10 set through the
// start screen, and the world's invariants checked after every call. The
// sanitizer build runs it under AddressSanitizer and UndefinedBehaviorSanitizer.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdint>
#include <iostream>
#include <string>

#include "core/DataFiles.h"
#include "world/RandomWorldInput.h"
#include "screen/StartScreenControls.h"
#include "world/WorldInvariants.h"
#include "world/WorldTestSupport.h"

namespace {

using worldtest::RandomWorldInput;

constexpr int kTurnEndsWanted = 3000;
// A bound on the events, so that a world that stops ending turns fails the
// test instead of running forever.
constexpr long kEventLimit = 3000000;
// A game still going after this many turn ends makes way for a new one.
constexpr int kTurnEndsPerGame = 30;
constexpr int kWindowHeight = 768;

struct Tally {
  int turnEnds = 0;
  int tanksDestroyed = 0;
  int gamesStarted = 0;
  int gamesFinished = 0;               // won by a team or tied
  bool sizeSeen[2][11] = {};           // per team, the sizes games were started with
  long events = 0;
};

// Drives one world: the random stream, and between games a player who sets
// the team sizes with the start screen's marks and starts with Return or a
// click on "Start", or restarts with 'r'.
class SoakSession {
 public:
  SoakSession(CGameSession& session, std::uint32_t seed, Tally& tally)
      : m_session(session), m_input(seed, RandomWorldInput::mc_playHeavy), m_tally(tally), m_seed(seed) {}

  // Plays until the tally holds enough turn ends; false after a broken rule.
  bool Run(int turnEndsWanted) {
    if (!StartGame()) return false;
    int turnEndsThisGame = 0;
    int eventsSinceFinish = 0;
    while (m_tally.turnEnds < turnEndsWanted && m_tally.events < kEventLimit) {
      const std::int32_t steps = Match().GetStepsDone();
      const std::size_t tanks = Match().GetTanks().size();
      const bool finished = IsFinished();
      const std::string event = m_input.SendOne(m_session);
      if (!Check(event)) return false;
      if (steps == CGameWorld::mc_turnSteps && Match().GetStepsDone() == 0) {
        ++m_tally.turnEnds;
        ++turnEndsThisGame;
      }
      if (event.rfind("update", 0) == 0 && Match().GetTanks().size() < tanks) {
        m_tally.tanksDestroyed += static_cast<int>(tanks - Match().GetTanks().size());
      }
      if (!finished && IsFinished()) ++m_tally.gamesFinished;
      eventsSinceFinish = IsFinished() ? eventsSinceFinish + 1 : 0;
      // A finished game is looked at for a while, then replaced; so is one
      // that goes on too long, or one the stream left on the start screen.
      if (eventsSinceFinish > 200 || turnEndsThisGame >= kTurnEndsPerGame ||
          m_session.GetMode() == CGameSession::mc_modeStartScreen) {
        if (!StartGame()) return false;
        turnEndsThisGame = 0;
        eventsSinceFinish = 0;
      }
    }
    return true;
  }

 private:
  const CGameWorld& Match() const { return m_session.GetMatch(); }
  const CBattleScreen& Screen() const { return m_session.GetScreen(); }
  bool IsFinished() const { return Match().IsGameOver() || Match().IsTie(); }

  bool Check(const std::string& what) {
    ++m_tally.events;
    const ::testing::AssertionResult rules = worldtest::HoldsInvariants(m_session);
    if (!rules) ADD_FAILURE() << "seed " << m_seed << ", event " << m_tally.events << " (" << what << "): " << rules.message();
    return static_cast<bool>(rules);
  }

  bool Key(int sym) {
    m_session.OnKey(sym, true);
    if (!Check("scripted key down " + std::to_string(sym))) return false;
    m_session.OnKey(sym, false);
    return Check("scripted key up " + std::to_string(sym));
  }

  bool Click(const ClickBox& box) {
    const auto x = static_cast<std::uint16_t>((box.left + box.right) / 2);
    const auto y = static_cast<std::uint16_t>(kWindowHeight - (box.bottom + box.top) / 2);
    m_session.OnMouseButton(1, true, x, y);
    if (!Check("scripted click")) return false;
    m_session.OnMouseButton(1, false, x, y);
    return Check("scripted release");
  }

  // Clicks a team's marks until its size is the wanted one.
  bool SetSize(std::uint32_t team, std::uint32_t wanted, const ClickBox& less, const ClickBox& more) {
    for (int clicks = 0; m_session.GetTeamSize(team) != wanted; ++clicks) {
      if (clicks > 20) {
        ADD_FAILURE() << "the start screen's marks do not reach size " << wanted << " for team " << team;
        return false;
      }
      if (!Click(m_session.GetTeamSize(team) < wanted ? more : less)) return false;
    }
    return true;
  }

  // A new game in play: now and then with 'r' and the sizes kept, mostly
  // through the start screen with new sizes.
  bool StartGame() {
    // The help panel takes a key press and nothing else.
    if (Screen().IsHelpShown() && !Key(SDLK_LSHIFT)) return false;
    const bool keepSizes = m_session.GetMode() == CGameSession::mc_modePlay && m_input.Pick(4) == 0;
    if (keepSizes) {
      // In a game in progress the first 'r' only asks; a finished game restarts at once.
      const bool inProgress = Match().IsInProgress();
      if (!Key(SDLK_r)) return false;
      if (m_session.IsRestartAsked() != inProgress) {
        ADD_FAILURE() << "seed " << m_seed << ": 'r' asked " << m_session.IsRestartAsked() << " in progress " << inProgress;
        return false;
      }
      if (inProgress && !Key(SDLK_r)) return false;
    } else {
      if (m_session.GetMode() == CGameSession::mc_modePlay && !Key(SDLK_ESCAPE)) return false;
      const auto green = static_cast<std::uint32_t>(1 + m_input.Pick(10));
      const auto blue = static_cast<std::uint32_t>(1 + m_input.Pick(10));
      if (!SetSize(0, green, StartScreenControls::mc_greenLess, StartScreenControls::mc_greenMore) ||
          !SetSize(1, blue, StartScreenControls::mc_blueLess, StartScreenControls::mc_blueMore)) {
        return false;
      }
      if (!(m_input.Pick(2) == 0 ? Key(SDLK_RETURN) : Click(StartScreenControls::mc_start))) return false;
    }
    for (std::uint32_t team = 0; team < CMap::mc_numTeams; ++team) {
      const std::uint32_t size = m_session.GetTeamSize(team);
      if (m_session.GetMode() != CGameSession::mc_modePlay || Match().GetTeamTanks(team).size() != size ||
          Match().GetAliveCount(team) != static_cast<std::int32_t>(size) || Match().GetStepsDone() != 0) {
        ADD_FAILURE() << "seed " << m_seed << ": no fresh game in play with " << size << " tanks for team " << team;
        return false;
      }
      m_tally.sizeSeen[team][size] = true;
    }
    ++m_tally.gamesStarted;
    return true;
  }

  CGameSession& m_session;   // the session under test
  RandomWorldInput m_input;  // the random stream, and the player's choices between games
  Tally& m_tally;            // what the soak has seen so far
  std::uint32_t m_seed;      // for the failure messages
};

}  // namespace

TEST(WorldSoakTest, ThousandsOfTurnsOfRandomInputKeepEveryInvariant) {
  // The shipped battlefield, the small arena, and a map too narrow for more
  // than three tanks a team, which larger games replace with the built-in one.
  const char* const maps[] = {kv::kMapFile, worldtest::kArenaMap, worldtest::kNarrowMap};
  constexpr std::uint32_t kSessions = 6;
  Tally tally;
  for (std::uint32_t seed = 1; seed <= kSessions; ++seed) {
    worldtest::OwnSession own;
    CGameSession& session = own.m_session;
    session.SetMapFile(maps[seed % 3]);
    session.SetSeed(seed * 7u + 3u);
    session.NewGame();
    SoakSession soak(session, seed, tally);
    ASSERT_TRUE(soak.Run(kTurnEndsWanted * static_cast<int>(seed) / static_cast<int>(kSessions)));
  }
  std::cout << "[ soak     ] " << tally.events << " events, " << tally.turnEnds << " turn ends, "
            << tally.tanksDestroyed << " tanks destroyed, " << tally.gamesStarted << " games started, "
            << tally.gamesFinished << " won or tied\n";
  EXPECT_GE(tally.turnEnds, kTurnEndsWanted);
  EXPECT_GT(tally.tanksDestroyed, 200);
  EXPECT_GT(tally.gamesStarted, 100);
  EXPECT_GT(tally.gamesFinished, 20);
  for (std::uint32_t team = 0; team < CMap::mc_numTeams; ++team) {
    for (std::uint32_t size = CGameWorld::mc_minTeamSize; size <= CGameWorld::mc_maxTeamSize; ++size) {
      EXPECT_TRUE(tally.sizeSeen[team][size]) << "no game with " << size << " tanks for team " << team;
    }
  }
}
