// The files of the records folder: no record is ever lost to another, the
// history keeps the newest games whatever their names, the disk work runs on
// the writer thread, and a writer that fails costs the records, not the game.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <map>
#include <new>
#include <sstream>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "core/CAsyncFileWriter.h"
#include "app/CSettings.h"
#include "app/SettingKeys.h"
#include "support/TempDir.h"
#include "record/CGameRecord.h"
#include "record/CRecordFolder.h"

namespace {

namespace fs = std::filesystem;

// 2024-10-27T01:00:00Z, the hour European clocks went back that year.
constexpr std::time_t kNow = 1729990800;

// Every file under the folder, by its path from there, with its bytes.
std::map<std::string, std::string> Files(const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    files[fs::relative(entry.path(), folder).string()] = bytes.str();
  }
  return files;
}

// `count` history names of today's kind, an hour apart from the first of the month, oldest first.
std::vector<std::string> Games(int count, const char* month) {
  std::vector<std::string> names;
  char name[64];
  for (int hour = 0; hour < count; ++hour) {
    std::snprintf(name, sizeof name, "history/game-2024%s%02dT%02d0000Z-000.kvrec", month, 1 + hour / 24, hour % 24);
    names.push_back(name);
  }
  return names;
}

std::vector<std::string> Plus(std::vector<std::string> names, const std::vector<std::string>& more) {
  names.insert(names.end(), more.begin(), more.end());
  return names;
}

TEST(RecordFilesTest, NoRecordIsLostTheNewestGamesStayAndNothingWaitsForTheDisk) {
  const std::vector<std::string> olderNames = {"history/game-2024-10-27-020000.kvrec",
                                               "history/game-2024-10-27-020000-2.kvrec",
                                               "history/game-2024-10-27-020000-10.kvrec"};
  const auto finish = [](CRecordFolder& folder, CSettings&) { folder.FinishGame(CGameRecord{}, kNow); };
  // One case a line or two.
  // clang-format off
  const struct {
    const char* what;
    std::vector<std::string> files;                        // in the folder before, each holding its own name
    std::function<void(CRecordFolder&, CSettings&)> hand;  // work handed over while the disk is held
    std::vector<std::string> lost;                         // files whose bytes are gone in the end
    std::size_t added;                                     // files made
  } cases[] = {
      {"an unreadable autosave beside two set aside",
       {"autosave.kvrec", "autosave.kvrec.broken", "autosave.kvrec.broken.2"}, nullptr, {}, 0},
      // Older versions' names are older games: the plain name, then '-2', then '-10'.
      {"older names, today's names of earlier dates", Plus(Games(47, "01"), olderNames), finish, {olderNames[0]}, 1},
      {"the clock set back", Plus(Games(50, "11"), {"autosave.kvrec"}), finish,
       {"autosave.kvrec", Games(1, "11")[0]}, 1},
      {"two games in one second", Games(49, "01"),
       [&](CRecordFolder& folder, CSettings& settings) {
         finish(folder, settings);
         finish(folder, settings);
       },
       {Games(1, "01")[0]}, 2},
      {"a choice on the start screen", {},
       [](CRecordFolder&, CSettings& settings) { settings.Set(kv::kGreenTeamSize, 5); }, {}, 1},
  };
  // clang-format on
  for (const auto& c : cases) {
    TempDir dir;
    for (const std::string& name : c.files) {
      fs::create_directories(fs::path(dir.File(name)).parent_path());
      std::ofstream(dir.File(name)) << name;
    }
    CAsyncFileWriter writer;
    CRecordFolder folder(&writer, dir.Path());
    CSettings settings(nullptr, &writer);
    settings.Load(dir.File("settings"));
    const auto before = Files(dir.Path());

    // The writer is held (for 10 s at most) while the work is handed over.
    std::promise<void> release;
    const std::shared_future<void> released = release.get_future().share();
    writer.Do(dir.File("held"), [released](std::string&) {
      released.wait_for(std::chrono::seconds(10));
      return true;
    });
    if (c.hand) c.hand(folder, settings);
    EXPECT_TRUE(Files(dir.Path()) == before) << c.what << ": the main thread touched the disk";
    const bool autosaveWhileHeld = folder.HasAutosave();
    release.set_value();
    folder.Flush();
    EXPECT_EQ(autosaveWhileHeld, fs::exists(folder.AutosavePath())) << c.what;
    CGameRecord record;
    std::string error;
    EXPECT_FALSE(folder.LoadAutosave(record, error)) << c.what;
    EXPECT_TRUE(folder.GetProblem().empty()) << c.what << ": " << folder.GetProblem();
    EXPECT_FALSE(fs::exists(folder.AutosavePath())) << c.what;

    // Each file's bytes are where they were or moved aside, unless lost on purpose.
    const auto after = Files(dir.Path());
    EXPECT_EQ(after.size(), before.size() - c.lost.size() + c.added) << c.what;
    for (const auto& [name, bytes] : before) {
      const bool lost = std::find(c.lost.begin(), c.lost.end(), name) != c.lost.end();
      const bool kept = std::any_of(after.begin(), after.end(), [&](const auto& file) { return file.second == bytes; });
      EXPECT_EQ(kept, !lost) << c.what << ": " << name;
    }
  }
}

// A writer whose thread cannot start, or whose job throws, neither ends the
// game nor leaves a wait hanging: the folder shows the failure as its
// problem, and the saves go on where they can.
TEST(RecordFilesTest, AWriterThatFailsIsTheFoldersProblemAndPlayGoesOn) {
  const CAsyncFileWriter::ThreadStarter cannotStart = [](std::function<void()>) -> std::thread {
    throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
  };
  const struct {
    const char* what;
    CAsyncFileWriter::ThreadStarter start;
    bool throws;       // a job on the history runs out of memory
    const char* says;  // in the problem line
    bool saved;        // the autosave reaches the disk after it
  } cases[] = {
      {"the thread cannot start", cannotStart, false, "autosave.kvrec: the writer thread cannot start", false},
      {"a job throws", nullptr, true, "history: std::bad_alloc", true},
  };
  for (const auto& c : cases) {
    TempDir dir;
    CAsyncFileWriter writer(c.start);
    CRecordFolder folder(&writer, dir.Path());
    if (c.throws) writer.Do(dir.File("history"), [](std::string&) -> bool { throw std::bad_alloc(); });
    folder.SaveAutosave(CGameRecord{});
    folder.Flush();
    EXPECT_NE(folder.GetProblem().find(c.says), std::string::npos) << c.what << ": " << folder.GetProblem();
    EXPECT_EQ(fs::exists(folder.AutosavePath()), c.saved) << c.what;
  }
}

}  // namespace
