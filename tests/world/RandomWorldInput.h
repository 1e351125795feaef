#pragma once

#include <cstdint>
#include <random>
#include <string>

class CGameSession;

namespace worldtest {

// Feeds a session a random stream of what the engine can hand it: key presses
// and releases (the game's keys more often than others), clicks of every
// button on map cells, on the start screen's controls and anywhere, and frame
// times from 0 to very long. Now and then a tank is worn down to a few hit
// points, so that random fire destroys tanks often.
class RandomWorldInput {
 public:
  // Shares of the events in percent; what is left are frame updates.
  struct Mix {
    int keys;
    int clicks;
    int wear;
  };
  // Mostly input: a session pressed hard through all its states.
  static constexpr Mix mc_inputHeavy{30, 12, 3};
  // Mostly frames: turns come and go quickly, with input in between.
  static constexpr Mix mc_playHeavy{14, 5, 3};

  RandomWorldInput(std::uint32_t seed, Mix mix) : m_random(seed), m_mix(mix) {}

  // Sends one event and says what it was; an update's text begins "update".
  std::string SendOne(CGameSession& session);
  // A number from 0 to n - 1 from the stream's own generator.
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

 private:
  int GameKey();
  void ClickPoint(int& x, int& y);
  std::uint32_t FrameTime();

  std::mt19937 m_random;  // the stream's own generator, apart from the game's table
  Mix m_mix;              // how often each kind of event comes
};

}  // namespace worldtest
