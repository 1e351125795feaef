#pragma once

#include <cstdint>

#include "ai/Difficulty.h"
#include "record/TurnPace.h"

class CMap;

// Everything the start screen shows; the texts belong to whoever fills it in.
struct StartScreenView {
  std::uint32_t m_teamSize[2] = {3, 3};        // Green's and Blue's tanks
  Difficulty m_level = Difficulty::Normal;     // the computer's level
  TurnPace m_pace = TurnPace::Normal;          // the live turn's pace
  bool m_soundOff = false;                     // sound is off: "Sound: Off"
  const char* m_battlefieldName = "";          // the chosen battlefield's name
  const CMap* m_battlefield = nullptr;         // its cells for the picture, or null
  bool m_canContinue = false;                  // a saved game waits: "Continue"
  const char* m_continueText = "";             // what Continue brings back, or empty
  const char* m_message = "";                  // a refused record, or why games cannot be saved
  const char* m_mapProblem = "";               // why the chosen battlefield would not be played
};

// Draws the start screen: the title, the choices with their "< >" marks,
// "Start", "Continue" with what it brings back when a game waits, the
// battlefield's name and picture, the pace, whether sound is off and the
// lines about records and the battlefield. Every line stays in its room: a
// name too long for its line is drawn smaller or shortened, never over its
// "<"; the lines about records and the battlefield wrap, a file's path
// shortened in its middle, never over the picture or off the window.
void DrawStartScreen(const StartScreenView& view);
