// Files written whole: a new file holds every byte written, a replaced file is the old one or
// the new one and nothing between, and a failure names the file and the system's reason. Runs
// in both builds (the Windows side under Wine).
#include "fileio/atomic_file.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>
#include <set>
#include <string>
#include <system_error>

#include "tests/fileio/test_folder.h"

namespace fw {
namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public test::TestFolder {
 protected:
  AtomicFileTest() : TestFolder("atomic_file") {}

  // Several megabytes of every byte value, so that the writes take more than one call.
  static std::string Big() {
    std::string bytes;
    for (int i = 0; i < 5'000'000; ++i) bytes += static_cast<char>((i * 7 + i / 251) & 0xFF);
    return bytes;
  }
};

TEST_F(AtomicFileTest, ANewFileHoldsEveryByteWritten) {
  const std::string bytes = Big();
  WriteNewFileFlushed(dir_ / "new.bin", bytes);
  EXPECT_EQ(Read(dir_ / "new.bin"), bytes);
  WriteNewFileFlushed(dir_ / "empty.bin", "");
  EXPECT_EQ(Read(dir_ / "empty.bin"), "");
  EXPECT_EQ(Listing(), (std::set<std::string>{"empty.bin", "new.bin"}));
}

TEST_F(AtomicFileTest, ANewFileIsNeverWrittenOverAnOldOne) {
  WriteNewFileFlushed(dir_ / "old.txt", "old");
  try {
    WriteNewFileFlushed(dir_ / "old.txt", "new");
    FAIL() << "an existing file was written over";
  } catch (const FileWriteError& error) {
    EXPECT_EQ(error.step(), FileWriteError::Step::kCreate);
    const std::string what = error.what();
    EXPECT_NE(what.find((dir_ / "old.txt").string()), std::string::npos) << what;
    EXPECT_NE(what.find(error.code().message()), std::string::npos) << what;
  }
  EXPECT_EQ(Read(dir_ / "old.txt"), "old");
}

TEST_F(AtomicFileTest, AReplacedFileIsTheNewOneWholeWithNothingLeftBeside) {
  ReplaceFileAtomically(dir_ / "file.txt", "first");
  EXPECT_EQ(Read(dir_ / "file.txt"), "first");
  const std::string bytes = Big();
  ReplaceFileAtomically(dir_ / "file.txt", bytes);
  EXPECT_EQ(Read(dir_ / "file.txt"), bytes);
  ReplaceFileAtomically(dir_ / "file.txt", "short");
  EXPECT_EQ(Read(dir_ / "file.txt"), "short");
  EXPECT_EQ(Listing(), (std::set<std::string>{"file.txt"}));
}

#ifndef _WIN32
// A replacement keeps the old file's permission bits, or takes the ones asked for whatever the
// umask.
TEST_F(AtomicFileTest, AReplacementKeepsOrSetsThePermissionBits) {
  const fs::path file = dir_ / "file.txt";
  const mode_t saved_umask = ::umask(077);
  ReplaceFileAtomically(file, "first", 0644);
  EXPECT_EQ(fs::status(file).permissions(), fs::perms(0644));
  fs::permissions(file, fs::perms(0640));
  ReplaceFileAtomically(file, "second");
  EXPECT_EQ(fs::status(file).permissions(), fs::perms(0640));
  ReplaceFileAtomically(file, "third", 0604);
  ::umask(saved_umask);
  EXPECT_EQ(fs::status(file).permissions(), fs::perms(0604));
  EXPECT_EQ(Read(file), "third");
}
#endif

TEST_F(AtomicFileTest, AFailedReplacementNamesTheFileAndLeavesNothing) {
  const fs::path target = dir_ / "missing" / "file.txt";
  try {
    ReplaceFileAtomically(target, "text");
    FAIL() << "a file was written in a missing folder";
  } catch (const std::system_error& error) {
    const std::string what = error.what();
    EXPECT_NE(what.find((dir_ / "missing").string()), std::string::npos) << what;
    EXPECT_NE(what.find(error.code().message()), std::string::npos) << what;
  }
  EXPECT_FALSE(fs::exists(dir_ / "missing"));
  EXPECT_TRUE(Listing().empty());
}

}  // namespace
}  // namespace fw
