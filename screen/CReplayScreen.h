#pragma once

#include <cstdint>
#include <string>

#include "record/CGameRecord.h"
#include "record/CReplay.h"
#include "record/CTickListener.h"
#include "screen/CBattleScreen.h"
#include "screen/Motion.h"

// A whole game watched again (CReplay), on a battle screen of its own: seen
// through either team's fog or none, with the computer's threat lens, a line
// saying where it stands and how it plays, and the replay's keys.
class CReplayScreen final : private CTickListener {
 public:
  explicit CReplayScreen(CGameRecord record);

  // The record checked (CReplay::Check); false with `error` when it does not
  // play in this game.
  bool Check(std::string& error);
  // Hands the replay the time while it plays.
  void Update(std::uint32_t elapsedMs);
  // A key pressed; false when it leaves the replay.
  bool OnKey(int sym);
  // Moving while it plays, else still.
  Motion GetMotion() const { return m_replay.IsPlaying() ? Motion::Moving : Motion::Still; }
  // The time the replay's game has not used yet.
  std::uint32_t GetAccumulator() const { return m_replay.GetAccumulator(); }
  // The battlefield, the line over it and the keys under it.
  void Draw() const;

  const CReplay& GetReplay() const { return m_replay; }
  CReplay& GetReplay() { return m_replay; }
  const CBattleScreen& GetScreen() const { return m_screen; }
  CBattleScreen& GetScreen() { return m_screen; }

 private:
  void GameTicked(CGameWorld& match) override;
  bool IsStill() const override { return m_screen.Effects().Empty(); }
  // After the replay was set up anew, nothing of before shows.
  void FollowSeeks();

  CReplay m_replay;            // the game watched
  CBattleScreen m_screen;      // how it is shown
  std::uint32_t m_seeks = 0;   // the replay's seeks this screen has followed
};
