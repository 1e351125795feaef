#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>

#include "app/CGameEngine.h"
#include "screen/StartScreenControls.h"

// The engine hands window events to its session or keeps them for itself; no
// window is needed to see where each one goes.
class CGameEngineEventsTest : public ::testing::Test {
 protected:
  void Send(const SDL_Event& event) { m_engine.HandleEvent(event); }

  static SDL_Event Key(Uint8 type, SDLKey sym) {
    SDL_Event event{};
    event.type = type;
    event.key.keysym.sym = sym;
    return event;
  }
  static SDL_Event Button(Uint8 type, Uint8 button, Uint16 x, Uint16 y) {
    SDL_Event event{};
    event.type = type;
    event.button.button = button;
    event.button.x = x;
    event.button.y = y;
    return event;
  }
  static SDL_Event Focus(Uint8 state, bool gain) {
    SDL_Event event{};
    event.type = SDL_ACTIVEEVENT;
    event.active.state = state;
    event.active.gain = gain ? 1 : 0;
    return event;
  }

  CGameEngine m_engine;
  CGameSession& m_session = m_engine.GetSession();
};

TEST_F(CGameEngineEventsTest, KeyPressesReachTheSessionAndReleasesDoNothing) {
  Send(Key(SDL_KEYUP, SDLK_RETURN));
  EXPECT_EQ(m_session.GetMode(), 0u);
  Send(Key(SDL_KEYDOWN, SDLK_RETURN));
  EXPECT_EQ(m_session.GetMode(), 1u);  // Return on the start screen starts a game
}

TEST_F(CGameEngineEventsTest, MouseButtonsReachTheSessionWithTheirWindowPoint) {
  const ClickBox start = StartScreenControls::mc_start;
  const Uint16 x = static_cast<Uint16>((start.left + start.right) / 2);
  const Uint16 y = static_cast<Uint16>(768 - (start.bottom + start.top) / 2);
  Send(Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, x, y));
  EXPECT_EQ(m_session.GetMode(), 0u);
  Send(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, x, static_cast<Uint16>(768 - 200)));  // below "Start"
  EXPECT_EQ(m_session.GetMode(), 0u);
  Send(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, x, y));
  EXPECT_EQ(m_session.GetMode(), 1u);
}

TEST_F(CGameEngineEventsTest, OnlyTheApplicationFocusSwitchesFramesOnAndOff) {
  ASSERT_FALSE(m_engine.IsActive());
  Send(Focus(SDL_APPACTIVE, true));
  EXPECT_TRUE(m_engine.IsActive());
  Send(Focus(SDL_APPINPUTFOCUS | SDL_APPMOUSEFOCUS, false));  // keyboard or mouse focus alone
  EXPECT_TRUE(m_engine.IsActive());
  Send(Focus(SDL_APPACTIVE | SDL_APPINPUTFOCUS, false));
  EXPECT_FALSE(m_engine.IsActive());
}

using CGameEngineDeathTest = ::testing::Test;

TEST_F(CGameEngineDeathTest, RunWithoutStartedSdlStopsTheProgram) {
  CGameEngine engine;
  EXPECT_DEATH(engine.Run(), "Assertion failed: m_SDLInitialized, file CGameEngine.cpp");
}

TEST_F(CGameEngineDeathTest, OpeningTheMixerTwiceStopsTheProgram) {
  EXPECT_DEATH(
      {
        CGameEngine engine;
        if (!engine.InitAudio()) std::abort();  // no mixer: the second call is never reached
        engine.InitAudio();
      },
      "Assertion failed: !m_SDLMixerInitialized, file CGameEngine.cpp");
}
