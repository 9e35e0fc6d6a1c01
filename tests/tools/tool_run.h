#pragma once
// Runs one of the Linux build's tools as people run it, on a registry file of the test's own:
// no terminal on its input, its output and errors caught in files of a scratch folder.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "tests/platform/registry_store/scratch_dir.h"

extern char** environ;

namespace fw::soft::test {

struct ToolRun {
  int status = -1;  // the exit status; -1 when the tool did not start or did not exit
  std::string out;
  std::string err;
};

inline ToolRun RunTool(const std::string& program, std::vector<std::string> args,
                       const std::filesystem::path& registry_file,
                       const std::filesystem::path& scratch) {
  args.insert(args.begin(), program);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  std::string registry = "FERROWIND_REGISTRY=" + registry_file.string();
  std::vector<char*> env;
  for (char** var = environ; *var != nullptr; ++var) {
    if (std::string_view(*var).starts_with("FERROWIND_REGISTRY=")) continue;
    env.push_back(*var);
  }
  env.push_back(registry.data());
  env.push_back(nullptr);

  const auto out = scratch / "out.txt";
  const auto err = scratch / "err.txt";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  pid_t child = 0;
  ToolRun run;
  if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), env.data()) == 0) {
    int status = 0;
    if (::waitpid(child, &status, 0) == child && WIFEXITED(status)) {
      run.status = WEXITSTATUS(status);
    }
  }
  posix_spawn_file_actions_destroy(&actions);
  run.out = ReadWholeFile(out);
  run.err = ReadWholeFile(err);
  return run;
}

}  // namespace fw::soft::test
