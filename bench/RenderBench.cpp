// The cost of a battle frame: Render for ten tanks against ten with shots in
// the air, beside a frame that only clears and swaps, in the game's own
// window. Run under tests/with-xvfb.sh; without a display both are skipped.
#include <benchmark/benchmark.h>

#include <SDL.h>

#include "engine/CGameEngine.h"
#include "gfx/OpenGL.h"
#include "units/CTank.h"
#include "world/CGameWorld.h"

namespace {

// Opens the game's window once, the way the engine does at start-up, without
// the icon; false when it cannot be opened.
bool OpenWindow() {
  static const bool open = [] {
    CEngineSettings settings = MakeEngineSettings(0, nullptr);
    settings.m_IconFile.clear();
    return CGameEngine::GetEngine()->Init(settings);
  }();
  return open;
}

// The engine's world in play on the shipped battlefield: ten tanks a side,
// the first Green tank selected with a plotted path, and every tank's shot
// flying the length of its column.
CGameWorld& Battle() {
  static CGameWorld& world = [] () -> CGameWorld& {
    CGameWorld& w = CGameEngine::GetEngine()->GetWorld();
    w.SetTeamSize(0, 10);
    w.SetTeamSize(1, 10);
    w.OnKey(SDLK_RETURN, true);
    w.OnKey(SDLK_1, true);
    w.OnMouseButton(1, true, 50 + 32 * 12, 718 - 32 * 10);  // a path to the middle of the field
    for (const auto& tank : w.GetTanks()) {
      const float x = 32.0f * static_cast<float>(tank->GetX());
      const float y = 32.0f * static_cast<float>(tank->GetY());
      w.SpawnShotEffects(x, y, x, tank->GetTeam() == 0 ? y + 320.0f : y - 320.0f);
    }
    return w;
  }();
  return world;
}

void BM_RenderBattleFrame(benchmark::State& state) {
  if (!OpenWindow()) {
    state.SkipWithError("no window: run under tests/with-xvfb.sh");
    return;
  }
  CGameWorld& world = Battle();
  for (auto _ : state) {
    world.Render();
    SDL_GL_SwapBuffers();
  }
  state.counters["effects"] = static_cast<double>(world.GetEffects().size());
  state.counters["tanks"] = static_cast<double>(world.GetTanks().size());
}
// Wall time: llvmpipe and the X server draw on threads and processes of their own.
BENCHMARK(BM_RenderBattleFrame)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_ClearAndSwapFrame(benchmark::State& state) {
  if (!OpenWindow()) {
    state.SkipWithError("no window: run under tests/with-xvfb.sh");
    return;
  }
  for (auto _ : state) {
    glClearColor(0.2f, 0.2f, 0.2f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glFlush();
    SDL_GL_SwapBuffers();
  }
}
BENCHMARK(BM_ClearAndSwapFrame)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
