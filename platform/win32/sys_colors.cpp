// The Windows build's system colours: whatever user32 reports for the running session.
#include "platform/color.h"
#include "platform/win32/windows_include.h"

namespace fw {

ColorRef GetSysColor(int index) {
  if (index < 0 || index > 30) return 0;
  return static_cast<ColorRef>(::GetSysColor(index));
}

}  // namespace fw
