// The preview tool's command line from any bytes, one argument per line: it parses or is refused
// with a UsageError, and what parses stays within the tool's limits.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "tools/preview/control_adapter.h"
#include "tools/preview/preview_options.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> args = fw::fuzz::ArgumentsFromLines(fw::fuzz::AsText(data, size));
  try {
    const fw::preview::PreviewOptions options = fw::preview::ParsePreviewOptions(args);
    if (options.size) {
      fw::fuzz::Check(options.size->cx >= 1 && options.size->cx <= fw::preview::kMaxPreviewSide &&
                          options.size->cy >= 1 && options.size->cy <= fw::preview::kMaxPreviewSide,
                      "a parsed size is within the limit");
    }
    fw::fuzz::Check(fw::preview::FindPreviewedControl(options.control) != nullptr,
                    "the control is one the tool knows");
  } catch (const fw::preview::UsageError& error) {
    fw::fuzz::CheckOneLine(error);
  }
  return 0;
}
