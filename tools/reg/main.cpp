// ferrowind-reg: query, add and delete values in the Linux build's registry, with reg.exe's
// syntax. `ferrowind-reg /?` describes the arguments.
#include <unistd.h>

#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "platform/soft/registry_store.h"
#include "tools/reg/reg_run.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  fw::regtool::RegConsole console{std::cin, std::cout, std::cerr, ::isatty(STDIN_FILENO) == 1};
  try {
    return fw::regtool::RunReg(args, fw::soft::DefaultRegistryPath(), console);
  } catch (const std::exception& e) {
    std::cerr << "ERROR: " << e.what() << '\n';
    return fw::regtool::kExitFailure;
  }
}
