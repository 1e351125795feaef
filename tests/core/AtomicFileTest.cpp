#include "core/AtomicFile.h"
#include "core/CAsyncFileWriter.h"

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

// Writes handed to the writer thread land in order, the newest bytes of a
// file win, a failure is reported once, and the destructor finishes them.
TEST(AtomicFileTest, TheWriterThreadFinishesEveryWriteWithTheNewestBytes) {
  TempDir dir;
  std::filesystem::create_directory(dir.File("folder"));
  {
    CAsyncFileWriter writer;
    for (int i = 0; i < 200; ++i) writer.Write(dir.File(i % 2 ? "odd" : "even"), std::to_string(i));
    writer.Write(dir.File("folder"), "x");
    writer.Wait();
    EXPECT_FALSE(writer.IsPending(dir.File("odd")));
    EXPECT_EQ(ReadAll(dir.File("even")), "198");
    EXPECT_EQ(writer.TakeError().rfind(dir.File("folder") + ": ", 0), 0u);
    EXPECT_EQ(writer.TakeError(), "");
    writer.Write(dir.File("last"), std::string(1 << 20, 'z'));
  }
  EXPECT_EQ(ReadAll(dir.File("odd")), "199");
  EXPECT_EQ(ReadAll(dir.File("last")).size(), 1u << 20);
}

}  // namespace
