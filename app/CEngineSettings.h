#pragma once

#include <string>

#include "ai/Difficulty.h"

class CSettings;
struct CCommandLine;

// How the window is set up: built by main from the command line and the
// remembered choices, copied by the engine's Init.
struct CEngineSettings {
  int m_Width = 1024;                // window width, pixels
  int m_Height = 768;                // window height, pixels
  int m_Bpp = 32;                    // bits per pixel
  bool m_Fullscreen = false;         // fullscreen rather than a window
  std::string m_IconFile;            // window icon bitmap, relative to the working directory
  std::string m_Caption;             // window title
  Difficulty m_Difficulty = Difficulty::Normal;  // how the computer plays: --difficulty, else as remembered
  std::string m_MapFile;             // --map: a battlefield file of the player's own for this run, or empty
  std::string m_ReplayFile;          // a game record to watch instead of the start screen; empty: none
  // The start screen shows first, with only what it needs: the sound, the
  // sprites, the small font, the battlefield's picture and the saved game's
  // check come after its first frame. Otherwise everything loads in Init.
  bool m_StartScreenFirst = false;
};

// The settings main starts the game with: 1024 x 768 x 32 with the game's icon
// and caption, fullscreen or windowed as the command line asks, which is then
// remembered, else as remembered; the computer's level from --difficulty for
// this run, else as remembered; the battlefield file from --map for this run;
// the start screen first unless a replay is to be watched.
CEngineSettings MakeEngineSettings(const CCommandLine& line, CSettings& remembered);
// The same for the arguments alone, with nothing remembered and everything
// loaded in Init (tests, benchmarks).
CEngineSettings MakeEngineSettings(int argc, const char* const* argv);
