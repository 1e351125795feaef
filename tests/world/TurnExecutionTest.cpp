#include <gtest/gtest.h>

#include <SDL_mixer.h>

#include <vector>

#include "units/UnitsTestSupport.h"
#include "screen/CEffect.h"
#include "screen/StatusMessage.h"
#include "world/WorldTestSupport.h"

using unitstest::SoundBoard;
using worldtest::WorldTest;

using TurnExecutionTest = WorldTest;

namespace {

// The ticks, counted from Space, on which each step of the turn ran, and the
// tick on which the turn ended.
struct TurnTiming {
  std::vector<int> steps;
  int end = 0;
};

}  // namespace

TEST_F(TurnExecutionTest, OneTickOf16MsAtMostPerCallTheRestKept) {
  m_session.Update(40);  // the start screen uses time too, and runs nothing
  EXPECT_EQ(m_session.GetAccumulator(), 24u);
  StartGame(1, 1);
  m_session.Update(0);
  EXPECT_EQ(m_session.GetAccumulator(), 8u);
  Press(SDLK_SPACE);
  m_session.Update(7);  // 15 ms gathered: no tick
  EXPECT_EQ(m_session.GetAccumulator(), 15u);
  EXPECT_EQ(Match().GetStepsDone(), 0);
  m_session.Update(1);  // 16: the first step of a new game's first turn
  EXPECT_EQ(m_session.GetAccumulator(), 0u);
  EXPECT_EQ(Match().GetStepsDone(), 1);
  m_session.Update(1000);  // a long frame still runs one tick
  EXPECT_EQ(m_session.GetAccumulator(), 984u);
  EXPECT_EQ(m_session.GetClock().GetStepTimer(), 284u);
}

TEST_F(TurnExecutionTest, StepsRun19TicksApartTheFirstAtOnceOnlyInTheFirstTurn) {
  StartGame(1, 1);
  Park(0, 0, 0);
  Park(1, 0, 3);
  TurnTiming turns[2];
  for (TurnTiming& turn : turns) {
    Press(SDLK_SPACE);
    for (int tick = 1; tick <= 200 && Match().IsExecuting(); ++tick) {
      const std::int32_t before = Match().GetStepsDone();
      Ticks(1);
      if (Match().GetStepsDone() != before && Match().IsExecuting()) turn.steps.push_back(tick);
      if (!Match().IsExecuting()) turn.end = tick;
    }
  }
  EXPECT_EQ(turns[0].steps, (std::vector<int>{1, 20, 39, 58}));
  EXPECT_EQ(turns[0].end, 59);
  EXPECT_EQ(turns[1].steps, (std::vector<int>{19, 38, 57, 76}));
  EXPECT_EQ(turns[1].end, 77);
  EXPECT_EQ(Match().GetStepsDone(), 0);
  EXPECT_EQ(Match().GetHillCount(), 0u);
}

TEST_F(TurnExecutionTest, AShellHitsATankThatMovesAwayInTheSameStepAndItsEffectsFade) {
  StartGame(1, 1);
  CTank* green = Place(0, 0, 5, 5, 1, 0);
  green->AddMoveForward(Match().GetMap());
  CTank* blue = Place(1, 0, 5, 8, 0, -1);  // later in the list, but about to fire
  blue->AddFire();
  Press(SDLK_SPACE);
  Ticks(1);
  EXPECT_EQ(green->GetHitPoints(), 80);  // in the side
  EXPECT_EQ(green->GetX(), 6);
  EXPECT_EQ(blue->GetDelay(), 1);

  // From (160, 256) down to (160, 160): puffs at 32 and 64 px, the flash at
  // 16 px and the impact 16 px before the end.
  // Green sees the hit: its loss floats over it last.
  const auto& effects = Screen().GetEffects();
  ASSERT_EQ(effects.size(), 5u);
  EXPECT_STREQ(effects[4].m_text, "-20");
  EXPECT_FLOAT_EQ(effects[4].m_x, 160.0f);
  const float ys[] = {224.0f, 192.0f, 240.0f, 176.0f};
  const std::int32_t sprites[] = {4, 4, 6, 6};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(effects[i].m_sprite, sprites[i]);
    EXPECT_FLOAT_EQ(effects[i].m_x, 160.0f);
    EXPECT_FLOAT_EQ(effects[i].m_y, ys[i]);
    EXPECT_FLOAT_EQ(effects[i].m_angle, 4.712389f);  // 3 pi / 2: straight down
  }
  EXPECT_FLOAT_EQ(effects[3].m_alpha, 0.7f - 16.0f / 3000.0f);
  // Aged once a tick, executing or not: the flash lasts 300 ms, the puffs
  // 1000 ms, the loss 1500 ms and the impact 2100 ms.
  const struct {
    int ticks;
    std::size_t left;
  } fading[] = {{17, 5}, {1, 4}, {43, 4}, {1, 2}, {30, 2}, {1, 1}, {37, 1}, {1, 0}};
  for (const auto& f : fading) {
    Ticks(f.ticks);
    EXPECT_EQ(effects.size(), f.left);
  }
  EXPECT_FALSE(Match().IsExecuting());
}

TEST_F(TurnExecutionTest, TwoTanksDestroyingEachOtherBothFireAndLeaveWrecksTheOthersKeepTheirSlots) {
  StartGame(2, 2);
  Tap(SDLK_1);
  CTank* green1 = Place(0, 0, 5, 3, 0, 1, 10);
  CTank* green2 = Tank(0, 1);
  CTank* blue1 = Place(1, 0, 5, 7, 0, -1, 10);
  CTank* blue2 = Tank(1, 1);
  Park(0, 1, 0);
  Park(1, 1, 3);
  green1->AddFire();
  blue1->AddFire();
  Match().RefreshVisibility();  // each in the other's sight
  Press(SDLK_SPACE);
  Ticks(1);

  // The last tank of the list takes the hole of each destroyed one.
  ASSERT_EQ(Match().GetTanks().size(), 2u);
  EXPECT_EQ(Match().GetTanks()[0], blue2);
  EXPECT_EQ(Match().GetTanks()[1], green2);
  for (std::uint32_t team = 0; team < 2; ++team) {
    ASSERT_EQ(Match().GetTeamTanks(team).size(), 2u);
    EXPECT_EQ(Match().GetTeamTanks(team)[0], nullptr);
  }
  EXPECT_EQ(Match().GetTeamTanks(0)[1], green2);
  EXPECT_EQ(Match().GetTeamTanks(1)[1], blue2);
  EXPECT_EQ(Match().GetAliveCount(0), 1);
  EXPECT_EQ(Match().GetAliveCount(1), 1);
  // Effects fading out make way for others: the wrecks are looked for anew.
  auto wrecksNow = [this] {
    std::vector<CEffect> found;
    for (const CEffect& effect : Screen().GetEffects()) {
      if (effect.m_sprite == 0 || effect.m_sprite == 1) found.push_back(effect);
    }
    return found;
  };
  std::vector<CEffect> wrecks = wrecksNow();
  ASSERT_EQ(wrecks.size(), 2u);
  EXPECT_EQ(wrecks[0].m_sprite, 0);
  EXPECT_FLOAT_EQ(wrecks[0].m_x, 160.0f);
  EXPECT_FLOAT_EQ(wrecks[0].m_y, 96.0f);
  EXPECT_FLOAT_EQ(wrecks[0].m_angle, 90 * 0.0174533f);
  EXPECT_EQ(wrecks[1].m_sprite, 1);
  EXPECT_FLOAT_EQ(wrecks[1].m_y, 224.0f);
  EXPECT_FLOAT_EQ(wrecks[1].m_angle, -90 * 0.0174533f);
  // Burnt dark, and held whole until the turn ends.
  EXPECT_FLOAT_EQ(wrecks[1].m_alpha, 1.0f);
  EXPECT_LT(wrecks[1].m_red, 0.5f);
  // Both shots left their effects: three puffs, a flash and an impact each,
  // and each hit its loss and an explosion.
  EXPECT_EQ(Screen().GetEffects().size(), 2u + 2 * 5 + 2 * 2);

  // The key of the destroyed tank selects nothing; the survivor keeps its key.
  EXPECT_EQ(Screen().GetSelectedTank(Match()), nullptr);
  Tap(SDLK_2);
  EXPECT_EQ(Screen().GetSelectedTank(Match()), green2);
  Tap(SDLK_1);
  EXPECT_EQ(Screen().GetSelected(), 0u);

  // A wreck is gone 3 s after its turn ended; the game goes on meanwhile.
  FinishTurn();
  wrecks = wrecksNow();
  ASSERT_EQ(wrecks.size(), 2u);
  EXPECT_FLOAT_EQ(wrecks[1].m_alpha, 1.0f - 16.0f / 3000.0f);
  Ticks(186);
  EXPECT_EQ(Screen().GetEffects().size(), 2u);
  Ticks(1);
  EXPECT_TRUE(Screen().GetEffects().empty());
  EXPECT_FALSE(Match().IsGameOver());
  EXPECT_FALSE(Match().IsTie());
}

TEST_F(TurnExecutionTest, BothLastTanksDestroyedInOneStepIsATieWithoutTurnEnd) {
  SoundBoard sounds;
  ASSERT_TRUE(sounds.Ready());
  StartGame(1, 1);
  Place(0, 0, 5, 3, 0, 1, 10)->AddFire();
  Place(1, 0, 5, 7, 0, -1, 10)->AddFire();
  Press(SDLK_SPACE);
  Ticks(1);
  EXPECT_TRUE(Match().GetTanks().empty());
  EXPECT_TRUE(Match().IsTie());
  Ticks(1);
  EXPECT_FALSE(Match().IsExecuting());
  Ticks(100);
  EXPECT_EQ(Match().GetStepsDone(), 1);  // no turn end ran
  EXPECT_EQ(Match().GetHillCount(), 0u);
  EXPECT_FALSE(Match().IsGameOver());
  Press(SDLK_SPACE);
  Ticks(1);
  EXPECT_FALSE(Match().IsExecuting());
  EXPECT_EQ(Match().GetStepsDone(), 1);
  EXPECT_EQ(sounds.Playing(kSoundVictory), 0);
}

// Both last tanks fall in the second step, while Green counts down on the
// centre: the tie ends the game there, its engine sound stops and the
// countdown gives way to the tie message.
TEST_F(TurnExecutionTest, ATieInMidTurnStopsTheEngineAndOutranksTheCountdown) {
  StartGame(1, 1);
  Place(0, 0, 7, 6, 0, 1);
  Park(1, 0, 3);
  PlayTurn();
  ASSERT_EQ(Match().GetHillCount(), 1u);
  CTank* green = Place(0, 0, 7, 6, 0, 1, 10);
  green->AddMoveForward(Match().GetMap());
  green->AddFire();
  CTank* blue = Place(1, 0, 7, 10, 0, -1, 10);
  blue->AddMoveForward(Match().GetMap());
  blue->AddFire();
  Press(SDLK_SPACE);
  Ticks(19);  // a later turn's steps come 19 ticks apart from Space on
  EXPECT_TRUE(Screen().GetSounds().AreEnginesPlaying());
  Ticks(19);
  ASSERT_TRUE(Match().IsTie());
  EXPECT_EQ(Match().GetStepsDone(), 2);
  Ticks(1);
  EXPECT_FALSE(Screen().GetSounds().AreEnginesPlaying());
  const StatusMessage message = ChooseStatusMessage(Match().GetHillCount(), Match().GetAliveCount(0),
                                                    Match().GetAliveCount(1));
  ASSERT_GT(message.m_count, 0u);
  EXPECT_EQ(message.m_lines[0].m_text, StatusText::Tie);
}

TEST_F(TurnExecutionTest, TenTurnEndsOnTheCentreCellWinAndEndTheGame) {
  SoundBoard sounds;
  ASSERT_TRUE(sounds.Ready());
  StartGame(1, 1);
  Place(0, 0, 7, 6, 0, 1);
  Park(1, 0, 3);
  for (std::uint32_t turn = 1; turn <= 9; ++turn) {
    PlayTurn();
    EXPECT_EQ(Match().GetHillCount(), turn);
    EXPECT_EQ(Match().GetHillTeam(), 0);
  }
  EXPECT_FALSE(Match().IsGameOver());
  EXPECT_EQ(sounds.Playing(kSoundVictory), 0);
  PlayTurn();
  EXPECT_EQ(Match().GetHillCount(), 10u);
  EXPECT_TRUE(Match().IsGameOver());
  EXPECT_EQ(sounds.Playing(kSoundVictory), 1);
  // Space starts nothing any more, and the count stays.
  Press(SDLK_SPACE);
  Ticks(100);
  EXPECT_FALSE(Match().IsExecuting());
  EXPECT_EQ(Match().GetStepsDone(), 0);
  EXPECT_EQ(Match().GetHillCount(), 10u);
  EXPECT_EQ(sounds.Playing(kSoundVictory), 1);
}

TEST_F(TurnExecutionTest, LeavingTheCentreResetsTheCountAndABlueHolderCountsForBlue) {
  StartGame(1, 1);
  CTank* green = Place(0, 0, 7, 6, 0, 1);
  Park(1, 0, 3);
  PlayTurn();
  PlayTurn();
  EXPECT_EQ(Match().GetHillCount(), 2u);
  green->AddMoveForward(Match().GetMap());
  PlayTurn();
  EXPECT_EQ(green->GetY(), 7);
  EXPECT_EQ(Match().GetHillCount(), 0u);

  Place(1, 0, 7, 6, 0, 1);
  PlayTurn();
  EXPECT_EQ(Match().GetHillTeam(), 1);
  EXPECT_EQ(Match().GetHillCount(), 1u);
  Place(1, 0, 7, 6, 0, 1);
  PlayTurn();
  EXPECT_EQ(Match().GetHillCount(), 2u);

  Park(1, 0, 3);
  Place(0, 0, 7, 6, 0, 1);
  PlayTurn();
  EXPECT_EQ(Match().GetHillTeam(), 0);
  EXPECT_EQ(Match().GetHillCount(), 1u);
}

TEST_F(TurnExecutionTest, TheLastBlueTankDestroyedInStepTwoStepsThreeAndFourStillRunThenGreenWins) {
  SoundBoard sounds;
  ASSERT_TRUE(sounds.Ready());
  StartGame(1, 1);
  CTank* green = Place(0, 0, 5, 3, 0, 1);
  green->AddWait();
  green->AddFire();  // step 2; step 3 is the busy step after firing
  green->AddTurn(true);
  Place(1, 0, 5, 7, 0, -1, 10);
  Press(SDLK_SPACE);
  Ticks(20);
  EXPECT_EQ(Match().GetStepsDone(), 2);
  EXPECT_EQ(Match().GetAliveCount(1), 0);
  EXPECT_FALSE(Match().IsGameOver());  // decided at the turn end
  Ticks(38);
  EXPECT_EQ(Match().GetStepsDone(), 4);
  EXPECT_EQ(green->GetState().dx, 1);  // turned in step 4
  Ticks(1);
  EXPECT_FALSE(Match().IsExecuting());
  EXPECT_TRUE(Match().IsGameOver());
  EXPECT_EQ(Match().GetHillTeam(), 0);
  EXPECT_EQ(sounds.Playing(kSoundVictory), 1);
}

TEST_F(TurnExecutionTest, GreenLosingItsLastTankLetsBlueWin) {
  StartGame(1, 2);
  Place(0, 0, 5, 3, 0, 1, 10);
  Place(1, 0, 5, 7, 0, -1)->AddFire();
  Park(1, 1, 3);
  PlayTurn();
  EXPECT_TRUE(Match().IsGameOver());
  EXPECT_EQ(Match().GetHillTeam(), 1);
  EXPECT_EQ(Match().GetAliveCount(1), 2);
}

TEST_F(TurnExecutionTest, TheEngineSoundStartsWithTheFirstMoveAndFadesAtTheTurnEnd) {
  SoundBoard sounds;
  ASSERT_TRUE(sounds.Ready());
  StartGame(1, 1);
  CTank* green = Place(0, 0, 5, 3, 0, 1);
  Park(1, 0, 3);
  green->AddWait();
  green->AddMoveForward(Match().GetMap());
  green->AddMoveForward(Match().GetMap());
  Press(SDLK_SPACE);
  Ticks(1);
  EXPECT_FALSE(Screen().GetSounds().AreEnginesPlaying());
  Ticks(19);
  ASSERT_TRUE(Screen().GetSounds().AreEnginesPlaying());
  const int channel = Screen().GetSounds().GetEngineChannel();
  Ticks(19);
  EXPECT_EQ(Screen().GetSounds().GetEngineChannel(), channel);  // not started twice
  EXPECT_EQ(sounds.Playing(kSoundEngine), 1);
  EXPECT_EQ(FinishTurn(), 20);
  EXPECT_FALSE(Screen().GetSounds().AreEnginesPlaying());
  EXPECT_EQ(Mix_FadingChannel(channel), MIX_FADING_OUT);
}

TEST_F(TurnExecutionTest, HelpDoesNotPauseATurnButTheStartScreenFreezesIt) {
  SoundBoard sounds;
  ASSERT_TRUE(sounds.Ready());
  StartGame(1, 1);
  Place(0, 0, 5, 3, 0, 1)->AddMoveForward(Match().GetMap());
  Park(1, 0, 3);
  Press(SDLK_SPACE);
  Ticks(1);
  Press(SDLK_F1);
  ASSERT_TRUE(Screen().IsHelpShown());
  Ticks(19);
  EXPECT_EQ(Match().GetStepsDone(), 2);
  EXPECT_TRUE(Screen().IsHelpShown());

  Press(SDLK_ESCAPE);  // only closes the help
  EXPECT_EQ(m_session.GetMode(), CGameSession::mc_modePlay);
  Screen().Effects().SpawnShot(32, 32, 32, 96);
  Press(SDLK_ESCAPE);
  EXPECT_EQ(m_session.GetMode(), CGameSession::mc_modeStartScreen);
  const int channel = Screen().GetSounds().GetEngineChannel();
  ASSERT_GE(channel, 0);
  Ticks(100);
  EXPECT_EQ(Match().GetStepsDone(), 2);
  EXPECT_TRUE(Match().IsExecuting());
  ASSERT_EQ(Screen().GetEffects().size(), 3u);
  EXPECT_FLOAT_EQ(Screen().GetEffects()[1].m_alpha, 1.0f);  // the flash, as it was made
  EXPECT_EQ(Mix_Playing(channel), 1);
  EXPECT_EQ(Mix_FadingChannel(channel), MIX_NO_FADING);  // loops on until the game is replaced
  Press(SDLK_RETURN);
  EXPECT_EQ(Mix_FadingChannel(channel), MIX_FADING_OUT);
  EXPECT_FALSE(Match().IsExecuting());
}
