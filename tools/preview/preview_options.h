#pragma once
// The preview tool's command line, parsed into what it asks for without doing any of it: every
// argument is checked here (property names, value texts, file name extensions), so that a bad
// one stops the tool before it reads or writes anything.
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/color.h"
#include "platform/geometry.h"
#include "platform/printable_text.h"
#include "tools/preview/property_values.h"

namespace fw::preview {

// A bad argument; the message names it and says what is wrong.
class UsageError : public std::runtime_error {
 public:
  explicit UsageError(const std::string& message) : std::runtime_error(PrintableText(message)) {}
};

// One property setting, in command-line order (--set, and --font for the Font property).
struct Assignment {
  const PropertyRow* property = nullptr;  // a row of the previewed control's table
  std::string text;                       // the value as given; a picture's file name
  SettingValue value;                     // parsed; a picture's stays null until its file is read
};

// A setting a gallery makes of `table`'s property `name`: its value as it is (no text, so that a
// picture is used as given, not read from a file).
Assignment Setting(PropertyTable table, std::string_view name, SettingValue value);

// The state flags to reach through the control's handlers, applied as focus, hover, pressed.
struct StateRequest {
  bool focus = false;
  bool hover = false;
  bool pressed = false;
  friend bool operator==(const StateRequest&, const StateRequest&) = default;
};

struct PreviewOptions {
  std::string control = "Button";  // the class name of one of PreviewedControls()
  std::optional<Size> size;        // pixels
  std::vector<Assignment> assignments;
  StateRequest states;
  std::optional<bool> enabled;
  std::optional<ColorRef> parent;  // 0x00BBGGRR
  std::string out;                 // "" when not asked for, likewise the other files
  bool dump = false;
  std::string save;
  std::string load;
  std::string gallery;
  bool help = false;
};

// Neither side of --size may exceed this many pixels.
inline constexpr int kMaxPreviewSide = 4096;

// Parses the arguments that follow the program's name. Throws UsageError.
PreviewOptions ParsePreviewOptions(std::span<const std::string> args);

// The usage text, ending in a newline.
std::string_view PreviewUsage();

}  // namespace fw::preview
