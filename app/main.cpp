#include <cstdio>

#include <SDL.h>

#include "app/CCommandLine.h"
#include "app/CEngineSettings.h"
#include "app/CGameEngine.h"
#include "core/DataFolder.h"
#include "core/UserFolders.h"

int main(int argc, char* argv[]) {
  const CCommandLine line = ParseCommandLine(argc, argv);
  // Said before --help and --version stop, so that a mistyped option is never passed over.
  for (const std::string& problem : line.m_Problems) std::fprintf(stderr, "%s\n", problem.c_str());
  if (line.m_Help || line.m_Version) {
    std::fputs(line.m_Help ? HelpText().c_str() : VersionText().c_str(), stdout);
    return 0;
  }
  std::string error;
  if (!EnterDataFolder(&error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }

  CGameEngine* engine = CGameEngine::GetEngine();
  const std::string configFolder = UserConfigFolder();
  engine->GetSettings().Load(configFolder.empty() ? std::string() : configFolder + "/settings");
  const CEngineSettings settings = MakeEngineSettings(line, engine->GetSettings());
  const bool started = engine->Init(settings);
  if (started) engine->Run();
  else std::fprintf(stderr, "Korvane could not start: %s\n", engine->GetInitError().c_str());
  engine->Shutdown();
  return started ? 0 : 1;
}
