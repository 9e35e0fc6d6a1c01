// Prints the 31 system colours (GetSysColor(0..30)) of the Windows or Wine installation it runs
// on, one "index 0x00BBGGRR" line each. The soft build's table in platform/soft/sys_colors.cpp
// holds the values this printed in a fresh Wine prefix.
//
// Build: x86_64-w64-mingw32-g++-posix -std=c++20 -O2 -static print_sys_colors.cpp -o
// print_sys_colors.exe -luser32
#include <windows.h>

#include <cstdio>

int main() {
  for (int index = 0; index <= 30; ++index) {
    std::printf("%2d 0x%06lX\n", index, static_cast<unsigned long>(GetSysColor(index)));
  }
  return 0;
}
