#pragma once
// What an owner-drawn control is written against: its own window with a persistent drawing
// surface (`UserControl`), the desktop's input services (`User32`), and the container that
// holds it (`UserControlSite`). A control implements `ControlHandlers`; the host calls them for
// the platform's notifications, one at a time, on the user-interface thread.
//
// Hosts: the headless host of the tests (platform/headless, both builds), the Linux desktop
// host (platform/sdl) and real Win32 child windows (platform/win32).
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/color.h"
#include "platform/gdi.h"
#include "platform/geometry.h"
#include "platform/picture.h"

namespace fw {

class PropertyBag;  // platform/property_bag.h: what ReadProperties and WriteProperties get

// A window as the platform names it: an HWND's value in the Windows build, an id elsewhere.
// 0 is no window.
using WindowHandle = std::uintptr_t;
// A cursor as LoadCursorA returns it; 0 is no cursor.
using CursorHandle = std::uintptr_t;

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kIdcHand = 32649;   // LoadCursorA(nullptr, IDC_HAND)
inline constexpr int kIdcArrow = 32512;  // LoadCursorA(nullptr, IDC_ARROW)

// ScaleMode values, and the units ScaleX and ScaleY convert between.
enum ScaleUnits : int {
  kScaleUser = 0,
  kScaleTwips = 1,
  kScalePoints = 2,
  kScalePixels = 3,
  kScaleHimetric = 8,
};

// Mouse buttons and shift state as events carry them.
enum MouseButtons : std::int16_t { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };
enum ShiftState : std::int16_t { kShiftMask = 1, kCtrlMask = 2, kAltMask = 4 };

// An argument that does not fit the type the call takes (a MousePointer beyond 16 bits, a key
// code beyond 8): the call changes nothing and throws this.
class OverflowError : public std::overflow_error {
 public:
  using std::overflow_error::overflow_error;
};

// The data of a drag-and-drop operation; opaque to the controls, which pass it on.
struct DataObject {
  std::vector<std::pair<std::int16_t, std::string>> formats;
};

// One argument of an event, passed by reference: the container's handler may change it.
using EventArg = std::variant<std::int16_t*, std::int32_t*, float*, bool*, DataObject*>;

// The desktop's input services, as user32 offers them. Coordinates are screen pixels.
class User32 {
 public:
  virtual ~User32() = default;
  virtual Point GetCursorPos() const = 0;
  virtual Point ScreenToClient(WindowHandle window, Point screen) const = 0;
  virtual Point ClientToScreen(WindowHandle window, Point client) const = 0;
  virtual WindowHandle WindowFromPoint(Point screen) const = 0;
  // Returns the window that had the capture before.
  virtual WindowHandle SetCapture(WindowHandle window) = 0;
  virtual bool ReleaseCapture() = 0;
  virtual WindowHandle GetCapture() const = 0;
  // System cursors only (module null): the id's cursor, or 0 for an unknown id.
  virtual CursorHandle LoadCursorA(int id) = 0;
  // Returns the previous cursor.
  virtual CursorHandle SetCursor(CursorHandle cursor) = 0;
  // A timer of `window` calling `tick` every `interval_ms`; returns its id (never 0). Setting an
  // existing id restarts it with the new interval.
  virtual std::uintptr_t SetTimer(WindowHandle window, std::uintptr_t id, int interval_ms,
                                  std::function<void()> tick) = 0;
  virtual bool KillTimer(WindowHandle window, std::uintptr_t id) = 0;

  // The services below have defaults that do nothing, for hosts that do not offer them yet.

  // The window's parent (GetParent): a control's container window; 0 for none.
  virtual WindowHandle GetParent(WindowHandle /*window*/) const { return 0; }
  // The device context of `window`'s client area (GetDC), valid until ReleaseDC; null when the
  // window has none. A container window keeps one context of its own, so the colours selected
  // in it and its pixels are the ones its own painting left there.
  virtual Dc* GetDC(WindowHandle /*window*/) { return nullptr; }
  virtual int ReleaseDC(WindowHandle /*window*/, Dc& /*dc*/) { return 0; }
  // Sends keystrokes, in the key-sending syntax ("{Tab}", "+{Tab}" for Shift+Tab), to the window
  // with the focus. Without `wait` they are queued behind the notification being handled and
  // processed when it returns, or at the next DoEvents.
  virtual void SendKeys(std::string_view /*keys*/, bool /*wait*/) {}
  // Processes the platform's pending events before returning (DoEvents).
  virtual void DoEvents() {}
};

// The container's side of a control: ambient properties, change notification and events.
class UserControlSite {
 public:
  virtual ~UserControlSite() = default;
  // True at run time, False while the container is being designed.
  virtual bool AmbientUserMode() const = 0;
  // The instance's name in its container ("Command1").
  virtual std::string AmbientDisplayName() const = 0;
  virtual FontSpec AmbientFont() const = 0;
  // The container's default-button flag for this instance.
  virtual bool AmbientDisplayAsDefault() const = 0;
  // The property `name` changed: the container's design data needs saving.
  virtual void PropertyChanged(std::string_view name) = 0;
  // Runs the container's handler of event `name` synchronously; it may change the arguments.
  virtual void RaiseEvent(std::string_view name, std::span<const EventArg> args) = 0;
};

// The control's own window and its persistent drawing surface.
class UserControl {
 public:
  virtual ~UserControl() = default;

  // Surface.
  virtual bool AutoRedraw() const = 0;
  virtual void AutoRedraw(bool value) = 0;
  virtual int ScaleMode() const = 0;
  virtual void ScaleMode(int mode) = 0;
  // Clears the surface to its BackColor.
  virtual void Cls() = 0;
  // The window's outer size in twips; setting one resizes the window and its surface and runs
  // the control's Resize handler before returning.
  virtual int Width() const = 0;
  virtual void Width(int twips) = 0;
  virtual int Height() const = 0;
  virtual void Height(int twips) = 0;
  // The client size in ScaleMode units.
  virtual double ScaleWidth() const = 0;
  virtual double ScaleHeight() const = 0;
  // 0 transparent (the mask decides what shows), 1 opaque.
  virtual int BackStyle() const = 0;
  virtual void BackStyle(int value) = 0;
  // Setting BackColor clears the surface to it, as the surface's own property does.
  virtual ColorValue BackColor() const = 0;
  virtual void BackColor(ColorValue color) = 0;
  // The pen and text colour of the surface.
  virtual ColorValue ForeColor() const = 0;
  virtual void ForeColor(ColorValue color) = 0;
  virtual FontSpec Font() const = 0;
  virtual void Font(const FontSpec& font) = 0;
  virtual bool Enabled() const = 0;
  virtual void Enabled(bool value) = 0;
  // The surface's device context (its pen is ForeColor, its font Font).
  virtual Dc& hDC() = 0;
  virtual WindowHandle hWnd() const = 0;
  // Draws a picture at its natural size with its top-left at (x, y) in pixels.
  virtual void PaintPicture(const Picture& picture, int x, int y) = 0;
  // Converts between ScaleUnits (for example HIMETRIC to pixels).
  virtual double ScaleX(double value, int from, int to) const = 0;
  virtual double ScaleY(double value, int from, int to) const = 0;
  // With BackStyle 0, the pixels of MaskPicture in MaskColor are see-through.
  virtual ColorValue MaskColor() const = 0;
  virtual void MaskColor(ColorValue color) = 0;
  virtual PicturePtr MaskPicture() const = 0;
  virtual void MaskPicture(PicturePtr picture) = 0;
  // A bitmap picture of the persistent surface as it is now.
  virtual PicturePtr Image() const = 0;
  // Shows the persistent image in the window now.
  virtual void Refresh() = 0;

  // The window's shape: the window takes ownership of the region; null removes the shape.
  virtual void SetWindowRgn(std::unique_ptr<Region> region, bool redraw) = 0;
  virtual std::int16_t MousePointer() const = 0;
  virtual void MousePointer(std::int16_t pointer) = 0;
  virtual PicturePtr MouseIcon() const = 0;
  virtual void MouseIcon(PicturePtr icon) = 0;

  virtual User32& user32() = 0;
  virtual GdiDevice& gdi() = 0;

  // The characters that, pressed with Alt, raise the control's AccessKeyPress; "" for none.
  // The default keeps none, for hosts that do not offer access keys yet.
  virtual std::string AccessKeys() const { return {}; }
  virtual void AccessKeys(std::string_view /*keys*/) {}
};

// Converts a 32-bit MousePointer argument to 16 bits, as the setter must: a value outside
// -32768..32767 is an overflow error.
inline std::int16_t ToMousePointer(std::int32_t value) {
  if (value < -32768 || value > 32767) {
    throw OverflowError("MousePointer: " + std::to_string(value) + " does not fit in 16 bits");
  }
  return static_cast<std::int16_t>(value);
}

// The notifications a control handles. Mouse positions are in the control's ScaleMode units.
class ControlHandlers {
 public:
  virtual ~ControlHandlers() = default;
  virtual void Click() {}
  virtual void DblClick() {}
  virtual void GotFocus() {}
  virtual void KeyDown(std::int16_t /*key_code*/, std::int16_t /*shift*/) {}
  virtual void KeyPress(std::int16_t /*key_ascii*/) {}
  virtual void KeyUp(std::int16_t /*key_code*/, std::int16_t /*shift*/) {}
  virtual void LostFocus() {}
  virtual void MouseDown(std::int16_t /*button*/, std::int16_t /*shift*/, float /*x*/,
                         float /*y*/) {}
  virtual void MouseMove(std::int16_t /*button*/, std::int16_t /*shift*/, float /*x*/,
                         float /*y*/) {}
  virtual void MouseUp(std::int16_t /*button*/, std::int16_t /*shift*/, float /*x*/, float /*y*/) {}
  virtual void AccessKeyPress(std::int16_t /*key_ascii*/) {}
  // An ambient property of the container changed ("DisplayAsDefault", "Font"...).
  virtual void AmbientChanged(std::string_view /*name*/) {}
  virtual void InitProperties() {}
  virtual void OLECompleteDrag(std::int32_t& /*effect*/) {}
  virtual void OLEDragDrop(DataObject& /*data*/, std::int32_t& /*effect*/, std::int16_t& /*button*/,
                           std::int16_t& /*shift*/, float& /*x*/, float& /*y*/) {}
  virtual void OLEDragOver(DataObject& /*data*/, std::int32_t& /*effect*/, std::int16_t& /*button*/,
                           std::int16_t& /*shift*/, float& /*x*/, float& /*y*/,
                           std::int16_t& /*state*/) {}
  virtual void OLEGiveFeedback(std::int32_t& /*effect*/, bool& /*default_cursors*/) {}
  virtual void OLESetData(DataObject& /*data*/, std::int16_t& /*data_format*/) {}
  virtual void OLEStartDrag(DataObject& /*data*/, std::int32_t& /*allowed_effects*/) {}
  virtual void Paint() {}
  virtual void Resize() {}
  virtual void Show() {}
  virtual void Hide() {}
  virtual void ReadProperties(const PropertyBag& /*bag*/) {}
  virtual void WriteProperties(PropertyBag& /*bag*/) const {}
  virtual void Terminate() {}
};

}  // namespace fw
