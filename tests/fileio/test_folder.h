#pragma once
// A folder of its own for each test that writes files, emptied before the test, and what the
// tests look at in it: the names it holds and a file's bytes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace fw::test {

class TestFolder : public ::testing::Test {
 protected:
  // The folder is FERROWIND_TEST_OUTPUT (else the system's temporary folder)/AREA/TEST.
  explicit TestFolder(const char* area) {
    const char* root = std::getenv("FERROWIND_TEST_OUTPUT");
    dir_ =
        (root != nullptr ? std::filesystem::path(root) : std::filesystem::temp_directory_path()) /
        area / ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }

  std::set<std::string> Listing() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_)) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

  static std::string Read(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  static void Write(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
  }

  std::filesystem::path dir_;
};

}  // namespace fw::test
