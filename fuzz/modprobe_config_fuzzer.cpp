// The modprobe.d reader from any bytes: every rule it gives names a module with no "-" (kmod's
// spelling) and no blanks, an install rule has a command, and what Ferrowind writes for the
// modules it finds reads back as exactly those modules, each locked.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

#include "fuzz/fuzz_check.h"
#include "platform/modprobe/modprobe_config.h"
#include "platform/modprobe/policy_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using fw::modprobe::ModuleRule;
  const auto rules = fw::modprobe::ParseModprobeConfig(fw::fuzz::AsText(data, size));
  std::set<std::string> modules;
  for (const ModuleRule& rule : rules) {
    fw::fuzz::Check(!rule.module.empty(), "a rule names a module");
    fw::fuzz::Check(rule.module.find_first_of("- \t\n") == std::string::npos,
                    "a module name is one word, with \"_\" for \"-\"");
    fw::fuzz::Check(rule.kind == ModuleRule::Kind::kBlacklist || !rule.command.empty(),
                    "an install rule has a command");
    if (rule.module.find_first_of("#\\\r") == std::string::npos) modules.insert(rule.module);
  }
  std::set<std::string> read_back;
  for (const ModuleRule& rule :
       fw::modprobe::ParseModprobeConfig(fw::modprobe::PolicyText(modules))) {
    if (rule.kind == ModuleRule::Kind::kInstall) {
      fw::fuzz::Check(rule.command == "/bin/false", "the policy file locks with /bin/false");
      read_back.insert(rule.module);
    }
  }
  fw::fuzz::Check(read_back == modules, "the policy file reads back as the modules written");
  return 0;
}
