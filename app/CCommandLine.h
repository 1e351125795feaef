#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ai/Difficulty.h"

// What the player asked for on the command line. An option that takes a
// value is added as one field here and one row in the option table of
// CCommandLine.cpp, which both the parser and `--help` read.
struct CCommandLine {
  enum EWindow { mc_windowRemembered, mc_windowFullscreen, mc_windowed };

  bool m_Help = false;                   // --help: print the usage and stop
  bool m_Version = false;                // --version: print the version and stop
  EWindow m_Window = mc_windowRemembered;  // --fullscreen or --windowed, else as last time
  std::optional<Difficulty> m_Difficulty;  // --difficulty for this run, else as remembered
  std::string m_MapFile;                 // --map: a battlefield file for this run (absolute), or empty
  std::string m_Replay;                  // --replay: the game record to watch at once, absolute; empty: none
  std::vector<std::string> m_Problems;   // a line to print for each argument not understood
};

// Reads the arguments after the program's name. An argument that is not an
// option, an unknown option or an option without its value gives a problem
// line naming it, which adds that the game starts anyway unless --help or
// --version stops it; the rest of the line is still read. A value that is a file
// name is made absolute, since the game changes its working directory to its
// data folder.
CCommandLine ParseCommandLine(int argc, const char* const* argv);

// The text of --help: usage, options, keys, and where the game's files are.
std::string HelpText();
// The text of --version.
std::string VersionText();
