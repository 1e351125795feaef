#include "app/CEngineSettings.h"

#include "app/CCommandLine.h"
#include "app/CSettings.h"
#include "core/DataFiles.h"
#include "app/SettingKeys.h"

CEngineSettings MakeEngineSettings(const CCommandLine& line, CSettings& remembered) {
  CEngineSettings settings;
  settings.m_IconFile = kv::kIconFile;
  settings.m_Caption = "Korvane";
  if (line.m_Window != CCommandLine::mc_windowRemembered) {
    remembered.Set(kv::kFullscreen, line.m_Window == CCommandLine::mc_windowFullscreen);
  }
  settings.m_Fullscreen = remembered.Get(kv::kFullscreen);
  // The level asked for on the command line holds for this run only.
  settings.m_Difficulty = line.m_Difficulty.value_or(static_cast<Difficulty>(remembered.Get(kv::kComputer)));
  settings.m_MapFile = line.m_MapFile;
  settings.m_ReplayFile = line.m_Replay;
  settings.m_StartScreenFirst = line.m_Replay.empty();
  return settings;
}

CEngineSettings MakeEngineSettings(int argc, const char* const* argv) {
  CSettings inMemory;
  CEngineSettings settings = MakeEngineSettings(ParseCommandLine(argc, argv), inMemory);
  // Tests and benchmarks draw at once whatever they draw.
  settings.m_StartScreenFirst = false;
  return settings;
}
