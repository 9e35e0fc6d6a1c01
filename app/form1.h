#pragma once
// Form1: the program's only window. It shows whether USB mass storage is locked, locks and
// unlocks it, shows the note on the limits of the protection and the About message, and asks
// before the program quits. Everything it shows comes from its stored design; its code runs
// only in reaction to its five buttons' Click events, Timer1's ticks and the close request.
#include <cstdint>
#include <span>
#include <string_view>

#include "app/usb_storage_policy.h"
#include "platform/elevation.h"
#include "platform/form/form_host.h"
#include "platform/registry.h"

namespace fw::app {

class Form1 final : public FormEvents {
 public:
  // `elevation`, where the platform has it, carries out a lock or unlock the user's own rights
  // do not allow (null: a refused write only shows the failure message).
  Form1(FormHost& host, Registry& registry, Elevation* elevation = nullptr)
      : host_(host), registry_(registry), elevation_(elevation) {}

  void ControlEvent(std::string_view control, std::string_view event,
                    std::span<const EventArg> args) override;
  void QueryUnload(std::int16_t& cancel, std::int16_t unload_mode) override;
  void Timer(std::string_view timer) override;

 private:
  void cmdLock_Click();
  void cmdUnLock_Click();
  void Command1_Click();
  void Command2_Click();
  void cmdExit_Click();
  void Timer1_Timer();

  // Writes both drivers' Start for `lock`; when the user may not, has ferrowind-cli do it as an
  // administrator. Whether the drivers were written.
  bool WriteDrivers(bool lock);

  // Shows one padlock state: the picture and which of the two buttons is available. A property
  // changes only where its value differs, so a steady state repaints nothing.
  void ShowState(bool locked);

  FormHost& host_;
  Registry& registry_;
  Elevation* elevation_;
};

}  // namespace fw::app
