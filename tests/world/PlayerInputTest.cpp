#include <gtest/gtest.h>

#include <algorithm>

#include "audio/SoundTable.h"
#include "app/SettingKeys.h"
#include "support/TempDir.h"
#include "screen/StartScreenControls.h"
#include "world/WorldTestSupport.h"

using worldtest::WorldTest;

using PlayerInputTest = WorldTest;

namespace {

constexpr std::uint8_t kLeft = 1;
constexpr std::uint8_t kMiddle = 2;
constexpr std::uint8_t kRight = 3;

// The window's y of a drawing y: the window counts from the top.
int WindowY(int yy) { return 768 - yy; }

}  // namespace

TEST_F(PlayerInputTest, SizeMarksCountBetweenOneAndTenAndHitOnlyOnTheirInk) {
  struct Mark {
    ClickBox box;
    std::uint32_t team;
    int change;
  };
  const Mark marks[] = {{StartScreenControls::mc_greenMore, 0, 1}, {StartScreenControls::mc_greenLess, 0, -1},
                        {StartScreenControls::mc_blueMore, 1, 1}, {StartScreenControls::mc_blueLess, 1, -1}};
  for (const Mark& mark : marks) {
    // The corners count; one pixel outside, other buttons and releases do not.
    const int xs[] = {mark.box.left, mark.box.right};
    const int yys[] = {mark.box.bottom, mark.box.top};
    for (int x : xs) {
      for (int yy : yys) {
        const std::uint32_t before = m_session.GetTeamSize(mark.team);
        Click(kLeft, x, WindowY(yy));
        const std::uint32_t expected = mark.change > 0 ? std::min(before + 1, 10u) : std::max(before - 1, 1u);
        EXPECT_EQ(m_session.GetTeamSize(mark.team), expected) << x << "," << yy;
      }
    }
    const std::uint32_t size = m_session.GetTeamSize(mark.team);
    Click(kLeft, mark.box.left - 1, WindowY(mark.box.bottom));
    Click(kLeft, mark.box.right + 1, WindowY(mark.box.top));
    Click(kLeft, mark.box.left, WindowY(mark.box.bottom - 1));
    Click(kLeft, mark.box.left, WindowY(mark.box.top + 1));
    Click(kRight, mark.box.left, WindowY(mark.box.bottom));
    m_session.OnMouseButton(kLeft, false, static_cast<std::uint16_t>(mark.box.left),
                          static_cast<std::uint16_t>(WindowY(mark.box.bottom)));
    EXPECT_EQ(m_session.GetTeamSize(mark.team), size);
  }
  // Up to 10 and down to 1, no further.
  const ClickBox greenMore = StartScreenControls::mc_greenMore;
  const ClickBox blueLess = StartScreenControls::mc_blueLess;
  for (int i = 0; i < 12; ++i) Click(kLeft, greenMore.left, WindowY(greenMore.bottom));
  for (int i = 0; i < 12; ++i) Click(kLeft, blueLess.left, WindowY(blueLess.bottom));
  EXPECT_EQ(m_session.GetTeamSize(0), 10u);
  EXPECT_EQ(m_session.GetTeamSize(1), 1u);
  EXPECT_EQ(m_session.GetMode(), CGameSession::mc_modeStartScreen);

  const ClickBox start = StartScreenControls::mc_start;
  Click(kLeft, start.right, WindowY(start.top));
  EXPECT_EQ(m_session.GetMode(), CGameSession::mc_modePlay);
  EXPECT_EQ(Match().GetTeamTanks(0).size(), 10u);
  EXPECT_EQ(Match().GetTeamTanks(1).size(), 1u);
  // In play the marks are map cells: they change nothing.
  Click(kLeft, StartScreenControls::mc_greenLess.left, WindowY(StartScreenControls::mc_greenLess.bottom));
  EXPECT_EQ(m_session.GetTeamSize(0), 10u);
}

TEST_F(PlayerInputTest, TheComputersLevelChangesByItsMarksAndDOnTheStartScreenOnly) {
  // Each mark and 'd' step to the other level; a pixel beside a mark does nothing.
  const ClickBox less = StartScreenControls::mc_levelLess;
  const ClickBox more = StartScreenControls::mc_levelMore;
  Click(kLeft, less.left, WindowY(less.bottom));
  EXPECT_EQ(m_session.GetDifficulty(), Difficulty::Hard);
  Click(kLeft, more.right, WindowY(more.top));
  EXPECT_EQ(m_session.GetDifficulty(), Difficulty::Normal);
  Click(kLeft, more.right + 1, WindowY(more.top));
  Click(kLeft, less.left, WindowY(less.top + 1));
  EXPECT_EQ(m_session.GetDifficulty(), Difficulty::Normal);
  Tap(SDLK_d);
  EXPECT_EQ(m_session.GetDifficulty(), Difficulty::Hard);
  // In play 'd' is no key.
  Tap(SDLK_RETURN);
  Tap(SDLK_d);
  EXPECT_EQ(m_session.GetDifficulty(), Difficulty::Hard);
}

TEST_F(PlayerInputTest, OnTheStartScreenOnlyReturnStartAndRMeanAnything) {
  m_session.NewGame();
  Tank(0, 0)->SetPosition(4, 4);
  for (int sym : {SDLK_SPACE, SDLK_F1, SDLK_1, SDLK_UP, SDLK_f, SDLK_DELETE}) Tap(sym);
  EXPECT_EQ(m_session.GetMode(), CGameSession::mc_modeStartScreen);
  EXPECT_FALSE(Screen().IsHelpShown());
  EXPECT_FALSE(Match().IsExecuting());
  EXPECT_EQ(Screen().GetSelected(), 0u);
  EXPECT_TRUE(Tank(0, 0)->GetCommands().empty());
  m_session.OnKey(SDLK_RETURN, false);
  EXPECT_EQ(m_session.GetMode(), CGameSession::mc_modeStartScreen);

  // 'r' sets up a fresh game behind the start screen; Return another, in play.
  Tap(SDLK_r);
  EXPECT_EQ(m_session.GetMode(), CGameSession::mc_modeStartScreen);
  EXPECT_EQ(Tank(0, 0)->GetX(), 1);
  Tank(0, 0)->SetPosition(4, 4);
  Tap(SDLK_RETURN);
  EXPECT_EQ(m_session.GetMode(), CGameSession::mc_modePlay);
  EXPECT_EQ(Tank(0, 0)->GetX(), 1);
}

TEST_F(PlayerInputTest, EscapeKeepsTheGameBehindTheStartScreenAndRReplacesIt) {
  StartGame(3, 3);
  Tap(SDLK_2);
  Tap(SDLK_UP);
  Tap(SDLK_r);
  Tap(SDLK_r);  // asked and answered: a fresh game, still in play
  EXPECT_EQ(m_session.GetMode(), CGameSession::mc_modePlay);
  EXPECT_EQ(Screen().GetSelected(), 0u);
  EXPECT_TRUE(Tank(0, 1)->GetCommands().empty());

  Tap(SDLK_2);
  Tap(SDLK_UP);
  Tap(SDLK_ESCAPE);
  EXPECT_EQ(m_session.GetMode(), CGameSession::mc_modeStartScreen);
  EXPECT_EQ(Screen().GetSelected(), 2u);
  EXPECT_EQ(Tank(0, 1)->GetCommands().size(), 1u);
  EXPECT_EQ(Match().GetTanks().size(), 6u);
  Tap(SDLK_RETURN);
  EXPECT_TRUE(Tank(0, 1)->GetCommands().empty());
  EXPECT_EQ(Screen().GetSelected(), 0u);

  // 'r' during a turn starts the new game in play, not executing.
  Press(SDLK_SPACE);
  Ticks(1);
  Tap(SDLK_r);
  Tap(SDLK_r);
  EXPECT_EQ(m_session.GetMode(), CGameSession::mc_modePlay);
  EXPECT_FALSE(Match().IsExecuting());
  EXPECT_EQ(Match().GetStepsDone(), 0);
}

TEST_F(PlayerInputTest, HelpTakesTheNextPressAndNothingElse) {
  StartGame(3, 3);
  Tap(SDLK_F1);
  ASSERT_TRUE(Screen().IsHelpShown());
  m_session.OnKey(SDLK_SPACE, false);
  m_session.OnMouseButton(kLeft, false, 10, 10);
  EXPECT_TRUE(Screen().IsHelpShown());  // releases do not close it
  Tap(SDLK_SPACE);
  EXPECT_FALSE(Screen().IsHelpShown());
  EXPECT_FALSE(Match().IsExecuting());

  Tap(SDLK_F1);
  ClickCell(kLeft, 1, 1);  // on Green's first tank
  EXPECT_FALSE(Screen().IsHelpShown());
  EXPECT_EQ(Screen().GetSelected(), 0u);
  Tap(SDLK_F1);
  Tap(SDLK_ESCAPE);
  EXPECT_EQ(m_session.GetMode(), CGameSession::mc_modePlay);
  Tap(SDLK_F1);
  Click(kMiddle, 500, 500);
  EXPECT_FALSE(Screen().IsHelpShown());
}

TEST_F(PlayerInputTest, NumberKeysSelectBySlotEvenDuringATurn) {
  StartGame(3, 3);
  Tap(SDLK_1);
  EXPECT_EQ(Screen().GetSelectedTank(Match()), Tank(0, 0));
  EXPECT_EQ(Screen().GetSelectedTank(Match()), Tank(0, 0));
  Tap(SDLK_3);
  EXPECT_EQ(Screen().GetSelected(), 3u);
  EXPECT_NE(Screen().GetSelectedTank(Match()), Tank(0, 0));
  EXPECT_EQ(Screen().GetSelectedTank(Match()), Tank(0, 2));
  Tap(SDLK_3);
  EXPECT_EQ(Screen().GetSelectedTank(Match()), Tank(0, 2));
  Tap(SDLK_0);  // the tenth of three
  EXPECT_EQ(Screen().GetSelected(), 0u);
  EXPECT_NE(Screen().GetSelectedTank(Match()), Tank(0, 2));
  Tap(SDLK_2);
  Press(SDLK_SPACE);
  Ticks(1);
  Tap(SDLK_9);
  EXPECT_EQ(Screen().GetSelected(), 0u);
  Tap(SDLK_1);
  EXPECT_EQ(Screen().GetSelected(), 1u);

  Press(SDLK_ESCAPE);
  StartGame(10, 1);
  Tap(SDLK_0);
  EXPECT_EQ(Screen().GetSelectedTank(Match()), Tank(0, 9));
}

TEST_F(PlayerInputTest, CommandKeysPlanForTheSelectedTankOnlyWhenNoTurnRuns) {
  StartGame(1, 1);
  CTank* tank = Tank(0, 0);  // (1, 1) facing up
  Tap(SDLK_UP);
  EXPECT_TRUE(tank->GetCommands().empty());  // nothing selected
  Tap(SDLK_1);
  Tap(SDLK_RIGHT);  // facing right
  Tap(SDLK_UP);     // to (2, 1)
  Tap(SDLK_LEFT);   // facing up
  Tap(SDLK_DOWN);   // back to (2, 0)? a wall: refused
  Tap(SDLK_w);
  Tap(SDLK_f);
  ASSERT_EQ(tank->GetCommands().size(), 5u);
  const TankState planned = tank->PlannedState();
  EXPECT_EQ(planned.x, 2);
  EXPECT_EQ(planned.y, 1);
  EXPECT_EQ(planned.dy, 1);
  Tap(SDLK_BACKSPACE);
  EXPECT_EQ(tank->GetCommands().size(), 4u);
  Press(SDLK_SPACE);
  Ticks(1);
  for (int sym : {SDLK_UP, SDLK_f, SDLK_w, SDLK_DELETE, SDLK_BACKSPACE}) Tap(sym);
  EXPECT_EQ(tank->GetCommands().size(), 3u);  // one carried out, none given
  FinishTurn();
  Tap(SDLK_f);
  EXPECT_EQ(tank->GetCommands().size(), 1u);
  Tap(SDLK_DELETE);
  EXPECT_TRUE(tank->GetCommands().empty());
}

TEST_F(PlayerInputTest, LeftClicksSelectOwnTanksAndPlotPathsRightClicksErase) {
  StartGame(2, 1);
  CTank* first = Tank(0, 0);
  CTank* second = Tank(0, 1);
  ClickCell(kLeft, 5, 2);  // nothing selected: no path
  EXPECT_TRUE(first->GetCommands().empty());
  ClickCell(kLeft, 1, 1);
  EXPECT_EQ(Screen().GetSelectedTank(Match()), first);

  ClickCell(kLeft, 5, 2);
  EXPECT_FALSE(first->GetCommands().empty());
  EXPECT_EQ(first->PlannedState().x, 5);
  EXPECT_EQ(first->PlannedState().y, 2);
  const std::size_t planned = first->GetCommands().size();
  ClickCell(kLeft, 2, 1);  // the other own tank: selected, nothing plotted
  EXPECT_EQ(Screen().GetSelectedTank(Match()), second);
  EXPECT_TRUE(second->GetCommands().empty());
  EXPECT_EQ(first->GetCommands().size(), planned);

  ClickCell(kLeft, 12, 10);  // the enemy's cell is a goal like any other
  EXPECT_EQ(Screen().GetSelectedTank(Match()), second);
  EXPECT_EQ(second->PlannedState().x, 12);
  EXPECT_EQ(second->PlannedState().y, 10);
  Click(kRight, 900, 10);
  EXPECT_TRUE(second->GetCommands().empty());

  // Cells that cannot be reached (a pocket, a wall, left of and below the
  // map, the margin) keep the plan and mark the click for a while.
  Tap(SDLK_1);
  ClickCell(kLeft, 5, 2);
  const std::size_t kept = first->GetCommands().size();
  const MapPlacement place = PlaceMap(Match().GetMap());
  const int unreachable[][2] = {{place.CellX(2), WindowY(place.CellY(4))},
                                {place.CellX(0), WindowY(place.CellY(0))},
                                {place.Left() - 1, WindowY(place.CellY(2))},
                                {place.CellX(3), WindowY(place.Bottom() - 1)},
                                {1023, 0}};
  for (const auto& point : unreachable) {
    Ticks(80);
    std::int32_t x = 0, y = 0;
    ASSERT_FALSE(Screen().GetNoPathMark(x, y));
    Click(kLeft, point[0], point[1]);
    EXPECT_EQ(first->GetCommands().size(), kept) << point[0] << "," << point[1];
    ASSERT_TRUE(Screen().GetNoPathMark(x, y));
    EXPECT_EQ(x, point[0]);
    EXPECT_EQ(y, WindowY(point[1]));
  }
  // A click on a roster slot selects its tank, whatever the plan.
  Click(kLeft, 864 + 32, WindowY(145 - 20));
  EXPECT_EQ(Screen().GetSelectedTank(Match()), second);
  Click(kLeft, 864, WindowY(145 - 100));
  EXPECT_EQ(Screen().GetSelectedTank(Match()), first);
  EXPECT_EQ(first->GetCommands().size(), kept);

  // During a turn clicks do nothing.
  ClickCell(kLeft, 5, 2);
  Press(SDLK_SPACE);
  Ticks(1);
  const std::size_t left = first->GetCommands().size();
  ClickCell(kLeft, 2, 1);
  Click(kRight, 500, 500);
  ClickCell(kLeft, 8, 8);
  EXPECT_EQ(Screen().GetSelectedTank(Match()), first);
  EXPECT_EQ(first->GetCommands().size(), left);

  // A right click without a valid selection erases nothing.
  FinishTurn();
  const std::size_t remaining = first->GetCommands().size();
  ASSERT_GT(remaining, 0u);
  Tap(SDLK_3);
  Click(kRight, 500, 500);
  EXPECT_EQ(first->GetCommands().size(), remaining);
}

TEST_F(PlayerInputTest, AFinishedGameTakesCommandsButNoTurn) {
  StartGame(1, 1);
  Place(0, 0, 5, 3, 0, 1)->AddFire();
  Place(1, 0, 5, 7, 0, -1, 10);
  PlayTurn();
  ASSERT_TRUE(Match().IsGameOver());
  Tap(SDLK_1);
  Tap(SDLK_UP);
  EXPECT_EQ(Tank(0, 0)->GetCommands().size(), 1u);
  Press(SDLK_SPACE);
  Ticks(40);
  EXPECT_EQ(Tank(0, 0)->GetY(), 3);
  Tap(SDLK_ESCAPE);
  EXPECT_EQ(m_session.GetMode(), CGameSession::mc_modeStartScreen);
  Tap(SDLK_r);
  EXPECT_FALSE(Match().IsGameOver());
  EXPECT_EQ(m_session.GetMode(), CGameSession::mc_modeStartScreen);
}

TEST_F(PlayerInputTest, TeamSizesTheComputersLevelAndTheSoundSwitchAreRememberedForTheNextRun) {
  TempDir dir;
  const std::string file = dir.File("settings");
  m_settings.Load(file);
  const ClickBox &more = StartScreenControls::mc_greenMore, &less = StartScreenControls::mc_blueLess;
  for (int i = 0; i < 2; ++i) Click(kLeft, more.left, WindowY(more.bottom));
  Click(kLeft, less.left, WindowY(less.bottom));
  Tap(SDLK_d);
  const bool soundWas = IsSoundOn();
  Tap(SDLK_m);
  EXPECT_NE(IsSoundOn(), soundWas);

  worldtest::NextRun next(file);
  next.m_session.RestoreChoices();
  EXPECT_EQ(next.m_session.GetTeamSize(0), 5u);
  EXPECT_EQ(next.m_session.GetTeamSize(1), 2u);
  EXPECT_NE(m_session.GetDifficulty(), Difficulty::Normal);
  EXPECT_EQ(next.m_settings.Get(kv::kComputer), static_cast<int>(m_session.GetDifficulty()));
  EXPECT_EQ(next.m_settings.Get(kv::kSound), !soundWas);
  Tap(SDLK_m);
  EXPECT_EQ(IsSoundOn(), soundWas);
}

TEST_F(PlayerInputTest, TheFirstRInAGameInProgressOnlyAsksTheSecondWithinThreeSecondsRestarts) {
  // What follows the first 'r', and whether the game is then a fresh one.
  const struct {
    int ticksBetween;  // 16 ms each
    bool secondIsR;    // otherwise Up, which also gives its command
    bool clickBetween;
    bool restarts;
  } answers[] = {
      {0, true, false, true},
      {186, true, false, true},   // 2976 ms
      {188, true, false, false},  // 3008 ms: the question has lapsed, 'r' asks again
      {0, false, false, false},
      {0, true, true, false},
  };
  for (const auto& answer : answers) {
    SCOPED_TRACE(answer.ticksBetween);
    StartGame(2, 2);
    Tap(SDLK_1);
    Tap(SDLK_UP);
    Tap(SDLK_r);
    ASSERT_TRUE(m_session.IsRestartAsked());
    EXPECT_EQ(Tank(0, 0)->GetCommands().size(), 1u);
    Ticks(answer.ticksBetween);
    if (answer.clickBetween) Click(kRight, 5, 5);
    Tap(answer.secondIsR ? SDLK_r : SDLK_UP);
    EXPECT_EQ(Screen().GetSelected() == 0u, answer.restarts);
    // An 'r' that does not restart asks again.
    EXPECT_EQ(m_session.IsRestartAsked(), !answer.restarts && answer.secondIsR);
    Tap(SDLK_ESCAPE);
    Tap(SDLK_ESCAPE);
  }
  // A finished game restarts at the first 'r'.
  StartGame(1, 1);
  Place(0, 0, 5, 3, 0, 1)->AddFire();
  Place(1, 0, 5, 7, 0, -1, 10);
  PlayTurn();
  ASSERT_TRUE(Match().IsGameOver());
  Tap(SDLK_r);
  EXPECT_FALSE(Match().IsGameOver());
  EXPECT_FALSE(m_session.IsRestartAsked());
}
