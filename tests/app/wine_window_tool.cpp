// What the Windows end-to-end test asks of Wine's windows beyond xdotool's reach, run under
// Wine next to the program:
//
//   wine_window_tool client TITLE   prints the client area of the top-level window titled
//                                   exactly TITLE in screen pixels, "left top width height";
//                                   fails when there is none
//   wine_window_tool close TITLE    posts WM_CLOSE to that window, as its close box does (there
//                                   is no window manager on the test's X server to draw one)
//   wine_window_tool exists TITLE   succeeds while such a window exists
#include <cstdio>
#include <string>

#include "platform/win32/windows_include.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: wine_window_tool client|close|exists TITLE\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return Usage();
  const std::string command = argv[1];
  const HWND window = ::FindWindowA(nullptr, argv[2]);
  if (window == nullptr) {
    if (command != "exists") std::fprintf(stderr, "no window titled \"%s\"\n", argv[2]);
    return 1;
  }
  if (command == "exists") return 0;
  if (command == "close") return ::PostMessageA(window, WM_CLOSE, 0, 0) != FALSE ? 0 : 1;
  if (command == "client") {
    RECT client{};
    POINT origin{0, 0};
    if (::GetClientRect(window, &client) == FALSE || ::ClientToScreen(window, &origin) == FALSE) {
      return 1;
    }
    std::printf("%ld %ld %ld %ld\n", origin.x, origin.y, client.right, client.bottom);
    return 0;
  }
  return Usage();
}
