#include "engine/CEngineSettings.h"

#include <cstring>

#include "engine/DataFiles.h"

CEngineSettings MakeEngineSettings(int argc, const char* const* argv) {
  CEngineSettings settings;
  settings.m_IconFile = kv::kIconFile;
  settings.m_Caption = "Korvane";
  for (int i = 0; i < argc; ++i) {
    if (argv[i] && std::strcmp(argv[i], "-fullscreen") == 0) settings.m_Fullscreen = true;
    if (argv[i] && std::strcmp(argv[i], "--difficulty") == 0 && i + 1 < argc) {
      ParseDifficulty(argv[i + 1], settings.m_Difficulty);
    }
  }
  return settings;
}
