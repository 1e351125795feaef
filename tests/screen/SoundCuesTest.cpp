// The sounds of a battle: the engines' loop and what the match's events call for.
#include <gtest/gtest.h>

#include <SDL_mixer.h>

#include <vector>

#include "screen/CSoundCues.h"
#include "units/UnitsTestSupport.h"

using unitstest::SoundBoard;

TEST(SoundCuesTest, EngineSoundStartsOnceAndFadesOnStop) {
  SoundBoard sounds;
  ASSERT_TRUE(sounds.Ready());
  CSoundCues cues;
  cues.StartEngines();
  const int channel = cues.GetEngineChannel();
  ASSERT_GE(channel, 0);
  EXPECT_TRUE(cues.AreEnginesPlaying());
  cues.StartEngines();
  EXPECT_EQ(cues.GetEngineChannel(), channel);
  EXPECT_EQ(sounds.Playing(kSoundEngine), 1);

  cues.StopEngines();
  EXPECT_FALSE(cues.AreEnginesPlaying());
  EXPECT_EQ(Mix_FadingChannel(channel), MIX_FADING_OUT);
  cues.StopEngines();  // not playing: nothing more happens
  EXPECT_FALSE(cues.AreEnginesPlaying());
}

TEST(SoundCuesTest, StoppingAnEngineSoundThatNeverPlayedFadesNoOtherSound) {
  SoundBoard sounds(kSoundEngine);  // the table ends before the engine sound
  ASSERT_TRUE(sounds.Ready());
  PlaySound(kSoundGreenShot);
  ASSERT_EQ(sounds.Playing(kSoundGreenShot), 1);
  CSoundCues cues;
  cues.StartEngines();
  EXPECT_TRUE(cues.AreEnginesPlaying());
  EXPECT_EQ(cues.GetEngineChannel(), -1);
  cues.StopEngines();
  EXPECT_FALSE(cues.AreEnginesPlaying());
  for (int channel = 0; channel < Mix_AllocateChannels(-1); ++channel) {
    EXPECT_EQ(Mix_FadingChannel(channel), MIX_NO_FADING) << channel;
  }
}

TEST(SoundCuesTest, EventsPlayTheirTeamsShotsEveryFatalHitAndTheVictory) {
  SoundBoard sounds;
  ASSERT_TRUE(sounds.Ready());
  const auto event = [](MatchEvent::Kind kind, std::int32_t team, bool destroyed) {
    MatchEvent made;
    made.m_kind = kind;
    made.m_team = team;
    made.m_destroyed = destroyed;
    return made;
  };
  using Kind = MatchEvent::Kind;
  CSoundCues cues;
  cues.Absorb({event(Kind::Shot, 0, false), event(Kind::Hit, 1, false), event(Kind::Shot, 1, false),
               event(Kind::Hit, 0, true), event(Kind::Hit, 0, true)});
  EXPECT_EQ(sounds.Playing(kSoundGreenShot), 1);
  EXPECT_EQ(sounds.Playing(kSoundBlueShot), 1);
  // A second hit on a tank already without hit points plays it again.
  EXPECT_EQ(sounds.Playing(kSoundTankDestroyed), 2);
  EXPECT_FALSE(cues.AreEnginesPlaying());
  cues.Absorb({event(Kind::Moved, 0, false), event(Kind::Moved, 1, false)});
  EXPECT_EQ(sounds.Playing(kSoundEngine), 1);
  cues.Absorb({event(Kind::TurnEnded, 0, false), event(Kind::Won, 0, false)});
  EXPECT_FALSE(cues.AreEnginesPlaying());
  EXPECT_EQ(sounds.Playing(kSoundVictory), 1);
}
