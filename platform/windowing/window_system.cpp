#include "platform/windowing/window_system.h"

#include <algorithm>
#include <map>
#include <stdexcept>
#include <utility>

#include "platform/host/sent_keys.h"
#include "platform/windowing/hosted_control.h"

namespace fw::windowing {

namespace {

constexpr WindowHandle kParentWindow = 1;
constexpr WindowHandle kFirstControlWindow = 0x100;
// Windows raises any shorter timer interval to this (USER_TIMER_MINIMUM).
constexpr int kMinimumTimerInterval = 10;

}  // namespace

// The desktop of the window system: cursor, capture, cursors and timers.
class WindowSystem::FakeDesktop final : public User32 {
 public:
  explicit FakeDesktop(WindowSystem& host) : host_(host) {}

  Point GetCursorPos() const override { return host_.cursor_; }

  Point ScreenToClient(WindowHandle window, Point screen) const override {
    const Point origin = ClientOrigin(window);
    return {screen.x - origin.x, screen.y - origin.y};
  }
  Point ClientToScreen(WindowHandle window, Point client) const override {
    const Point origin = ClientOrigin(window);
    return {client.x + origin.x, client.y + origin.y};
  }
  WindowHandle WindowFromPoint(Point screen) const override {
    if (const HostedControl* control = host_.ControlAt(screen)) return control->handle();
    const Point client{screen.x - host_.origin_.x, screen.y - host_.origin_.y};
    const bool in_parent = client.x >= 0 && client.y >= 0 && client.x < host_.client_.cx &&
                           client.y < host_.client_.cy;
    return in_parent ? kParentWindow : 0;
  }

  WindowHandle SetCapture(WindowHandle window) override {
    const WindowHandle previous = capture_;
    capture_ = window;
    host_.Notify([&](WindowObserver& observer) { observer.CaptureSet(NameOf(window)); });
    return previous;
  }
  bool ReleaseCapture() override {
    host_.Notify([&](WindowObserver& observer) { observer.CaptureReleased(NameOf(capture_)); });
    capture_ = 0;
    return true;
  }
  WindowHandle GetCapture() const override { return capture_; }

  CursorHandle LoadCursorA(int id) override {
    static constexpr int kSystemCursors[] = {32512, 32513, 32514, 32515, 32516, 32640,
                                             32641, 32642, 32643, 32644, 32645, 32646,
                                             32648, 32649, 32650, 32651};
    const bool known = std::find(std::begin(kSystemCursors), std::end(kSystemCursors), id) !=
                       std::end(kSystemCursors);
    return known ? static_cast<CursorHandle>(id) : 0;
  }
  CursorHandle SetCursor(CursorHandle cursor) override {
    host_.Notify([&](WindowObserver& observer) { observer.CursorSet(cursor); });
    return std::exchange(cursor_, cursor);
  }
  CursorHandle current_cursor() const { return cursor_; }

  std::uintptr_t SetTimer(WindowHandle window, std::uintptr_t id, int interval_ms,
                          std::function<void()> tick) override {
    if (id == 0) id = next_timer_id_++;
    const int interval = std::max(interval_ms, kMinimumTimerInterval);
    timers_[{window, id}] = Timer{interval, host_.now_ms_ + interval, std::move(tick)};
    return id;
  }
  bool KillTimer(WindowHandle window, std::uintptr_t id) override {
    return timers_.erase({window, id}) > 0;
  }

  // Runs every timer due up to `until`, earliest first; a tick may set or kill timers.
  void RunTimersUntil(long long until) {
    for (;;) {
      auto due = timers_.end();
      for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        if (it->second.due <= until && (due == timers_.end() || it->second.due < due->second.due)) {
          due = it;
        }
      }
      if (due == timers_.end()) break;
      host_.now_ms_ = due->second.due;
      due->second.due += due->second.interval;
      auto tick = due->second.tick;  // the tick may kill its own timer
      tick();
    }
    host_.now_ms_ = until;
  }

  WindowHandle GetParent(WindowHandle window) const override {
    return host_.ByWindow(window) != nullptr ? kParentWindow : 0;
  }
  Dc* GetDC(WindowHandle window) override {
    if (window == kParentWindow) return &host_.ParentDc();
    if (HostedControl* control = host_.ByWindow(window)) return &control->hDC();
    return nullptr;
  }
  int ReleaseDC(WindowHandle /*window*/, Dc& /*dc*/) override { return 1; }
  void SendKeys(std::string_view keys, bool wait) override {
    host_.QueueKeys(keys);
    if (wait) host_.RunPendingKeys();
  }
  void DoEvents() override { host_.RunPendingKeys(); }

  std::optional<long long> NextDue() const {
    std::optional<long long> next;
    for (const auto& entry : timers_) {
      if (!next || entry.second.due < *next) next = entry.second.due;
    }
    return next;
  }

  void Forget(WindowHandle window) {
    std::erase_if(timers_, [&](const auto& entry) { return entry.first.first == window; });
    if (capture_ == window) capture_ = 0;
  }

 private:
  struct Timer {
    int interval;
    long long due;
    std::function<void()> tick;
  };

  Point ClientOrigin(WindowHandle window) const {
    Point origin = host_.origin_;
    if (const HostedControl* control = host_.ByWindow(window)) {
      origin.x += control->PixelRect().left;
      origin.y += control->PixelRect().top;
    }
    return origin;
  }
  std::string NameOf(WindowHandle window) const {
    if (const HostedControl* control = host_.ByWindow(window)) return control->name();
    return window == kParentWindow ? "(parent)" : "";
  }

  WindowSystem& host_;
  WindowHandle capture_ = 0;
  CursorHandle cursor_ = 0;
  std::map<std::pair<WindowHandle, std::uintptr_t>, Timer> timers_;
  std::uintptr_t next_timer_id_ = 1;
};

// Input: keystrokes a control sends without waiting run once the input that made it send them
// returns.
template <class F>
void WindowSystem::AsInput(F&& input) {
  ++input_depth_;
  try {
    input();
  } catch (...) {
    --input_depth_;
    throw;
  }
  if (--input_depth_ == 0) RunPendingKeys();
}

WindowSystem::WindowSystem(GdiDevice& device, Size client, Point origin)
    : device_(device),
      client_(client),
      origin_(origin),
      desktop_(std::make_unique<FakeDesktop>(*this)),
      cursor_{origin.x - 50, origin.y - 50} {}

WindowSystem::~WindowSystem() {
  Unload();
  if (observer_ != nullptr) std::exchange(observer_, nullptr)->Detached();
}

void WindowSystem::Attach(WindowObserver& observer) {
  if (observer_ != nullptr) {
    throw std::logic_error("WindowSystem: an observer is already attached");
  }
  observer_ = &observer;
}

void WindowSystem::Detach(WindowObserver& observer) {
  if (observer_ == &observer) observer_ = nullptr;
}

HostedControl& WindowSystem::Add(const Placement& placement) {
  for (const auto& control : controls_) {
    if (control->name() == placement.name) {
      throw std::invalid_argument("WindowSystem: a control named '" + placement.name +
                                  "' is already placed");
    }
  }
  const WindowHandle handle = kFirstControlWindow + controls_.size();
  controls_.push_back(
      std::make_unique<HostedControl>(*this, placement.name, handle, placement.twips));
  return *controls_.back();
}

ControlHandlers& WindowSystem::Place(const Placement& placement, const ControlFactory& make) {
  HostedControl& slot = Add(placement);
  try {
    return slot.Start(make, placement.saved);
  } catch (...) {
    // A control that could not be made or loaded is not placed.
    controls_.pop_back();
    throw;
  }
}

std::string WindowSystem::ControlNameAt(Point client) const {
  const HostedControl* control = ControlAt({client.x + origin_.x, client.y + origin_.y});
  return control != nullptr ? control->name() : std::string();
}

WindowHandle WindowSystem::ParentWindow() const {
  return kParentWindow;
}

std::string WindowSystem::FocusedName() const {
  const HostedControl* control = Focused();
  return control != nullptr ? control->name() : std::string();
}

HostedControl* WindowSystem::ControlAt(Point screen) const {
  const Point client{screen.x - origin_.x, screen.y - origin_.y};
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    const Rect r = (*it)->PixelRect();
    if ((*it)->HitTest({client.x - r.left, client.y - r.top})) return it->get();
  }
  return nullptr;
}

HostedControl* WindowSystem::ByWindow(WindowHandle window) const {
  for (const auto& control : controls_) {
    if (control->handle() == window) return control.get();
  }
  return nullptr;
}

HostedControl* WindowSystem::Focused() const {
  return ByWindow(focus_);
}

namespace {

// The mouse goes to the window holding the capture, else to the one under the cursor; a
// disabled window receives nothing.
struct MouseTarget {
  HostedControl* control;
  float x;
  float y;
};

}  // namespace

void WindowSystem::MoveMouse(int x, int y) {
  AsInput([&] {
    cursor_ = {origin_.x + x, origin_.y + y};
    HostedControl* target = ByWindow(desktop_->GetCapture());
    if (target == nullptr) target = ControlAt(cursor_);
    if (target == nullptr || !target->Enabled()) return;
    const Point client = desktop_->ScreenToClient(target->handle(), cursor_);
    target->control().MouseMove(held_buttons_, held_shift_, target->ToScaleX(client.x),
                                target->ToScaleY(client.y));
  });
}

void WindowSystem::MouseDown(std::int16_t button, std::int16_t shift) {
  AsInput([&] {
    HostedControl* target = ByWindow(desktop_->GetCapture());
    if (target == nullptr) target = ControlAt(cursor_);
    held_buttons_ = static_cast<std::int16_t>(held_buttons_ | button);
    held_shift_ = shift;
    if (target == nullptr || !target->Enabled()) return;
    // Pressing a control gives it the focus first, as clicking a window does.
    if (focus_ != target->handle()) Focus(target->name());
    pressed_ = target->handle();
    const Point client = desktop_->ScreenToClient(target->handle(), cursor_);
    target->control().MouseDown(button, shift, target->ToScaleX(client.x),
                                target->ToScaleY(client.y));
  });
}

void WindowSystem::MouseUp(std::int16_t button, std::int16_t shift) {
  AsInput([&] {
    held_buttons_ = static_cast<std::int16_t>(held_buttons_ & ~button);
    held_shift_ = shift;
    HostedControl* target = ByWindow(desktop_->GetCapture());
    if (target == nullptr) target = ControlAt(cursor_);
    HostedControl* pressed = ByWindow(std::exchange(pressed_, 0));
    if (target != nullptr && target->Enabled()) {
      const Point client = desktop_->ScreenToClient(target->handle(), cursor_);
      target->control().MouseUp(button, shift, target->ToScaleX(client.x),
                                target->ToScaleY(client.y));
    }
    // The platform's click follows a release over the control that was pressed.
    if (pressed != nullptr && pressed->Enabled() && button == kLeftButton &&
        pressed->HitTest(desktop_->ScreenToClient(pressed->handle(), cursor_))) {
      pressed->control().Click();
    }
  });
}

void WindowSystem::DoubleClickPress(std::int16_t shift) {
  AsInput([&] {
    HostedControl* target = ControlAt(cursor_);
    held_buttons_ = static_cast<std::int16_t>(held_buttons_ | kLeftButton);
    held_shift_ = shift;
    if (target != nullptr && target->Enabled()) target->control().DblClick();
  });
}

void WindowSystem::KeyDown(std::int16_t key_code, std::int16_t shift) {
  AsInput([&] {
    if (HostedControl* target = Focused(); target != nullptr && target->Enabled()) {
      target->control().KeyDown(key_code, shift);
    }
  });
}

void WindowSystem::KeyPress(std::int16_t key_ascii) {
  AsInput([&] {
    if (HostedControl* target = Focused(); target != nullptr && target->Enabled()) {
      target->control().KeyPress(key_ascii);
    }
  });
}

void WindowSystem::KeyUp(std::int16_t key_code, std::int16_t shift) {
  AsInput([&] {
    if (HostedControl* target = Focused(); target != nullptr && target->Enabled()) {
      target->control().KeyUp(key_code, shift);
    }
  });
}

void WindowSystem::Focus(const std::string& name) {
  AsInput([&] {
    HostedControl* next = nullptr;
    if (!name.empty()) {
      for (const auto& control : controls_) {
        if (control->name() == name) next = control.get();
      }
      if (next == nullptr) throw std::invalid_argument("WindowSystem: no control named " + name);
    }
    HostedControl* previous = Focused();
    if (previous == next) return;
    focus_ = next != nullptr ? next->handle() : 0;
    if (previous != nullptr) previous->control().LostFocus();
    if (next != nullptr) next->control().GotFocus();
  });
}

std::optional<long long> WindowSystem::NextTimerDue() const {
  return desktop_->NextDue();
}

void WindowSystem::Advance(int milliseconds) {
  AsInput([&] { desktop_->RunTimersUntil(now_ms_ + std::max(milliseconds, 0)); });
}

void WindowSystem::SetDisplayAsDefault(const std::string& name, bool value) {
  HostedControl* target = nullptr;
  for (const auto& control : controls_) {
    if (control->name() == name) target = control.get();
  }
  if (target == nullptr) throw std::invalid_argument("WindowSystem: no control named " + name);
  target->set_display_as_default(value);
  AsInput([&] { target->control().AmbientChanged("DisplayAsDefault"); });
}

bool WindowSystem::PressAccessKey(char key) {
  for (const auto& control : controls_) {
    if (control->HoldsAccessKey(key) && control->Enabled()) {
      AsInput([&] { control->control().AccessKeyPress(static_cast<unsigned char>(key)); });
      return true;
    }
  }
  return false;
}

Dc& WindowSystem::ParentDc() {
  if (parent_dc_ == nullptr) parent_dc_ = device_.CreateSurface(client_.cx, client_.cy, 0xFFFFFF);
  return *parent_dc_;
}

// The key-sending texts the window system understands: "{Tab}" and "+{Tab}", one or more.
void WindowSystem::QueueKeys(std::string_view keys) {
  if (observer_ != nullptr) observer_->KeysSent(keys);
  const std::vector<bool> tabs = ParseSentTabs(keys);
  pending_tabs_.insert(pending_tabs_.end(), tabs.begin(), tabs.end());
}

void WindowSystem::RunPendingKeys() {
  if (running_keys_) return;
  running_keys_ = true;
  try {
    while (!pending_tabs_.empty()) {
      const bool backwards = pending_tabs_.front();
      pending_tabs_.erase(pending_tabs_.begin());
      Tab(backwards);
    }
  } catch (...) {
    running_keys_ = false;
    throw;
  }
  running_keys_ = false;
}

void WindowSystem::Tab(bool backwards) {
  if (on_tab_) {
    on_tab_(backwards);
    return;
  }
  const auto count = static_cast<std::ptrdiff_t>(controls_.size());
  std::ptrdiff_t at = backwards ? count : -1;
  for (std::ptrdiff_t i = 0; i < count; ++i) {
    if (controls_[static_cast<std::size_t>(i)]->handle() == focus_) at = i;
  }
  for (std::ptrdiff_t step = 1; step <= count; ++step) {
    const std::ptrdiff_t i = ((at + (backwards ? -step : step)) % count + count) % count;
    const HostedControl& next = *controls_[static_cast<std::size_t>(i)];
    if (next.Enabled()) {
      Focus(next.name());
      return;
    }
  }
}

namespace {
HostedControl& Find(const std::vector<std::unique_ptr<HostedControl>>& controls,
                    const std::string& name) {
  for (const auto& control : controls) {
    if (control->name() == name) return *control;
  }
  throw std::invalid_argument("WindowSystem: no control named " + name);
}
}  // namespace

UserControl& WindowSystem::WindowOf(const std::string& name) {
  return Find(controls_, name);
}
const UserControl& WindowSystem::WindowOf(const std::string& name) const {
  return Find(controls_, name);
}
ControlSurface& WindowSystem::SurfaceOf(const std::string& name) {
  return Find(controls_, name);
}
const Region* WindowSystem::RegionOf(const std::string& name) const {
  return Find(controls_, name).region();
}
User32& WindowSystem::Desktop() {
  return *desktop_;
}
CursorHandle WindowSystem::CurrentCursor() const {
  return desktop_->current_cursor();
}

void WindowSystem::Unload() {
  while (!controls_.empty()) {
    HostedControl& last = *controls_.back();
    if (last.has_control()) last.control().Terminate();
    desktop_->Forget(last.handle());
    if (focus_ == last.handle()) focus_ = 0;
    controls_.pop_back();
  }
}

}  // namespace fw::windowing
