#include <cstdio>

#include <SDL.h>

#include "engine/CEngineSettings.h"
#include "engine/CGameEngine.h"

int main(int argc, char* argv[]) {
  const CEngineSettings settings = MakeEngineSettings(argc, argv);
  CGameEngine* engine = CGameEngine::GetEngine();
  const bool started = engine->Init(settings);
  if (started) engine->Run();
  else std::fprintf(stderr, "Korvane could not start: %s\n", engine->GetInitError().c_str());
  engine->Shutdown();
  return started ? 0 : 1;
}
