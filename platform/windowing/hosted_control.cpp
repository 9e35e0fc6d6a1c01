#include "platform/windowing/hosted_control.h"

#include <utility>

namespace fw::windowing {

HostedControl::HostedControl(WindowSystem& host, std::string name, WindowHandle handle, Rect twips)
    : ControlSurface(host.Device(), std::move(name), twips, host.AmbientFont()),
      host_(host),
      handle_(handle) {}

void HostedControl::Enabled(bool value) {
  ControlSurface::Enabled(value);
  if (!value && host_.Desktop().GetCapture() == handle_) host_.Desktop().ReleaseCapture();
}

void HostedControl::SetWindowRgn(std::unique_ptr<Region> region, bool /*redraw*/) {
  region_ = std::move(region);
}

User32& HostedControl::user32() {
  return host_.Desktop();
}

bool HostedControl::AmbientUserMode() const {
  return host_.UserMode();
}
FontSpec HostedControl::AmbientFont() const {
  return host_.AmbientFont();
}

void HostedControl::PropertyChanged(std::string_view name) {
  host_.Notify([&](WindowObserver& observer) { observer.PropertyChanged(this->name(), name); });
}

void HostedControl::RaiseEvent(std::string_view name, std::span<const EventArg> args) {
  host_.Notify([&](WindowObserver& observer) { observer.EventRaised(this->name(), name, args); });
  if (host_.on_event_) host_.on_event_(this->name(), name, args);
}

}  // namespace fw::windowing
