#include "world/RandomWorldInput.h"

#include <SDL.h>

#include <sstream>

#include "app/CGameSession.h"
#include "units/CTank.h"
#include "screen/StartScreenControls.h"

namespace worldtest {

std::string RandomWorldInput::SendOne(CGameSession& session) {
  std::ostringstream what;
  const int kind = Pick(100);
  if (kind < m_mix.keys) {
    const int sym = GameKey();
    const bool pressed = Pick(4) != 0;
    session.OnKey(sym, pressed);
    what << "key " << sym << (pressed ? " down" : " up");
  } else if (kind < m_mix.keys + m_mix.clicks) {
    const auto button = static_cast<std::uint8_t>(1 + Pick(5));
    const bool pressed = Pick(4) != 0;
    int x = 0;
    int y = 0;
    ClickPoint(x, y);
    session.OnMouseButton(button, pressed, static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y));
    what << "button " << int(button) << (pressed ? " down" : " up") << " at " << x << "," << y;
  } else if (kind < m_mix.keys + m_mix.clicks + m_mix.wear) {
    const CTankOrder tanks = session.GetMatch().GetTanks();
    if (!tanks.empty()) {
      const CTank* tank = tanks[static_cast<std::size_t>(Pick(static_cast<int>(tanks.size())))];
      session.GetMatch().GetTeamTanks(static_cast<std::uint32_t>(tank->GetTeam()))[tank->GetSlot()]->SetHitPoints(1 + Pick(20));
    }
    what << "wear";
  } else {
    const std::uint32_t ms = FrameTime();
    session.Update(ms);
    what << "update " << ms;
  }
  return what.str();
}

int RandomWorldInput::GameKey() {
  // Escape and 'r' are rare, or the game would hardly be played.
  static constexpr int kKeys[] = {SDLK_SPACE, SDLK_SPACE, SDLK_SPACE, SDLK_RETURN, SDLK_F1,  SDLK_UP,
                                  SDLK_UP,    SDLK_DOWN,  SDLK_LEFT,  SDLK_RIGHT,  SDLK_w,   SDLK_f,
                                  SDLK_f,     SDLK_f,     SDLK_BACKSPACE, SDLK_DELETE, SDLK_0, SDLK_1,
                                  SDLK_2,     SDLK_3,     SDLK_4,     SDLK_5,      SDLK_9,   SDLK_d};
  const int roll = Pick(2000);
  if (roll == 0) return SDLK_ESCAPE;
  if (roll == 1) return SDLK_r;
  if (roll < 100) return Pick(600) - 100;  // any symbol, negative ones too
  return kKeys[Pick(static_cast<int>(sizeof kKeys / sizeof kKeys[0]))];
}

void RandomWorldInput::ClickPoint(int& x, int& y) {
  const int where = Pick(10);
  if (where < 6) {  // a map cell, inside the shipped map or a little beyond
    x = 50 + 32 * Pick(28) + Pick(32) - 16;
    y = 718 - 32 * Pick(25) - Pick(32) + 16;
  } else if (where < 9) {  // the start screen's controls
    static constexpr ClickBox kBoxes[] = {StartScreenControls::mc_greenLess, StartScreenControls::mc_greenMore,
                                          StartScreenControls::mc_blueLess, StartScreenControls::mc_blueMore,
                                          StartScreenControls::mc_start, StartScreenControls::mc_levelLess,
                                          StartScreenControls::mc_levelMore};
    const ClickBox& box = kBoxes[Pick(static_cast<int>(sizeof kBoxes / sizeof kBoxes[0]))];
    x = box.left + Pick(box.right - box.left + 1);
    y = 768 - (box.bottom + Pick(box.top - box.bottom + 1));
  } else {
    x = Pick(65536);
    y = Pick(65536);
  }
}

std::uint32_t RandomWorldInput::FrameTime() {
  const int roll = Pick(100);
  if (roll < 90) return static_cast<std::uint32_t>(Pick(41));
  if (roll < 99) return static_cast<std::uint32_t>(Pick(2000));
  return std::uniform_int_distribution<std::uint32_t>()(m_random);
}

}  // namespace worldtest
