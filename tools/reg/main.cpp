// ferrowind-reg: query, add and delete values in the Linux build's registry, with reg.exe's
// syntax. `ferrowind-reg /?` describes the arguments.
#include <unistd.h>

#include <exception>
#include <iostream>
#include <span>
#include <string>
#include <vector>

#include "platform/modprobe/system_registry.h"
#include "platform/registry_store/registry_store.h"
#include "tools/reg/reg_run.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  fw::regtool::RegConsole console{std::cin, std::cout, std::cerr, ::isatty(STDIN_FILENO) == 1};
  try {
    if (!args.empty() && args.front() == "--system") {
      fw::modprobe::SystemRegistry registry(fw::modprobe::SystemRoot());
      return fw::regtool::RunRegOnSystem(
          std::span(args).subspan(1), registry, [&] { return registry.last_error(); }, console);
    }
    return fw::regtool::RunReg(args, fw::soft::DefaultRegistryPath(), console);
  } catch (const std::exception& e) {
    std::cerr << "ERROR: " << e.what() << '\n';
    return fw::regtool::kExitFailure;
  }
}
