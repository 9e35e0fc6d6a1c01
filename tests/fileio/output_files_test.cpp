// The tools' outputs, written all or none: nothing appears before the commit, a failure while
// staging or renaming leaves every destination as it was, and no temporary file stays behind.
#include "fileio/output_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "tests/fileio/test_folder.h"

namespace fw {
namespace {

namespace fs = std::filesystem;

class OutputFilesTest : public test::TestFolder {
 protected:
  OutputFilesTest() : TestFolder("output_files") {}

  // Throws the error `action` throws, or fails the test.
  template <typename Action>
  static std::string ErrorOf(Action action) {
    try {
      action();
    } catch (const OutputError& error) {
      return error.what();
    }
    ADD_FAILURE() << "no error";
    return "";
  }
};

TEST_F(OutputFilesTest, FilesAppearOnlyWhenCommittedAndReplaceOldOnes) {
  Write(dir_ / "a.txt", "old a");
  {
    OutputFiles files;
    files.Stage(dir_ / "a.txt", "new a");
    files.Stage(dir_ / "b.txt", std::string("b\0b", 3));
    EXPECT_EQ(Read(dir_ / "a.txt"), "old a");
    EXPECT_FALSE(fs::exists(dir_ / "b.txt"));
    files.Commit();
  }
  EXPECT_EQ(Read(dir_ / "a.txt"), "new a");
  EXPECT_EQ(Read(dir_ / "b.txt"), std::string("b\0b", 3));
  EXPECT_EQ(Listing(), (std::set<std::string>{"a.txt", "b.txt"}));
}

TEST_F(OutputFilesTest, WhatIsNotCommittedIsRemoved) {
  Write(dir_ / "a.txt", "old a");
  {
    OutputFiles files;
    files.Stage(dir_ / "a.txt", "new a");
    files.Stage(dir_ / "b.txt", "b");
  }
  EXPECT_EQ(Read(dir_ / "a.txt"), "old a");
  EXPECT_EQ(Listing(), (std::set<std::string>{"a.txt"}));
}

TEST_F(OutputFilesTest, AFailedStageNamesThePathAndLeavesNothing) {
  Write(dir_ / "a.txt", "old a");
  Write(dir_ / "plain", "a file, not a folder");
  fs::create_directory(dir_ / "folder.txt");
  const auto before = Listing();
  {
    OutputFiles files;
    files.Stage(dir_ / "a.txt", "new a");
    const fs::path missing = dir_ / "missing" / "b.txt";
    const std::string no_folder = ErrorOf([&] { files.Stage(missing, "b"); });
    EXPECT_NE(no_folder.find(missing.string() + ": "), std::string::npos) << no_folder;
    EXPECT_NE(no_folder.find("no such folder"), std::string::npos) << no_folder;
    const std::string under_file = ErrorOf([&] { files.Stage(dir_ / "plain" / "b.txt", "b"); });
    EXPECT_NE(under_file.find("is not a folder"), std::string::npos) << under_file;
    const std::string folder = ErrorOf([&] { files.Stage(dir_ / "folder.txt", "b"); });
    EXPECT_NE(folder.find((dir_ / "folder.txt").string() + ": is a folder"), std::string::npos)
        << folder;
    // The caller gives up here: only the first file was staged, and it goes too.
  }
  EXPECT_EQ(Listing(), before);
  EXPECT_EQ(Read(dir_ / "a.txt"), "old a");
}

TEST_F(OutputFilesTest, ALateRenameFailurePutsEveryFileBack) {
  Write(dir_ / "a.txt", "old a");
  const auto a_time = fs::last_write_time(dir_ / "a.txt");
  OutputFiles files;
  files.Stage(dir_ / "a.txt", "new a");
  files.Stage(dir_ / "b.txt", "new b");
  files.Stage(dir_ / "c.txt", "new c");
  // Something takes the last name between staging and renaming: a and b are in place by then.
  fs::create_directory(dir_ / "c.txt");
  fs::create_directory(dir_ / "c.txt" / "inside");
  const std::string error = ErrorOf([&] { files.Commit(); });
  EXPECT_NE(error.find((dir_ / "c.txt").string() + ": "), std::string::npos) << error;
  EXPECT_EQ(Read(dir_ / "a.txt"), "old a");
  EXPECT_EQ(fs::last_write_time(dir_ / "a.txt"), a_time);
  EXPECT_TRUE(fs::is_directory(dir_ / "c.txt"));
  EXPECT_EQ(Listing(), (std::set<std::string>{"a.txt", "c.txt"}));
}

}  // namespace
}  // namespace fw
