#include "tools/preview/preview_options.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <set>
#include <system_error>
#include <utility>

#include "formats/text/ascii_case.h"
#include "tools/preview/control_adapter.h"

namespace fw::preview {
namespace {

constexpr std::string_view kUsage =
    R"(usage: ferrowind-preview [--control Button] [--size WxH] [--set NAME=VALUE]...
           [--font "FAMILY,POINTS[,bold][,italic][,underline]"] [--state hover,pressed,focus]
           [--enabled 0|1] [--parent 0xBBGGRR] [--out FILE] [--dump] [--save FILE.json]
           [--load FILE.json] [--gallery FILE]
Places one control in a headless host, sets it up and renders it.
  --control NAME     the control to preview: Button (the default) or vbButton
  --load FILE.json   start from a saved property bag instead of a fresh control
  --size WxH         the control's size in pixels before its first paint (the paint may then
                     grow it, or make it square for ButtonShape 2 to 11)
  --set NAME=VALUE   set a property through its own setter; repeatable, applied in order.
                     NAME is any property --dump lists, in any case. VALUE is an integer
                     (decimal or 0x hex), a colour (0x00BBGGRR or 0x800000nn), True or False,
                     text as given, a picture file (.bmp, .ico, .cur; empty for none) or a font
  --font FONT        set the Font property ("Tahoma,8.25,bold"); in order with --set
  --enabled 0|1      enable or disable the control before the states are applied
  --state LIST       reach these flags through the control's handlers, in the order focus,
                     hover (the mouse moves to the centre), pressed (a mouse button goes down)
  --parent 0xBBGGRR  the colour behind the control (default 0xFFFFFF; for --gallery, grey)
  --out FILE         write the control after its last paint: FILE.png with see-through pixels
                     transparent, or FILE.ppm with them in the --parent colour
  --dump             print every property as Name=value, in the control's interface order
  --save FILE.json   write the control's property bag
  --gallery FILE     write a sheet of every shape and style, theme and background scheme in the
                     normal, hover, pressed, focused and disabled states (.png or .ppm), each
                     control made as above; for vbButton every ButtonType, each ColorScheme and
                     the picture positions
Exit status: 0 done; 2 a bad argument or input file (a picture or --load file that is missing,
unreadable or malformed, a gallery too large for --size); 1 an output could not be written (its
folder is missing or read-only, the disk is full). On failure the message names the argument or
file, no output file is made or changed and --dump prints nothing.
)";

std::string Quote(std::string_view text) {
  return "'" + std::string(text) + "'";
}

std::optional<int> ParseSide(std::string_view text) {
  if (text.empty() || text.size() > 5) return std::nullopt;
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value < 1 || value > kMaxPreviewSide) return std::nullopt;
  return value;
}

Size ParseSize(std::string_view text) {
  const std::size_t x = text.find_first_of("xX");
  const auto width = x == std::string_view::npos ? std::nullopt : ParseSide(text.substr(0, x));
  const auto height = x == std::string_view::npos ? std::nullopt : ParseSide(text.substr(x + 1));
  if (!width || !height) {
    throw UsageError("--size " + Quote(text) + ": expected WxH, each 1 to " +
                     std::to_string(kMaxPreviewSide) + " pixels");
  }
  return {*width, *height};
}

StateRequest ParseStates(std::string_view text) {
  StateRequest states;
  std::string_view rest = text;
  for (;;) {
    const std::size_t comma = rest.find(',');
    const std::string_view item = rest.substr(0, comma);
    bool* flag = nullptr;
    if (EqualsIgnoringAsciiCase(item, "focus")) flag = &states.focus;
    if (EqualsIgnoringAsciiCase(item, "hover")) flag = &states.hover;
    if (EqualsIgnoringAsciiCase(item, "pressed")) flag = &states.pressed;
    if (flag == nullptr) {
      throw UsageError("--state " + Quote(text) + ": " + Quote(item) +
                       " is not a state (hover, pressed or focus)");
    }
    if (*flag) throw UsageError("--state " + Quote(text) + ": " + Quote(item) + " is given twice");
    *flag = true;
    if (comma == std::string_view::npos) return states;
    rest.remove_prefix(comma + 1);
  }
}

ColorRef ParseParent(std::string_view text) {
  const auto value = ParseNumber(text);
  if (!value || *value < 0 || *value > 0xFFFFFF) {
    throw UsageError("--parent " + Quote(text) + ": expected a colour 0xBBGGRR (0 to 0xFFFFFF)");
  }
  return static_cast<ColorRef>(*value);
}

// One --set NAME=VALUE, or a --font for the Font property, of the control `control`.
Assignment ParseAssignment(std::string_view option, std::string_view name, std::string_view text,
                           const ControlAdapter& control) {
  const PropertyRow* property = FindProperty(control.Properties(), name);
  if (property == nullptr) {
    throw UsageError(std::string(option) + ": " + Quote(name) + " is not a property of " +
                     std::string(control.ClassName()) + " (--dump lists them)");
  }
  try {
    return {property, std::string(text), ParseValue(*property, text)};
  } catch (const ValueError& error) {
    const std::string where =
        option == "--set" ? "--set " + std::string(property->name) : std::string(option);
    throw UsageError(where + ": " + error.what());
  }
}

std::string ImageFileName(std::string_view option, std::string_view text) {
  if (!text.ends_with(".png") && !text.ends_with(".ppm")) {
    throw UsageError(std::string(option) + " " + Quote(text) +
                     ": the file must end in .png or .ppm");
  }
  return std::string(text);
}

std::string FileName(std::string_view option, std::string_view text) {
  if (text.empty()) throw UsageError(std::string(option) + ": the file name is empty");
  return std::string(text);
}

// Walks the arguments: --name VALUE or --name=VALUE.
class ArgumentReader {
 public:
  explicit ArgumentReader(std::span<const std::string> args) : args_(args) {}

  bool Next() {
    if (index_ >= args_.size()) return false;
    const std::string_view arg = args_[index_++];
    const std::size_t equals = arg.find('=');
    if (arg.starts_with("--") && equals != std::string_view::npos) {
      option_ = arg.substr(0, equals);
      inline_value_ = arg.substr(equals + 1);
      has_inline_value_ = true;
    } else {
      option_ = arg;
      inline_value_ = {};
      has_inline_value_ = false;
    }
    return true;
  }
  std::string_view option() const { return option_; }
  std::string_view Value() {
    if (has_inline_value_) return inline_value_;
    if (index_ >= args_.size()) throw UsageError(std::string(option_) + " needs a value");
    return args_[index_++];
  }
  void NoValue() const {
    if (has_inline_value_) throw UsageError(std::string(option_) + " takes no value");
  }

 private:
  std::span<const std::string> args_;
  std::size_t index_ = 0;
  std::string_view option_;
  std::string_view inline_value_;  // after the equals sign of --name=VALUE
  bool has_inline_value_ = false;
};

// Two outputs in one file would leave only the last, and no way to undo the first.
void RefuseSharedOutputs(const PreviewOptions& options) {
  const std::pair<std::string_view, const std::string*> outputs[] = {
      {"--out", &options.out}, {"--save", &options.save}, {"--gallery", &options.gallery}};
  const auto same = [](const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::absolute(a, error).lexically_normal() ==
           std::filesystem::absolute(b, error).lexically_normal();
  };
  for (std::size_t i = 0; i < std::size(outputs); ++i) {
    for (std::size_t j = i + 1; j < std::size(outputs); ++j) {
      if (!outputs[i].second->empty() && !outputs[j].second->empty() &&
          same(*outputs[i].second, *outputs[j].second)) {
        throw UsageError(std::string(outputs[i].first) + " and " + std::string(outputs[j].first) +
                         " name the same file " + Quote(*outputs[j].second));
      }
    }
  }
}

// The class names of the controls the tool previews: "A, B and C".
std::string ControlNames() {
  const auto controls = PreviewedControls();
  std::string names;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (i > 0) names += i + 1 == controls.size() ? " and " : ", ";
    names += controls[i]->ClassName();
  }
  return names;
}

// The control --control names, looked for first since property names depend on it: the default
// when none is named, or an unknown one. Checked again where the option is read in turn.
const ControlAdapter& NamedControl(std::span<const std::string> args) {
  const auto named = [](std::string_view name) -> const ControlAdapter& {
    const ControlAdapter* control = FindPreviewedControl(name);
    return control != nullptr ? *control : *PreviewedControls().front();
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (arg.starts_with("--control=")) return named(arg.substr(10));
    if (arg == "--control" && i + 1 < args.size()) return named(args[i + 1]);
    // The value of an option that takes one is not an option itself.
    if (arg == "--set" || arg == "--font" || arg == "--size" || arg == "--state" ||
        arg == "--enabled" || arg == "--parent" || arg == "--out" || arg == "--gallery" ||
        arg == "--save" || arg == "--load") {
      ++i;
    }
  }
  return *PreviewedControls().front();
}

}  // namespace

Assignment Setting(PropertyTable table, std::string_view name, SettingValue value) {
  return {FindProperty(table, name), "", std::move(value)};
}

PreviewOptions ParsePreviewOptions(std::span<const std::string> args) {
  PreviewOptions options;
  const ControlAdapter& control = NamedControl(args);
  std::set<std::string, std::less<>> given;
  ArgumentReader reader(args);
  while (reader.Next()) {
    const std::string_view option = reader.option();
    if (option == "--set" || option == "--font") {
      const std::string_view value = reader.Value();
      if (option == "--font") {
        options.assignments.push_back(ParseAssignment(option, "Font", value, control));
        continue;
      }
      const std::size_t equals = value.find('=');
      if (equals == std::string_view::npos || equals == 0) {
        throw UsageError("--set " + Quote(value) + ": expected NAME=VALUE");
      }
      options.assignments.push_back(
          ParseAssignment(option, value.substr(0, equals), value.substr(equals + 1), control));
      continue;
    }
    static constexpr std::string_view kKnown[] = {"--help", "-h",        "--dump",    "--control",
                                                  "--size", "--state",   "--enabled", "--parent",
                                                  "--out",  "--gallery", "--save",    "--load"};
    if (std::find(std::begin(kKnown), std::end(kKnown), option) == std::end(kKnown)) {
      throw UsageError((option.starts_with("-") ? "unknown option " : "unexpected argument ") +
                       Quote(option));
    }
    if (!given.insert(std::string(option)).second) {
      throw UsageError(std::string(option) + " is given twice");
    }
    if (option == "--help" || option == "-h") {
      reader.NoValue();
      options.help = true;
    } else if (option == "--dump") {
      reader.NoValue();
      options.dump = true;
    } else if (option == "--control") {
      const std::string_view value = reader.Value();
      if (FindPreviewedControl(value) == nullptr) {
        throw UsageError("--control " + Quote(value) + ": the controls are " + ControlNames());
      }
      options.control = std::string(control.ClassName());
    } else if (option == "--size") {
      options.size = ParseSize(reader.Value());
    } else if (option == "--state") {
      options.states = ParseStates(reader.Value());
    } else if (option == "--enabled") {
      const std::string_view value = reader.Value();
      if (value != "0" && value != "1") {
        throw UsageError("--enabled " + Quote(value) + ": expected 0 or 1");
      }
      options.enabled = value == "1";
    } else if (option == "--parent") {
      options.parent = ParseParent(reader.Value());
    } else if (option == "--out") {
      options.out = ImageFileName(option, reader.Value());
    } else if (option == "--gallery") {
      options.gallery = ImageFileName(option, reader.Value());
    } else if (option == "--save") {
      options.save = FileName(option, reader.Value());
    } else if (option == "--load") {
      options.load = FileName(option, reader.Value());
    }
  }
  if (!options.help && options.out.empty() && !options.dump && options.save.empty() &&
      options.gallery.empty()) {
    throw UsageError("nothing to do: give --out, --dump, --save or --gallery");
  }
  RefuseSharedOutputs(options);
  return options;
}

std::string_view PreviewUsage() {
  return kUsage;
}

}  // namespace fw::preview
