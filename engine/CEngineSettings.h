#pragma once

#include <string>

#include "world/Difficulty.h"

// How the window is set up: built by main from the command line, copied by
// the engine's Init.
struct CEngineSettings {
  int m_Width = 1024;                // window width, pixels
  int m_Height = 768;                // window height, pixels
  int m_Bpp = 32;                    // bits per pixel
  bool m_Fullscreen = false;         // "-fullscreen" was given
  std::string m_IconFile;            // window icon bitmap, relative to the working directory
  std::string m_Caption;             // window title
  Difficulty m_Difficulty = Difficulty::Normal;  // how the computer plays: "--difficulty normal|hard"
};

// The settings main starts the game with: 1024 x 768 x 32 with the game's icon
// and caption, fullscreen when any argument (the program name included) is
// exactly "-fullscreen"; the computer's level from "--difficulty normal" or
// "--difficulty hard" (Normal without it; any other word changes nothing).
CEngineSettings MakeEngineSettings(int argc, const char* const* argv);
