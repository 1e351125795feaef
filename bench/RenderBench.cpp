// The cost of a battle frame: Render for ten tanks against ten with shots in
// the air, then the swap, in the game's own window. Each iteration also draws
// a frame that only clears and swaps, and one of the battlefield's tiles
// alone, so that all three are measured side by side under the same load.
// Run under tests/with-xvfb.sh; without a display it is skipped.
#include <benchmark/benchmark.h>

#include <SDL.h>

#include <chrono>
#include <cstddef>

#include "engine/CGameEngine.h"
#include "gfx/OpenGL.h"
#include "support/AllocationCount.h"
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

// One frame as the main loop ends it, drawing then swapping; its wall time in
// milliseconds (llvmpipe and the X server work on threads and processes of
// their own).
template <typename Draw>
double FrameMs(Draw&& draw) {
  const auto start = std::chrono::steady_clock::now();
  draw();
  SDL_GL_SwapBuffers();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void ClearOnly() {
  glClearColor(0.2f, 0.2f, 0.2f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glFlush();
}

// The battle screen's set-up and its tiles, nothing more: what any frame of
// the battle costs at least.
void TilesOnly(const CGameWorld& world) {
  ClearOnly();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glEnable(GL_TEXTURE_2D);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_BLEND);
  glTranslatef(50.0f, 50.0f, 0.0f);
  world.GetMap().Draw();
  glFlush();
}

void BM_RenderBattleFrame(benchmark::State& state) {
  if (!OpenWindow()) {
    state.SkipWithError("no window: run under tests/with-xvfb.sh");
    return;
  }
  CGameWorld& world = Battle();
  FrameMs([&] { world.Render(); });  // the first frame may fetch what it keeps
  double battleMs = 0.0;
  double clearMs = 0.0;
  double tilesMs = 0.0;
  std::size_t allocations = 0;
  for (auto _ : state) {
    clearMs += FrameMs(ClearOnly);
    tilesMs += FrameMs([&] { TilesOnly(world); });
    const std::size_t before = AllocationCount();
    const double frameMs = FrameMs([&] { world.Render(); });
    allocations += AllocationCount() - before;
    battleMs += frameMs;
    state.SetIterationTime(frameMs / 1000.0);
  }
  using benchmark::Counter;
  state.counters["clear_swap_ms"] = Counter(clearMs, Counter::kAvgIterations);
  state.counters["tiles_only_ms"] = Counter(tilesMs, Counter::kAvgIterations);
  state.counters["ratio_to_clear_swap"] = clearMs > 0.0 ? battleMs / clearMs : 0.0;
  state.counters["allocs_per_frame"] = Counter(static_cast<double>(allocations), Counter::kAvgIterations);
  state.counters["effects"] = static_cast<double>(world.GetEffects().size());
  state.counters["tanks"] = static_cast<double>(world.GetTanks().size());
  if (const GLubyte* renderer = glGetString(GL_RENDERER)) state.SetLabel(reinterpret_cast<const char*>(renderer));
}
BENCHMARK(BM_RenderBattleFrame)->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace
