// What the desktop tests ask of the X server beyond xdotool's reach:
//
//   x11_window_tool find TITLE   prints the ids of the mapped top-level windows titled exactly
//                                TITLE (_NET_WM_NAME, else WM_NAME, in any text encoding SDL
//                                uses), one a line; fails when there is none
//   x11_window_tool close ID     asks the window to close as a window manager's close box
//                                does: a WM_PROTOCOLS message carrying WM_DELETE_WINDOW
//
// The tests run on a bare X server, where no window manager draws a close box to click, and
// SDL titles its message boxes in UTF-8, which xdotool's name search does not read.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace {

struct DisplayCloser {
  void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

struct XFreer {
  void operator()(void* data) const { XFree(data); }
};

// A text property's bytes, whatever its type (STRING, UTF8_STRING, COMPOUND_TEXT of ASCII).
std::optional<std::string> TextProperty(Display* display, Window window, const char* name) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* raw = nullptr;
  const Atom property = XInternAtom(display, name, False);
  if (XGetWindowProperty(display, window, property, 0, 4096, False, AnyPropertyType, &type, &format,
                         &count, &after, &raw) != Success) {
    return std::nullopt;
  }
  const std::unique_ptr<unsigned char, XFreer> data(raw);
  if (data == nullptr || type == None || format != 8) return std::nullopt;
  return std::string(reinterpret_cast<const char*>(data.get()), count);
}

int Find(Display* display, std::string_view title) {
  Window root = 0;
  Window parent = 0;
  Window* raw = nullptr;
  unsigned int count = 0;
  if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &raw, &count) == 0) {
    return 1;
  }
  const std::unique_ptr<Window, XFreer> children(raw);
  int found = 0;
  for (unsigned int i = 0; i < count; ++i) {
    const Window window = children.get()[i];
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, window, &attributes) == 0 ||
        attributes.map_state != IsViewable) {
      continue;
    }
    std::optional<std::string> name = TextProperty(display, window, "_NET_WM_NAME");
    if (!name) name = TextProperty(display, window, "WM_NAME");
    if (name && *name == title) {
      std::printf("%lu\n", window);
      ++found;
    }
  }
  return found > 0 ? 0 : 1;
}

int Close(Display* display, Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  if (XSendEvent(display, window, False, NoEventMask, &event) == 0) {
    std::fprintf(stderr, "x11_window_tool: the close request could not be sent\n");
    return 1;
  }
  XSync(display, False);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view command = argc == 3 ? argv[1] : "";
  if (command != "find" && command != "close") {
    std::fprintf(stderr, "usage: x11_window_tool find TITLE | close WINDOW_ID\n");
    return 2;
  }
  const DisplayPtr display(XOpenDisplay(nullptr));
  if (display == nullptr) {
    std::fprintf(stderr, "x11_window_tool: cannot open the display\n");
    return 2;
  }
  if (command == "find") return Find(display.get(), argv[2]);
  return Close(display.get(), std::stoul(argv[2], nullptr, 0));
}
