#include <gtest/gtest.h>

#include "engine/Assert.h"
#include "engine/CGameEngine.h"

namespace {

int CheckedIndex(int index, int size) {
  KV_ASSERT(index < size);
  return index;
}

}  // namespace

using AssertDeathTest = ::testing::Test;

TEST_F(AssertDeathTest, ReportsTheExpressionAsWrittenWithFileAndLine) {
  EXPECT_DEATH(CheckedIndex(3, 2), "Assertion failed: index < size, file AssertTest.cpp, line [0-9]+");
}

TEST_F(AssertDeathTest, PassingAssertionDoesNothing) { EXPECT_EQ(CheckedIndex(1, 2), 1); }

TEST_F(AssertDeathTest, WorldWithoutEngineStopsTheProgram) {
  EXPECT_DEATH(CGameWorld world(nullptr), "Assertion failed: m_GameEngine, file CGameWorld.cpp");
}

TEST_F(AssertDeathTest, RunWithoutStartedSdlStopsTheProgram) {
  CGameEngine engine;
  EXPECT_DEATH(engine.Run(), "Assertion failed: m_SDLInitialized, file CGameEngine.cpp");
}

TEST_F(AssertDeathTest, OpeningTheMixerTwiceStopsTheProgram) {
  EXPECT_DEATH(
      {
        CGameEngine engine;
        if (!engine.InitAudio()) std::abort();  // no mixer: the second call is never reached
        engine.InitAudio();
      },
      "Assertion failed: !m_SDLMixerInitialized, file CGameEngine.cpp");
}
