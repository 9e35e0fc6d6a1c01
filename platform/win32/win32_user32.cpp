#include "platform/win32/win32_user32.h"

#include <algorithm>
#include <vector>

#include "platform/host/sent_keys.h"
#include "platform/win32/user_handles.h"

namespace fw::win32 {

Win32User32::~Win32User32() = default;

Point Win32User32::GetCursorPos() const {
  POINT p{};
  ::GetCursorPos(&p);
  return {p.x, p.y};
}

Point Win32User32::ScreenToClient(WindowHandle window, Point screen) const {
  POINT p{screen.x, screen.y};
  ::ScreenToClient(ToHwnd(window), &p);
  return {p.x, p.y};
}

Point Win32User32::ClientToScreen(WindowHandle window, Point client) const {
  POINT p{client.x, client.y};
  ::ClientToScreen(ToHwnd(window), &p);
  return {p.x, p.y};
}

WindowHandle Win32User32::WindowFromPoint(Point screen) const {
  return ToHandleValue(::WindowFromPoint(POINT{screen.x, screen.y}));
}

WindowHandle Win32User32::SetCapture(WindowHandle window) {
  return ToHandleValue(::SetCapture(ToHwnd(window)));
}

bool Win32User32::ReleaseCapture() {
  return ::ReleaseCapture() != FALSE;
}

WindowHandle Win32User32::GetCapture() const {
  return ToHandleValue(::GetCapture());
}

CursorHandle Win32User32::LoadCursorA(int id) {
  // A system cursor (module null), named by its integer id. Shared: never destroyed.
  if (id <= 0 || id > 0xFFFF) return 0;
  const auto name = reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(id));
  return reinterpret_cast<CursorHandle>(::LoadCursorA(nullptr, name));
}

CursorHandle Win32User32::SetCursor(CursorHandle cursor) {
  return reinterpret_cast<CursorHandle>(::SetCursor(reinterpret_cast<HCURSOR>(cursor)));
}

std::uintptr_t Win32User32::SetTimer(WindowHandle window, std::uintptr_t id, int interval_ms,
                                     std::function<void()> tick) {
  const HWND hwnd = ToHwnd(window);
  if (id == 0) id = next_id_++;
  const auto interval = static_cast<UINT>(std::max(interval_ms, kMinimumTimerInterval));
  if (::SetTimer(hwnd, id, interval, nullptr) == 0) return 0;
  // Setting an existing timer again restarts it with the new interval and tick.
  const auto key = std::make_pair(hwnd, id);
  if (auto it = timers_.find(key); it != timers_.end()) {
    it->second.set_tick(std::move(tick));
  } else {
    timers_.emplace(key, Timer(hwnd, id, std::move(tick)));
  }
  return id;
}

bool Win32User32::KillTimer(WindowHandle window, std::uintptr_t id) {
  return timers_.erase({ToHwnd(window), id}) > 0;
}

bool Win32User32::DispatchTimer(HWND window, std::uintptr_t id) {
  const auto it = timers_.find({window, id});
  if (it == timers_.end()) return false;
  // The tick may kill its own timer, which destroys the entry it lives in.
  const std::function<void()> tick = it->second.tick();
  if (tick) tick();
  return true;
}

WindowHandle Win32User32::GetParent(WindowHandle window) const {
  return ToHandleValue(::GetParent(ToHwnd(window)));
}

Dc* Win32User32::GetDC(WindowHandle window) {
  return dc_source_ ? dc_source_(ToHwnd(window)) : nullptr;
}

void Win32User32::SendKeys(std::string_view keys, bool wait) {
  const std::vector<bool> tabs = ParseSentTabs(keys);
  if (!key_sink_) return;
  for (const bool backwards : tabs) key_sink_(backwards, wait);
}

void Win32User32::DoEvents() {
  MSG message{};
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
    if (message.message == WM_QUIT) {
      // The loop that asked to end is the program's own: leave the request for it.
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

void Win32User32::ForgetWindow(HWND window) {
  std::erase_if(timers_, [window](const auto& entry) { return entry.first.first == window; });
}

}  // namespace fw::win32
