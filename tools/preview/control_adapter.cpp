#include "tools/preview/control_adapter.h"

#include <array>

#include "formats/text/ascii_case.h"
#include "tools/preview/button_adapter.h"
#include "tools/preview/vbbutton_adapter.h"

namespace fw::preview {

std::span<const ControlAdapter* const> PreviewedControls() {
  static const ButtonAdapter button;
  static const VbButtonAdapter vb_button;
  static const std::array<const ControlAdapter*, 2> controls = {&button, &vb_button};
  return controls;
}

const ControlAdapter* FindPreviewedControl(std::string_view name) {
  for (const ControlAdapter* control : PreviewedControls()) {
    if (EqualsIgnoringAsciiCase(control->ClassName(), name)) return control;
  }
  return nullptr;
}

}  // namespace fw::preview
