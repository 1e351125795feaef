#include "engine/AtomicFile.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// A write stopped after any step, as a crash there would stop it, leaves the
// old file or the new one whole; and the next write completes whatever the
// stopped one left behind.
TEST(AtomicFileTest, AStoppedWriteLeavesTheOldFileOrTheNewOneWhole) {
  const std::string oldBytes(5000, 'o');
  const std::string newBytes = std::string(70000, 'n') + "end";
  const struct {
    EAtomicStep stopAfter;
    bool replaced;
  } cases[] = {
      {EAtomicStep::WriteTemp, false},
      {EAtomicStep::SyncTemp, false},
      {EAtomicStep::RenameOverOld, true},
  };
  for (const auto& c : cases) {
    TempDir dir;
    const std::string path = dir.Write("record", oldBytes);
    EXPECT_FALSE(WriteFileAtomically(path, newBytes, nullptr, c.stopAfter));
    EXPECT_EQ(ReadAll(path), c.replaced ? newBytes : oldBytes) << static_cast<int>(c.stopAfter);

    EXPECT_TRUE(WriteFileAtomically(path, "again"));
    EXPECT_EQ(ReadAll(path), "again");
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
  }
}

TEST(AtomicFileTest, AFailedWriteSaysWhyAndKeepsWhatWasThere) {
  TempDir dir;
  std::filesystem::create_directory(dir.File("folder"));
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(dir.File("folder"), "x", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("folder")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("folder.tmp")));

  error.clear();
  EXPECT_FALSE(WriteFileAtomically(dir.File("missing/file"), "x", &error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
