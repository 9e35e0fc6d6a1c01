#pragma once
// The desktop's input services over the real user32: cursor position and coordinate mapping,
// capture, system cursors, timers whose ticks are std::functions, a window's parent and DC (the
// persistent image its owner lends), the keystrokes a control sends to its container, and
// DoEvents.
//
// A timer is a real SetTimer of its window; its WM_TIMER reaches the window's procedure, which
// hands it to DispatchTimer. The ticks are kept here by (window, id), each entry owning its
// timer: forgetting the entry kills it.
#include <cstdint>
#include <functional>
#include <map>
#include <string_view>
#include <utility>

#include "platform/usercontrol.h"
#include "platform/win32/windows_include.h"

namespace fw::win32 {

// Windows raises any shorter interval to this (USER_TIMER_MINIMUM).
inline constexpr int kMinimumTimerInterval = 10;

class Win32User32 final : public User32 {
 public:
  Win32User32() = default;
  ~Win32User32() override;
  Win32User32(const Win32User32&) = delete;
  Win32User32& operator=(const Win32User32&) = delete;

  Point GetCursorPos() const override;
  Point ScreenToClient(WindowHandle window, Point screen) const override;
  Point ClientToScreen(WindowHandle window, Point client) const override;
  WindowHandle WindowFromPoint(Point screen) const override;
  WindowHandle SetCapture(WindowHandle window) override;
  bool ReleaseCapture() override;
  WindowHandle GetCapture() const override;
  CursorHandle LoadCursorA(int id) override;
  CursorHandle SetCursor(CursorHandle cursor) override;
  // A window's timer; id 0 picks a fresh one. Fails (0) for a window that is not one.
  std::uintptr_t SetTimer(WindowHandle window, std::uintptr_t id, int interval_ms,
                          std::function<void()> tick) override;
  bool KillTimer(WindowHandle window, std::uintptr_t id) override;
  WindowHandle GetParent(WindowHandle window) const override;
  // The window's persistent image, as the window that owns it lends it (null for none).
  Dc* GetDC(WindowHandle window) override;
  int ReleaseDC(WindowHandle /*window*/, Dc& /*dc*/) override { return 1; }
  // "{Tab}" and "+{Tab}" go to the container's key sink: at once with `wait`, else once the
  // input being handled returns.
  void SendKeys(std::string_view keys, bool wait) override;
  // Dispatches the messages waiting in the thread's queue.
  void DoEvents() override;

  // What the window owning these services lends its controls.
  using DcSource = std::function<Dc*(HWND window)>;
  using KeySink = std::function<void(bool backwards, bool wait)>;
  void SetDcSource(DcSource source) { dc_source_ = std::move(source); }
  void SetKeySink(KeySink sink) { key_sink_ = std::move(sink); }

  // Runs the tick of the window's timer `id`; false when no such timer is kept here.
  bool DispatchTimer(HWND window, std::uintptr_t id);
  // Kills and forgets every timer of a window that is going away.
  void ForgetWindow(HWND window);
  std::size_t TimerCount() const { return timers_.size(); }

  // The window the left button last went down on, until the release: the platform's click
  // follows a release over that same window.
  HWND pressed_window() const { return pressed_window_; }
  void set_pressed_window(HWND window) { pressed_window_ = window; }

 private:
  // One running timer: KillTimer when the entry goes.
  class Timer {
   public:
    Timer(HWND window, std::uintptr_t id, std::function<void()> tick)
        : window_(window), id_(id), tick_(std::move(tick)) {}
    ~Timer() {
      if (window_ != nullptr) ::KillTimer(window_, id_);
    }
    Timer(Timer&& other) noexcept
        : window_(std::exchange(other.window_, nullptr)),
          id_(other.id_),
          tick_(std::move(other.tick_)) {}
    Timer& operator=(Timer&&) = delete;
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    const std::function<void()>& tick() const { return tick_; }
    void set_tick(std::function<void()> tick) { tick_ = std::move(tick); }

   private:
    HWND window_;
    std::uintptr_t id_;
    std::function<void()> tick_;
  };

  std::map<std::pair<HWND, std::uintptr_t>, Timer> timers_;
  // Ids picked for SetTimer(window, 0, ...), above those a program names itself.
  std::uintptr_t next_id_ = 0x7F00;
  HWND pressed_window_ = nullptr;
  DcSource dc_source_;
  KeySink key_sink_;
};

}  // namespace fw::win32
