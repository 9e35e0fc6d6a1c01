#pragma once
// The vbButton as the preview tool shows it. Its properties are its public ones in interface
// order, their values written as property_values.h says; the read-only hwnd and Version are not
// properties a design sets, and are left out.
#include "tools/preview/property_values.h"

namespace fw::preview {

// Every property, in the control's interface order.
PropertyTable VbButtonProperties();

}  // namespace fw::preview
