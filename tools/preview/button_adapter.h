#pragma once
// The Button as the preview tool shows it. Its properties are its public ones in interface order;
// the window's read-only handles (hdc, hwnd) are not properties a design sets, and are left out.
#include "tools/preview/property_values.h"

namespace fw::preview {

// Every property, in the control's interface order.
PropertyTable ButtonProperties();

}  // namespace fw::preview
