#include <gtest/gtest.h>

#include "app/CGameEngine.h"

namespace {

// Opens the game's own OpenGL window once for all tests of this program, the
// way the engine opens it, and loads the shared resources from the game's
// data folder. The icon is left out so that the tests do not depend on it.
class GLEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    CEngineSettings settings = MakeEngineSettings(0, nullptr);
    settings.m_IconFile.clear();
    ASSERT_TRUE(CGameEngine::GetEngine()->Init(settings)) << CGameEngine::GetEngine()->GetInitError();
  }
  void TearDown() override { CGameEngine::GetEngine()->Shutdown(); }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new GLEnvironment);

}  // namespace
