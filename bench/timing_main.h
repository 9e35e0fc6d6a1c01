#pragma once
// What the timing programs share: their command line ([--quick] [--seconds S]), the line that
// says which build measured, and a registry of the program's own for the Linux build.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#ifdef _WIN32
#include "platform/win32/windows_include.h"
#else
#include <unistd.h>

#include <filesystem>
#include <fstream>
#endif

namespace fw::bench {

struct TimingOptions {
  bool quick = false;    // one iteration of each case, as ctest runs it
  double seconds = 0.5;  // the budget of one timed run
};

// Nothing, after printing the usage line, for an argument it does not know.
inline std::optional<TimingOptions> ParseTimingOptions(int argc, char** argv, const char* name) {
  TimingOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--quick") {
      options.quick = true;
    } else if (arg == "--seconds" && i + 1 < argc) {
      options.seconds = std::atof(argv[++i]);
    } else {
      std::fprintf(stderr, "usage: %s [--quick] [--seconds S]\n", name);
      return std::nullopt;
    }
  }
  return options;
}

// `build`, and under Wine the Wine version.
inline std::string BuildDescription(std::string text) {
#ifdef _WIN32
  if (HMODULE ntdll = GetModuleHandleA("ntdll.dll")) {
    using WineVersion = const char* (*)();
    // Through void*: a FARPROC takes no arguments, wine_get_version neither.
    const auto version = reinterpret_cast<WineVersion>(
        reinterpret_cast<void*>(GetProcAddress(ntdll, "wine_get_version")));
    if (version != nullptr) text += std::string(" under Wine ") + version();
  }
#endif
  return text;
}

// Runs `run` and returns its status; an exception is reported as "name: what" and status 1. In
// the Linux build the registry is a file of the program's own, starting with `registry_text`
// (none when empty), removed afterwards.
inline int RunWithOwnRegistry(const char* name, const std::string& registry_text,
                              const std::function<int()>& run) {
#ifndef _WIN32
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() /
      (std::string("ferrowind-") + name + "-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::filesystem::path file = folder / "registry.reg";
  if (!registry_text.empty()) std::ofstream(file) << registry_text;
  ::setenv("FERROWIND_REGISTRY", file.c_str(), 1);
#else
  static_cast<void>(registry_text);
#endif
  int status = 0;
  try {
    status = run();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", name, e.what());
    status = 1;
  }
#ifndef _WIN32
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
#endif
  return status;
}

}  // namespace fw::bench
