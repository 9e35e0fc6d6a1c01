#pragma once
// Shared by the preview tool's tests: a scratch folder per test and small files to read.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/preview/preview_run.h"

namespace fw::preview::test {

// An empty folder for the running test, under the build's test output folder when ctest names
// one, else under the system's temporary folder.
inline std::filesystem::path ScratchDir() {
  const char* root = std::getenv("FERROWIND_TEST_OUTPUT");
  std::filesystem::path dir =
      root != nullptr ? std::filesystem::path(root) : std::filesystem::temp_directory_path();
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  dir /= std::filesystem::path("preview") /
         (std::string(info->test_suite_name()) + "." + info->name());
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

inline std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline void WriteText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

// The tool's result: exit status and what it printed.
struct ToolResult {
  int status;
  std::string out;
  std::string err;
};

inline ToolResult RunTool(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunPreview(args, out, err);
  return {status, out.str(), err.str()};
}

}  // namespace fw::preview::test
