#pragma once

#include <cstdint>
#include <vector>

#include "world/MatchEvent.h"

// The sounds of a battlefield shown, from the match's events: a team's shot
// for every shell, the destruction for every hit that leaves a tank without
// hit points, the victory when a turn end finds a winner, and the engines'
// loop from a tank's first move until its turn ends or the game stops.
class CSoundCues {
 public:
  CSoundCues() = default;
  // The engines fall silent with the battlefield they belong to.
  ~CSoundCues() { StopEngines(); }
  CSoundCues(const CSoundCues&) = delete;
  CSoundCues& operator=(const CSoundCues&) = delete;

  // Plays what the events call for, oldest first.
  void Absorb(const std::vector<MatchEvent>& events);
  // Starts the looping engine sound unless it plays already.
  void StartEngines();
  // Fades the engine sound out, if it plays.
  void StopEngines();
  bool AreEnginesPlaying() const { return m_enginesPlaying; }
  // The mixer channel the engines play on; -1 while none.
  std::int32_t GetEngineChannel() const { return m_engineChannel; }

 private:
  bool m_enginesPlaying = false;     // the looping engine sound plays
  std::int32_t m_engineChannel = -1; // the mixer channel it plays on
};
