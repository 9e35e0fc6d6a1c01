// The registry file parser on any bytes: it either reads a tree, which must write back as a file
// it reads again as the same tree, or refuses with an error naming a line the text has.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_check.h"
#include "platform/registry_store/reg_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto text = fw::fuzz::AsText(data, size);
  fw::soft::RegTree tree;
  try {
    tree = fw::soft::ParseRegFile(text, "fuzz.reg");
  } catch (const fw::soft::RegFileError& error) {
    const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    fw::fuzz::Check(error.line() >= 1 && error.line() <= lines,
                    "the error names a line of the file");
    return 0;
  }
  // Whatever the store can read, it must be able to write back without losing anything.
  const std::string written = fw::soft::WriteRegFile(tree);
  const std::string rewritten =
      fw::soft::WriteRegFile(fw::soft::ParseRegFile(written, "written.reg"));
  fw::fuzz::Check(rewritten == written, "a written file reads back as the same tree");
  return 0;
}
