// The cost of battle frames, Render then the swap, in the game's own window:
// ten tanks against ten while the player plans (no effects), and during a
// step with shots in the air. Each iteration also draws a frame that only
// clears and swaps, one of the battlefield's tiles alone, and the same battle
// frame with its static layers drawn anew and kept (as after a step), so that
// all are measured side by side under the same load. Run under
// tests/with-xvfb.sh; without a display it is skipped. A replay's frame is
// measured the same way.
#include <benchmark/benchmark.h>

#include <SDL.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <vector>

#include "app/CGameEngine.h"
#include "app/CSettings.h"
#include "core/CAsyncFileWriter.h"
#include "gfx/OpenGL.h"
#include "screen/CReplayScreen.h"
#include "screen/MapDraw.h"
#include "screen/ScreenLayout.h"
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

// The engine's session in play on the shipped battlefield: ten tanks a side,
// the first Green tank selected with a plotted path; with shots, every
// tank's shot flying the length of its column.
CGameSession& Battle(bool withShots) {
  static CGameSession& session = []() -> CGameSession& {
    CGameSession& s = CGameEngine::GetEngine()->GetSession();
    s.SetTeamSize(0, 10);
    s.SetTeamSize(1, 10);
    s.OnKey(SDLK_RETURN, true);
    s.OnKey(SDLK_1, true);
    const MapPlacement place = PlaceMap(s.GetMatch().GetMap());
    s.OnMouseButton(
        1, true, static_cast<std::uint16_t>(place.CellX(12)),
        static_cast<std::uint16_t>(ScreenLayout::mc_windowHeight - place.CellY(10)));  // the middle of the field
    return s;
  }();
  const bool hasShots = !session.GetScreen().GetEffects().empty();
  if (withShots && !hasShots) {
    for (const CTank* tank : session.GetMatch().GetTanks()) {
      const float x = 32.0f * static_cast<float>(tank->GetX());
      const float y = 32.0f * static_cast<float>(tank->GetY());
      session.GetScreen().Effects().SpawnShot(x, y, x, tank->GetTeam() == 0 ? y + 320.0f : y - 320.0f);
    }
  }
  // Effects fade only with ticks: enough of them clear the air.
  while (!withShots && !session.GetScreen().GetEffects().empty()) session.Update(CTurnClock::mc_tickMs);
  return session;
}

// The processor time of this process so far, its drawing threads included,
// in milliseconds.
double ProcessCpuMs() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto ms = [](const timeval& t) { return 1e3 * static_cast<double>(t.tv_sec) + 1e-3 * static_cast<double>(t.tv_usec); };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// What one frame cost: wall time and processor time, in milliseconds.
struct FrameCost {
  double wallMs;
  double cpuMs;
};

// One frame as the main loop ends it, drawing then swapping (llvmpipe and
// the X server work on threads and processes of their own). The frame before
// has finished: none pays for another. On a loaded machine the wall time
// also holds the waits for a processor; the processor time does not.
template <typename Draw>
FrameCost Frame(Draw&& draw) {
  glFinish();
  const double cpu = ProcessCpuMs();
  const auto start = std::chrono::steady_clock::now();
  draw();
  SDL_GL_SwapBuffers();
  glFinish();
  const double wall = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  return FrameCost{wall, ProcessCpuMs() - cpu};
}

void ClearOnly() {
  glClearColor(0.2f, 0.2f, 0.2f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glFlush();
}

// The battle screen's set-up and its tiles, nothing more: what any frame of
// the battle costs at least.
void TilesOnly(const CGameSession& session) {
  ClearOnly();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glEnable(GL_TEXTURE_2D);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_BLEND);
  glTranslatef(50.0f, 50.0f, 0.0f);
  DrawMapTiles(session.GetMatch().GetMap());
  glFlush();
}

// The middle value; the figures of a shared machine have outliers (a frame
// that waited for a processor) that a mean would take in.
double Median(std::vector<double>& values) {
  if (values.empty()) return 0.0;
  const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
  std::nth_element(values.begin(), middle, values.end());
  return *middle;
}

// The median wall and processor times of a run of frames.
struct Medians {
  double wallMs;
  double cpuMs;
};

Medians MedianOf(std::vector<FrameCost>& frames) {
  std::vector<double> wall, cpu;
  for (const FrameCost& frame : frames) {
    wall.push_back(frame.wallMs);
    cpu.push_back(frame.cpuMs);
  }
  return Medians{Median(wall), Median(cpu)};
}

// A game of ten against ten watched again, seen whole with the threat lens,
// paused in the first step of its second turn with that step's shots in the air.
CGameSession& Replay() {
  static CGameSession& session = []() -> CGameSession& {
    // A session of its own, kept to the end like the game's.
    CGameSession& s = *new CGameSession(*new CSettings, *new CAsyncFileWriter);
    s.OpenReplay("tests/records/shipped-10v10.kvrec");
    for (const int key : {SDLK_g, SDLK_g, SDLK_t, SDLK_n, SDLK_n, SDLK_n, SDLK_n, SDLK_n, SDLK_n}) s.OnKey(key, true);
    return s;
  }();
  return session;
}

template <typename MakeSession>
void RenderBattleFrame(benchmark::State& state, MakeSession makeSession) {
  if (!OpenWindow()) {
    state.SkipWithError("no window: run under tests/with-xvfb.sh");
    return;
  }
  CGameSession& session = makeSession();
  Frame([&] { session.Render(); });  // the first frame may fetch what it keeps
  constexpr std::size_t kMostFrames = 100000;
  std::vector<FrameCost> battle, clear, tiles, redrawn;
  for (std::vector<FrameCost>* figures : {&battle, &clear, &tiles, &redrawn}) figures->reserve(kMostFrames);
  std::size_t allocations = 0;
  for (auto _ : state) {
    // The layers redrawn first: on llvmpipe the frame right after them costs
    // more (about twice the frames that follow), which the game pays once a
    // step, and the battle frame stands for the frames between steps.
    redrawn.push_back(Frame([&] {
      session.MarkDirty();
      session.Render();
    }));
    clear.push_back(Frame(ClearOnly));
    tiles.push_back(Frame([&] { TilesOnly(session); }));
    const std::size_t before = AllocationCount();
    const FrameCost frame = Frame([&] { session.Render(); });
    allocations += AllocationCount() - before;
    battle.push_back(frame);
    state.SetIterationTime(frame.wallMs / 1000.0);
    if (battle.size() == kMostFrames) break;
  }
  using benchmark::Counter;
  const Medians frame = MedianOf(battle);
  const Medians cleared = MedianOf(clear);
  state.counters["frame_ms"] = frame.wallMs;
  state.counters["clear_swap_ms"] = cleared.wallMs;
  state.counters["tiles_only_ms"] = MedianOf(tiles).wallMs;
  state.counters["layers_redrawn_ms"] = MedianOf(redrawn).wallMs;
  state.counters["ratio_to_clear_swap"] = cleared.wallMs > 0.0 ? frame.wallMs / cleared.wallMs : 0.0;
  state.counters["cpu_ratio_to_clear_swap"] = cleared.cpuMs > 0.0 ? frame.cpuMs / cleared.cpuMs : 0.0;
  state.counters["allocs_per_frame"] = Counter(static_cast<double>(allocations), Counter::kAvgIterations);
  const CBattleScreen& shown = session.GetReplay() ? session.GetReplay()->GetScreen() : session.GetScreen();
  const CGameWorld& match = session.GetReplay() ? session.GetReplay()->GetReplay().GetGame().Match() : session.GetMatch();
  state.counters["effects"] = static_cast<double>(shown.GetEffects().size());
  state.counters["tanks"] = static_cast<double>(match.GetTanks().size());
  if (const GLubyte* renderer = glGetString(GL_RENDERER)) state.SetLabel(reinterpret_cast<const char*>(renderer));
}

// The player plans: nothing but the selected tank's pulse changes.
void BM_RenderPlanningFrame(benchmark::State& state) {
  RenderBattleFrame(state, []() -> CGameSession& { return Battle(false); });
}
BENCHMARK(BM_RenderPlanningFrame)->Unit(benchmark::kMillisecond)->UseManualTime();

// A step: 220 effects in the air.
void BM_RenderBattleFrame(benchmark::State& state) {
  RenderBattleFrame(state, []() -> CGameSession& { return Battle(true); });
}
BENCHMARK(BM_RenderBattleFrame)->Unit(benchmark::kMillisecond)->UseManualTime();

// A frame of a replay: the battle frame's cost, with the replay's lines and lens.
void BM_RenderReplayFrame(benchmark::State& state) {
  if (!Replay().GetReplay()) {
    state.SkipWithError("the record would not open: run from the repository");
    return;
  }
  RenderBattleFrame(state, Replay);
}
BENCHMARK(BM_RenderReplayFrame)->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace
