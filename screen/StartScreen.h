#pragma once

#include <cstdint>

#include "ai/Difficulty.h"

class CMap;

// Everything the start screen shows; the texts belong to whoever fills it in.
struct StartScreenView {
  std::uint32_t m_teamSize[2] = {3, 3};        // Green's and Blue's tanks
  Difficulty m_level = Difficulty::Normal;     // the computer's level
  const char* m_battlefieldName = "";          // the chosen battlefield's name
  const CMap* m_battlefield = nullptr;         // its cells for the picture, or null
  bool m_canContinue = false;                  // a saved game waits: "Continue"
  const char* m_message = "";                  // a refused record, or why games cannot be saved
  const char* m_mapProblem = "";               // why the chosen battlefield would not be played
};

// Draws the start screen: the title, the choices with their "< >" marks,
// "Start", "Continue" when a game waits, the battlefield's name and picture
// and the lines about records and the battlefield.
void DrawStartScreen(const StartScreenView& view);
