// Fuzz target: the sound list reader, loading every listed file through a
// real mixer. The mixer is opened once per process with SDL's dummy audio
// driver (opening it for every input would slow the runs a hundredfold); each
// input is one list file, read into a fresh table that is then played and
// freed. The target works in a folder of its own holding sound files good and
// bad, with the game's Data folder linked in, so lists can name them.

#include <unistd.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "audio/SoundTable.h"
#include "fuzz/FuzzSupport.h"
#include "tests/support/SilentWav.h"

namespace {

std::string g_workDir;  // the target's own folder, removed at exit

void WriteFile(const std::string& name, const std::string& bytes) {
  std::ofstream(name, std::ios::binary) << bytes;
}

void RemoveWorkDir() {
  std::error_code ignored;
  std::filesystem::remove_all(g_workDir, ignored);
}

// The folder the lists are read in: a good sound, a cut one, one of random
// bytes, an empty one, a broken FLAC one, and the game's own sounds under Data/.
void MakeWorkDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "korvane-fuzz-sounds-XXXXXX").string();
  FUZZ_CHECK(mkdtemp(pattern.data()) != nullptr);
  g_workDir = pattern;
  std::atexit(RemoveWorkDir);
  FUZZ_CHECK(chdir(g_workDir.c_str()) == 0);
  const std::string silent = SilentWav(2000);
  WriteFile("silent.wav", silent);
  WriteFile("cut.wav", silent.substr(0, 30));
  std::string noise;
  std::uint32_t state = 12345;
  for (int i = 0; i < 3000; ++i) {
    state = state * 1103515245u + 12345u;
    noise.push_back(static_cast<char>(state >> 24));
  }
  WriteFile("noise.wav", noise);
  WriteFile("empty.wav", "");
  // A file that starts like FLAC and breaks off: SDL_mixer keeps part of its
  // decoder then, which the leak suppressions must cover.
  WriteFile("broken.flac", "fLaC" + noise.substr(0, 600));
  std::error_code ignored;
  std::filesystem::create_directory_symlink(std::string(KORVANE_SOURCE_DIR) + "/Data", "Data", ignored);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  FUZZ_CHECK(SDL_Init(SDL_INIT_AUDIO) == 0);
  FUZZ_CHECK(Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 1024) == 0);
  Mix_AllocateChannels(64);
  MakeWorkDir();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static kvfuzz::ScratchFile scratch("sounds.dat");
  SoundTable table;
  LoadSounds(table, scratch.Write(data, size).c_str());

  // Every line takes an id, whatever it names.
  const std::vector<std::string> lines = kvfuzz::SplitPieces(data, size, 1024);
  FUZZ_CHECK(table.size() == lines.size());
  for (std::size_t id = 0; id < table.size(); ++id) {
    CSound* sound = GetSound(table, static_cast<int>(id));
    FUZZ_CHECK(sound != nullptr);
    const int channel = sound->Play(false);
    FUZZ_CHECK(channel >= -1 && channel < 64);
    if (lines[id].empty()) FUZZ_CHECK(channel == -1);  // nothing was loaded for it
  }
  FUZZ_CHECK(GetSound(table, -1) == nullptr);
  FUZZ_CHECK(GetSound(table, static_cast<int>(table.size())) == nullptr);

  // Freeing a chunk stops the channels that play it, as at the game's shutdown.
  ClearSounds(table);
  FUZZ_CHECK(table.empty());
  return 0;
}
