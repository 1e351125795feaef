#include "app/CCommandLine.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "core/BuildInfo.h"
#include "core/DataFolder.h"
#include "core/UserFolders.h"
#include "screen/KeyTable.h"

namespace {

// One option: its name, the value it takes (null for none), whether that
// value names a file, one line for --help (null: an old spelling not listed),
// and what it sets. Apply returns false when the value is not one it takes.
struct OptionRow {
  const char* m_Name;
  const char* m_Value;
  bool m_IsFile;
  const char* m_Help;
  bool (*m_Apply)(CCommandLine& line, const std::string& value);
};

constexpr OptionRow kOptions[] = {
    {"--help", nullptr, false, "show this help and stop",
     [](CCommandLine& line, const std::string&) { line.m_Help = true; return true; }},
    {"--version", nullptr, false, "show the version and stop",
     [](CCommandLine& line, const std::string&) { line.m_Version = true; return true; }},
    {"--fullscreen", nullptr, false, "play fullscreen (also -fullscreen); remembered",
     [](CCommandLine& line, const std::string&) { line.m_Window = CCommandLine::mc_windowFullscreen; return true; }},
    {"-fullscreen", nullptr, false, nullptr,
     [](CCommandLine& line, const std::string&) { line.m_Window = CCommandLine::mc_windowFullscreen; return true; }},
    {"--windowed", nullptr, false, "play in a window; remembered",
     [](CCommandLine& line, const std::string&) { line.m_Window = CCommandLine::mc_windowed; return true; }},
    {"--difficulty", "normal|hard", false, "the computer's level for this run; else as last chosen",
     [](CCommandLine& line, const std::string& value) {
       Difficulty level = Difficulty::Normal;
       if (!ParseDifficulty(value.c_str(), level)) return false;
       line.m_Difficulty = level;
       return true;
     }},
    {"--map", "FILE", true, "play the battlefield in FILE for this run; else as last chosen",
     [](CCommandLine& line, const std::string& value) { line.m_MapFile = value; return true; }},
    {"--replay", "FILE", true, "watch the game in a record (.kvrec) from its first turn",
     [](CCommandLine& line, const std::string& value) { line.m_Replay = value; return !value.empty(); }},
};

const char kSeeHelp[] = " (korvane --help lists the options)";

const OptionRow* FindOption(const std::string& name) {
  for (const OptionRow& row : kOptions) {
    if (name == row.m_Name) return &row;
  }
  return nullptr;
}

std::string Absolute(const std::string& file) {
  std::error_code error;
  const std::filesystem::path path = std::filesystem::absolute(file, error);
  return error ? file : path.string();
}

std::string Padded(std::string text, std::size_t width) {
  text.resize(std::max(text.size() + 1, width), ' ');
  return text;
}

// A line for every listed row of a key table.
std::string KeyLines(const KeyTable& keys) {
  std::string text;
  for (std::size_t i = 0; i < keys.m_count; ++i) {
    const KeyRow& row = keys.m_rows[i];
    if (row.m_keys) text += "  " + Padded(row.m_keys, 20) + row.m_meaning + "\n";
  }
  return text;
}

}  // namespace

CCommandLine ParseCommandLine(int argc, const char* const* argv) {
  CCommandLine line;
  // The program's own name has always counted for -fullscreen.
  if (argc > 0 && argv[0] && std::strcmp(argv[0], "-fullscreen") == 0) {
    line.m_Window = CCommandLine::mc_windowFullscreen;
  }
  for (int i = 1; i < argc; ++i) {
    if (!argv[i]) continue;
    const std::string argument = argv[i];
    // --name=value reads as --name value.
    const std::size_t equals = argument.rfind("--", 0) == 0 ? argument.find('=') : std::string::npos;
    const std::string name = argument.substr(0, equals);
    const OptionRow* option = FindOption(name);
    if (!option || (equals != std::string::npos && !option->m_Value)) {
      line.m_Problems.push_back("korvane: unknown option \"" + argument + "\"" + kSeeHelp);
      continue;
    }
    std::string value;
    if (option->m_Value) {
      if (equals != std::string::npos) {
        value = argument.substr(equals + 1);
      } else if (i + 1 < argc && argv[i + 1]) {
        value = argv[++i];
      } else {
        line.m_Problems.push_back("korvane: " + name + " needs " + option->m_Value + kSeeHelp);
        continue;
      }
      if (option->m_IsFile) value = Absolute(value);
    }
    if (!option->m_Apply(line, value)) {
      line.m_Problems.push_back("korvane: " + name + " cannot be \"" + value + "\"" + kSeeHelp);
    }
  }
  if (!line.m_Help && !line.m_Version) {
    for (std::string& problem : line.m_Problems) problem += "; starting anyway";
  }
  return line;
}

std::string HelpText() {
  std::string text =
      "Usage: korvane [OPTION]...\n"
      "Korvane, a turn-based tank-tactics game: lead Green's tanks against the computer's Blue.\n"
      "\nOptions:\n";
  for (const OptionRow& row : kOptions) {
    if (!row.m_Help) continue;
    const std::string name = row.m_Value ? std::string(row.m_Name) + " " + row.m_Value : row.m_Name;
    text += "  " + Padded(name, 26) + row.m_Help + "\n";
  }
  text +=
      "\nKeys:\n"
      "  On the start screen click \"<\" and \">\" to set the team sizes, the computer's\n"
      "  level (or press D), the battlefield (or press [ and ]) and the pace of turns\n"
      "  (or press P; all remembered), then \"Start\" or Return to play; F1 shows the\n"
      "  keys, Escape quits.\n";
  text += "  Playing:\n" + KeyLines(kPlayKeys);
  text += "  Watching a game (V when it is over, or --replay):\n" + KeyLines(kReplayKeys);

  text += "\nFiles:\n  data (the first folder holding KVIcon.bmp and Data/):\n";
  for (const std::string& folder : DataFolderCandidates()) text += "    " + folder + "\n";
  const std::string config = UserConfigFolder();
  const std::string data = UserDataFolder();
  text += "  settings: " + (config.empty() ? std::string("none (neither XDG_CONFIG_HOME nor HOME is set)")
                                           : config + "/settings") + "\n";
  text += "  saved games and records: " + (data.empty() ? std::string("none (neither XDG_DATA_HOME nor HOME is set)")
                                                         : data + "/") + "\n";
  return text;
}

std::string VersionText() { return std::string("korvane ") + kv::kVersion + "\n"; }
