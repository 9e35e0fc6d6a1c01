#pragma once
// One control in the window system: a ControlSurface with what is the window system's own: the
// window handle, the region as handed over, capture release on disabling, the site's ambient
// properties, and the property changes and events it passes on.
#include <memory>
#include <string>

#include "platform/host/control_surface.h"
#include "platform/windowing/window_system.h"

namespace fw::windowing {

class HostedControl final : public ControlSurface {
 public:
  HostedControl(WindowSystem& host, std::string name, WindowHandle handle, Rect twips);
  // The control goes while this window's own part still answers its calls.
  ~HostedControl() override { EndControl(); }

  WindowHandle handle() const { return handle_; }
  const Region* region() const override { return region_.get(); }

  // UserControl.
  // Disabling a window that holds the mouse capture releases it, as the platform's cancel-mode
  // notification does.
  void Enabled(bool value) override;
  using ControlSurface::Enabled;
  WindowHandle hWnd() const override { return handle_; }
  void SetWindowRgn(std::unique_ptr<Region> region, bool redraw) override;
  User32& user32() override;

  // UserControlSite.
  bool AmbientUserMode() const override;
  FontSpec AmbientFont() const override;
  bool AmbientDisplayAsDefault() const override { return display_as_default_; }
  void set_display_as_default(bool value) { display_as_default_ = value; }
  void PropertyChanged(std::string_view name) override;
  void RaiseEvent(std::string_view name, std::span<const EventArg> args) override;

 private:
  WindowSystem& host_;
  WindowHandle handle_;
  std::unique_ptr<Region> region_;
  bool display_as_default_ = false;
};

}  // namespace fw::windowing
