// The drawing-script language of ferrowind-gdi on any bytes: a script parses or is refused with
// a ScriptError naming a line it has. A script that parses runs on the soft surface, as the tool
// would run it (small surfaces only, so that each input stays quick).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "fuzz/fuzz_check.h"
#include "platform/gdi.h"
#include "tools/gdi/script.h"

namespace {

constexpr long long kMaxRunPixels = 256LL * 256;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto text = fw::fuzz::AsText(data, size);
  fw::gdiscript::Script script;
  try {
    script = fw::gdiscript::ParseScript(text);
  } catch (const fw::gdiscript::ScriptError& error) {
    const auto lines = std::count(text.begin(), text.end(), '\n') + 1;
    fw::fuzz::Check(error.line() >= 1 && error.line() <= lines,
                    "the error names a line of the script");
    fw::fuzz::CheckOneLine(error);
    return 0;
  }
  const long long pixels = static_cast<long long>(script.surface.width) * script.surface.height;
  if (pixels > kMaxRunPixels) return 0;
  // Made once: the device's fonts take longer to find than most inputs take to run.
  static const std::unique_ptr<fw::GdiDevice> device = fw::CreatePlatformGdiDevice();
  const auto dc = fw::gdiscript::RunScript(script, *device);
  fw::fuzz::Check(dc->Width() == script.surface.width && dc->Height() == script.surface.height,
                  "the surface has the size the script asked for");
  return 0;
}
