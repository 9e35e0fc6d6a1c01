#pragma once
// The recording observer: attached to a window system, it keeps what happens there, in order,
// for a test to read. Only tests and the preview tool attach one; the desktop runs without.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/windowing/window_system.h"

namespace fw::headless {

// What the window system did, in order.
struct Record {
  enum class Kind { Event, PropertyChanged, SetCapture, ReleaseCapture, SetCursor };
  Kind kind;
  std::string control;  // the control's name ("" for a cursor change)
  std::string name;     // event or property name; for SetCursor the cursor's id
  std::string args;     // an event's arguments as they reached the container, "a,b,c"
  friend bool operator==(const Record&, const Record&) = default;
};

// Made on a window system, it records everything from then on until it is destroyed (or the
// window system is). One at a time per window system.
class Recorder final : public windowing::WindowObserver {
 public:
  explicit Recorder(windowing::WindowSystem& windows);
  ~Recorder() override;
  Recorder(const Recorder&) = delete;
  Recorder& operator=(const Recorder&) = delete;

  const std::vector<Record>& Records() const { return records_; }
  std::vector<Record> RecordsOf(Record::Kind kind) const;
  void Clear() { records_.clear(); }
  // Every key-sending text the controls sent (User32::SendKeys), in order.
  const std::vector<std::string>& SentKeys() const { return sent_keys_; }

 private:
  void EventRaised(const std::string& control, std::string_view event,
                   std::span<const EventArg> args) override;
  void PropertyChanged(const std::string& control, std::string_view property) override;
  void CaptureSet(const std::string& window) override;
  void CaptureReleased(const std::string& window) override;
  void CursorSet(CursorHandle cursor) override;
  void KeysSent(std::string_view keys) override;
  void Detached() override { windows_ = nullptr; }

  windowing::WindowSystem* windows_;
  std::vector<Record> records_;
  std::vector<std::string> sent_keys_;
};

// Formats event arguments as the records show them: integers in decimal, floats with up to
// six significant digits, Booleans True/False, data objects as "Data".
std::string FormatEventArgs(std::span<const EventArg> args);

}  // namespace fw::headless
