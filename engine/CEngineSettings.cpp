#include "engine/CEngineSettings.h"

#include "engine/CCommandLine.h"
#include "engine/CSettings.h"
#include "engine/DataFiles.h"
#include "engine/SettingKeys.h"

CEngineSettings MakeEngineSettings(const CCommandLine& line, CSettings& remembered) {
  CEngineSettings settings;
  settings.m_IconFile = kv::kIconFile;
  settings.m_Caption = "Korvane";
  if (line.m_Window != CCommandLine::mc_windowRemembered) {
    remembered.Set(kv::kFullscreen, line.m_Window == CCommandLine::mc_windowFullscreen);
  }
  settings.m_Fullscreen = remembered.Get(kv::kFullscreen);
  return settings;
}

CEngineSettings MakeEngineSettings(int argc, const char* const* argv) {
  CSettings inMemory;
  return MakeEngineSettings(ParseCommandLine(argc, argv), inMemory);
}
