#pragma once
// The software window system: a parent window with control windows in it, in placement order
// (the last placed is on top). It routes the mouse to the capture holder or the window under
// the cursor (window regions included), clicks after a release over the pressed control, moves
// the focus, runs timers on its own clock, answers the controls' User32 calls (cursor, capture,
// cursors, timers, the parent's DC, sent keys) and counts everything that happens in its
// revision. The Linux desktop drives it with real input and the wall clock; the test driver
// (platform/headless) drives it with scripted input and a fake clock. It keeps no record of
// what happened: an attached WindowObserver hears of it. It draws with the build's own
// GdiDevice, so in the Windows build every control paints into real GDI DIB sections.
//
// Everything runs synchronously on the calling thread; nothing waits on the wall clock.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/host/control_surface.h"
#include "platform/usercontrol.h"
#include "platform/windowing/window_observer.h"

namespace fw::windowing {

// The container's handler of an event: (control name, event name, arguments by reference).
using EventHandler =
    std::function<void(const std::string&, std::string_view, std::span<const EventArg>)>;

// One control placed in the window system: its window, surface and site.
class HostedControl;

// How a control comes to life: fresh at design time, or from saved design data.
struct Placement {
  std::string name;                    // the instance name, the ambient display name
  Rect twips;                          // position and size in the parent, in twips
  const PropertyBag* saved = nullptr;  // null: InitProperties; else ReadProperties(*saved)
};

class WindowSystem {
 public:
  // A parent window whose client area is `client` pixels, with its top-left at `origin` on the
  // screen (not at 0, 0, so that screen and client coordinates differ).
  explicit WindowSystem(GdiDevice& device, Size client = {395, 225}, Point origin = {120, 80});
  ~WindowSystem();
  WindowSystem(const WindowSystem&) = delete;
  WindowSystem& operator=(const WindowSystem&) = delete;

  // Places a control made by `make` (which receives its window and site) and brings it to life:
  // InitProperties or ReadProperties, then Show. Returns the control.
  template <class Control>
  Control& Place(const Placement& placement) {
    Control* made = nullptr;
    Place(placement, [&made](UserControl& window, UserControlSite& site) {
      auto control = std::make_unique<Control>(window, site);
      made = control.get();
      return control;
    });
    return *made;
  }

  // The same for a control whose class is known only at run time (a window built from design
  // data): `make` creates it on its window and site.
  using ControlFactory = ControlSurface::ControlFactory;
  ControlHandlers& Place(const Placement& placement, const ControlFactory& make);

  // Ambient properties the controls see.
  void SetUserMode(bool run_time) { user_mode_ = run_time; }
  bool UserMode() const { return user_mode_; }
  void SetAmbientFont(const FontSpec& font) { ambient_font_ = font; }
  const FontSpec& AmbientFont() const { return ambient_font_; }

  // The container's event handler (the form's code); events are counted either way.
  void OnEvent(EventHandler handler) { on_event_ = std::move(handler); }

  // Input, in the parent's client pixels. A disabled control receives no mouse or key input.
  void MoveMouse(int x, int y);
  void MouseDown(std::int16_t button = kLeftButton, std::int16_t shift = 0);
  // Releases the button; a release over the control that was pressed also clicks it.
  void MouseUp(std::int16_t button = kLeftButton, std::int16_t shift = 0);
  // The second press of a double click as a real desktop reports it, after the first press and
  // release went through MouseDown and MouseUp: the double-click notification in place of the
  // down. The release that follows is a plain MouseUp, which clicks nothing.
  void DoubleClickPress(std::int16_t shift = 0);
  void KeyDown(std::int16_t key_code, std::int16_t shift = 0);
  void KeyPress(std::int16_t key_ascii);
  void KeyUp(std::int16_t key_code, std::int16_t shift = 0);
  // Gives the focus to the named control (the previous one loses it); "" takes it away.
  void Focus(const std::string& name);
  // Advances the fake clock, running due timers in time order.
  void Advance(int milliseconds);
  long long Now() const { return now_ms_; }
  // When the next timer tick is due on the fake clock; nothing while no timer runs.
  std::optional<long long> NextTimerDue() const;

  // The container's default-button flag of the named control (its AmbientDisplayAsDefault);
  // the control is told that the ambient property changed.
  void SetDisplayAsDefault(const std::string& name, bool value);
  // Alt and `key`: the first enabled control whose access keys hold `key` (in either case)
  // receives AccessKeyPress with it. Returns whether one did.
  bool PressAccessKey(char key);
  // The parent window's own device context: its pixels (what lies behind the controls) and the
  // colours selected in it, both of which tests set. Made on first use: white, black text on a
  // white background.
  Dc& ParentDc();
  // How a Tab keystroke that a control sends (User32::SendKeys) moves the focus. Without a
  // handler: to the next enabled control in placement order (Shift+Tab: the previous one),
  // wrapping around. Keystrokes sent without waiting run once the input being handled returns.
  void OnTabKey(std::function<void(bool backwards)> handler) { on_tab_ = std::move(handler); }

  // Grows with everything that happens in the window system (events, property changes,
  // captures, cursor changes): a desktop compares it to see whether anything may look different.
  std::uint64_t Revision() const { return revision_; }

  // Attaches the one observer that hears of what happens from now on until it is detached or
  // the window system ends (its Detached is called then). Throws std::logic_error while another
  // is attached.
  void Attach(WindowObserver& observer);
  void Detach(WindowObserver& observer);

  UserControl& WindowOf(const std::string& name);
  const UserControl& WindowOf(const std::string& name) const;
  // The control's window as every host's windows are (its surface, size and control).
  ControlSurface& SurfaceOf(const std::string& name);
  // The control's window region (null when it has none).
  const Region* RegionOf(const std::string& name) const;
  // The control whose window is under a point of the parent's client area (window regions
  // included), or "" for none.
  std::string ControlNameAt(Point client) const;
  // The name of the control that has the focus, or "".
  std::string FocusedName() const;
  // The parent window's client area's size.
  Size Client() const { return client_; }
  // The parent window's own handle (for its timers).
  WindowHandle ParentWindow() const;
  User32& Desktop();
  GdiDevice& Device() { return device_; }
  CursorHandle CurrentCursor() const;
  // Ends every control (Terminate) in reverse order of placement.
  void Unload();

 private:
  friend class HostedControl;
  HostedControl& Add(const Placement& placement);
  HostedControl* ControlAt(Point screen) const;
  HostedControl* ByWindow(WindowHandle window) const;
  HostedControl* Focused() const;
  // Runs `input` and then the keystrokes it queued, unless it is itself part of other input.
  template <class F>
  void AsInput(F&& input);
  void QueueKeys(std::string_view keys);
  void RunPendingKeys();
  void Tab(bool backwards);
  // Counts one thing that happened and tells the observer, if one is attached.
  template <class Tell>
  void Notify(Tell&& tell) {
    ++revision_;
    if (observer_ != nullptr) tell(*observer_);
  }

  class FakeDesktop;
  GdiDevice& device_;
  Size client_;
  Point origin_;
  bool user_mode_ = true;
  FontSpec ambient_font_{"MS Sans Serif", 8.25, false, false, false, false};
  EventHandler on_event_;
  std::vector<std::unique_ptr<HostedControl>> controls_;
  std::unique_ptr<FakeDesktop> desktop_;
  WindowObserver* observer_ = nullptr;
  std::uint64_t revision_ = 0;
  Point cursor_;              // screen pixels
  WindowHandle pressed_ = 0;  // the window a held mouse button went down on
  std::int16_t held_buttons_ = 0;
  std::int16_t held_shift_ = 0;
  WindowHandle focus_ = 0;
  long long now_ms_ = 0;
  std::unique_ptr<Dc> parent_dc_;
  std::function<void(bool backwards)> on_tab_;
  std::vector<bool> pending_tabs_;  // queued Tab keystrokes: true for Shift+Tab
  int input_depth_ = 0;
  bool running_keys_ = false;
};

}  // namespace fw::windowing
