#include <benchmark/benchmark.h>

#include <SDL.h>

#include <cstdlib>

#include "gfx/CFontManager.h"
#include "gfx/CTextureFont.h"

namespace {

// The glyph atlas is built at start-up: this times one whole font load,
// rasterising, packing and uploading, in an OpenGL window of its own (run it
// under Xvfb when there is no display).
bool OpenWindow() {
  static const bool open = [] {
    if (SDL_Init(SDL_INIT_VIDEO) < 0) return false;
    std::atexit(SDL_Quit);
    return SDL_SetVideoMode(64, 64, 32, SDL_OPENGL) != nullptr;
  }();
  return open;
}

void LoadFontAtlas(benchmark::State& state, const char* path) {
  if (!OpenWindow()) {
    state.SkipWithError("no OpenGL window");
    return;
  }
  CFontManager manager;
  manager.Init();
  for (auto _ : state) {
    CTextureFont font(path, 24.0f, manager);
    if (!font.IsValid()) {
      state.SkipWithError("the font did not load");
      break;
    }
    benchmark::DoNotOptimize(font.GetTexture());
    state.counters["atlas_side"] = font.GetAtlasSize();
  }
}

void BM_LoadDejaVuSans(benchmark::State& state) {
  LoadFontAtlas(state, "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
}
BENCHMARK(BM_LoadDejaVuSans)->Unit(benchmark::kMillisecond);

// A Latin-1 subset, the size of the game's own font, when one is given.
void BM_LoadLatin1Font(benchmark::State& state) {
  const char* path = std::getenv("KORVANE_BENCH_FONT");
  LoadFontAtlas(state, path ? path : "Data/ACKNOWTT.TTF");
}
BENCHMARK(BM_LoadLatin1Font)->Unit(benchmark::kMillisecond);

}  // namespace
