#pragma once
// Driving real Win32 windows from a test thread: message pumping with a deadline, and the mouse
// as the desktop moves it (SetCursorPos and SendInput, so that hit-testing, window regions and
// capture decide which window gets each message, as they do for a user).
#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "platform/geometry.h"
#include "platform/win32/windows_include.h"

namespace fw::win32::testing {

// Dispatches every message waiting in the thread's queue.
inline void PumpPending() {
  MSG message{};
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

// Dispatches messages for `milliseconds`.
inline void PumpFor(int milliseconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (std::chrono::steady_clock::now() < end) {
    PumpPending();
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  PumpPending();
}

// Dispatches messages until `done` holds (true) or `milliseconds` pass (false).
inline bool PumpUntil(const std::function<bool()>& done, int milliseconds = 3000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  for (;;) {
    PumpPending();
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

inline void SendMouse(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  ::SendInput(1, &input, sizeof input);
}

// The mouse to a point of `window`'s client area, as a user moves it, and the moves it makes
// dispatched.
inline void MoveMouseTo(HWND window, Point client) {
  POINT p{client.x, client.y};
  ::ClientToScreen(window, &p);
  ::SetCursorPos(p.x, p.y);
  SendMouse(MOUSEEVENTF_MOVE);  // a move of nothing: a WM_MOUSEMOVE where the cursor is
  PumpFor(30);
}

inline void PressLeft() {
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  PumpFor(30);
}

inline void ReleaseLeft() {
  SendMouse(MOUSEEVENTF_LEFTUP);
  PumpFor(30);
}

inline void ClickAt(HWND window, Point client) {
  MoveMouseTo(window, client);
  PressLeft();
  ReleaseLeft();
}

// A point of a rectangle's middle.
inline Point Center(const Rect& r) {
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

inline LPARAM PointParam(Point p) {
  return static_cast<LPARAM>(static_cast<DWORD>(static_cast<WORD>(p.x)) |
                             (static_cast<DWORD>(static_cast<WORD>(p.y)) << 16));
}

}  // namespace fw::win32::testing
