#include "platform/win32/window_class.h"

#include <stdexcept>

namespace fw::win32 {
namespace {

MessageTarget* TargetOf(HWND window) {
  return reinterpret_cast<MessageTarget*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT CALLBACK TargetWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lparam);
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  MessageTarget* target = TargetOf(window);
  // Messages before WM_NCCREATE (WM_GETMINMAXINFO) and after WM_NCDESTROY, or after the object
  // let go of its window, get the default handling.
  if (target == nullptr) return ::DefWindowProcA(window, message, wparam, lparam);
  if (message == WM_NCDESTROY) ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  try {
    return target->HandleMessage(window, message, wparam, lparam);
  } catch (...) {
    target->Failed(message, std::current_exception());
    return 0;
  }
}

void Register(const WindowClassSpec& spec, HINSTANCE instance) {
  WNDCLASSEXA window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.style = spec.style;
  window_class.lpfnWndProc = TargetWindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = spec.cursor;
  window_class.lpszClassName = spec.name;
  if (::RegisterClassExA(&window_class) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    throw std::runtime_error(LastErrorText(std::string("RegisterClassExA of ") + spec.name));
  }
}

}  // namespace

std::string LastErrorText(const std::string& what) {
  return what + " failed (Win32 error " + std::to_string(::GetLastError()) + ")";
}

UniqueWindow CreateTargetWindow(MessageTarget& target, const WindowClassSpec& window_class,
                                const WindowSpec& window) {
  const HINSTANCE instance = ::GetModuleHandleA(nullptr);
  Register(window_class, instance);
  // A child's id travels in the menu parameter.
  const HMENU menu =
      (window.style & WS_CHILD) != 0
          ? reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(static_cast<unsigned>(window.id)))
          : nullptr;
  UniqueWindow created(::CreateWindowExA(
      window.ex_style, window_class.name, window.title.c_str(), window.style, window.position.x,
      window.position.y, window.size.cx, window.size.cy, window.parent, menu, instance, &target));
  if (!created) {
    throw std::runtime_error(LastErrorText("CreateWindowExA of a " +
                                           std::string(window_class.name) + " window \"" +
                                           window.title + "\""));
  }
  return created;
}

}  // namespace fw::win32
