#pragma once
// What a window's code is written against: the window built from its stored design, the
// controls on it by name, the platform's modal message box and the window's close request. The
// window's code implements `FormEvents`; the host calls it one notification at a time on the
// user-interface thread.
//
// Hosts: the headless form of the tests and the Linux desktop (platform/form/software_form.h,
// platform/sdl), and real Win32 windows.
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "platform/usercontrol.h"

namespace fw {

// Message-box style words and answers, as MessageBoxA takes and returns them.
inline constexpr int kMbOk = 0x00;
inline constexpr int kMbYesNo = 0x04;
inline constexpr int kMbIconError = 0x10;
inline constexpr int kMbIconQuestion = 0x20;
inline constexpr int kMbIconExclamation = 0x30;
inline constexpr int kMbIconInformation = 0x40;
inline constexpr int kMbButtonsMask = 0x0F;
inline constexpr int kMbIconMask = 0xF0;
inline constexpr int kIdOk = 1;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

// Why the window is closing, as the close request reports it.
enum UnloadMode : std::int16_t {
  kUnloadFormControlMenu = 0,  // the close box or the system menu
  kUnloadFormCode = 1,         // the window's own code asked
  kUnloadAppWindows = 2,       // the user is logging off or the system shuts down
};

// A label on the window: its text and whether it shows. Setting either redraws the window.
class FormLabel {
 public:
  virtual ~FormLabel() = default;
  virtual const std::string& Caption() const = 0;
  virtual void Caption(std::string text) = 0;
  virtual bool Visible() const = 0;
  virtual void Visible(bool value) = 0;
};

// A picture on the window: whether it shows and the tooltip it shows on hover.
class FormImage {
 public:
  virtual ~FormImage() = default;
  virtual bool Visible() const = 0;
  virtual void Visible(bool value) = 0;
  virtual const std::string& ToolTipText() const = 0;
  virtual void ToolTipText(std::string text) = 0;
};

// The window's code.
class FormEvents {
 public:
  virtual ~FormEvents() = default;
  // An event a user control raised (`control` is its name, "cmdLock").
  virtual void ControlEvent(std::string_view /*control*/, std::string_view /*event*/,
                            std::span<const EventArg> /*args*/) {}
  // The close request: setting `cancel` to a non-zero value keeps the window open.
  virtual void QueryUnload(std::int16_t& /*cancel*/, std::int16_t /*unload_mode*/) {}
  // A tick of the named timer.
  virtual void Timer(std::string_view /*timer*/) {}
};

class FormHost {
 public:
  virtual ~FormHost() = default;
  // The design's labels, pictures and user controls by name. An unknown name, or a name of
  // another kind, throws std::out_of_range naming it.
  virtual FormLabel& Label(std::string_view name) = 0;
  virtual FormImage& Image(std::string_view name) = 0;
  virtual ControlHandlers& Control(std::string_view name) = 0;
  template <class T>
  T& ControlAs(std::string_view name) {
    return dynamic_cast<T&>(Control(name));
  }
  // The platform's modal message box; returns the answer (kIdOk, kIdYes, kIdNo), or 0 when the
  // box could not be shown, as MessageBoxA does.
  virtual int MsgBox(std::string_view text, int style, std::string_view title) = 0;
  // The window's code asks the window to close: the close request is raised with
  // kUnloadFormCode, and unless it is cancelled the window unloads. Returns whether it did.
  virtual bool Unload() = 0;
};

}  // namespace fw
