// print-sys-colors: prints the 31 system colours, fw::GetSysColor(0..30), one
// "index 0x00BBGGRR" line each. The Windows build shows what user32 reports where it runs; run
// in a fresh Wine prefix it printed the table that platform/soft/raster/sys_colors.cpp holds.
#include <cstdio>

#include "platform/color.h"

int main() {
  for (int index = 0; index <= 30; ++index) {
    std::printf("%2d 0x%06X\n", index, static_cast<unsigned>(fw::GetSysColor(index)));
  }
  return 0;
}
