#include "platform/headless/recorder.h"

#include <cstdio>
#include <type_traits>
#include <variant>

namespace fw::headless {

Recorder::Recorder(windowing::WindowSystem& windows) : windows_(&windows) {
  windows.Attach(*this);
}

Recorder::~Recorder() {
  if (windows_ != nullptr) windows_->Detach(*this);
}

std::vector<Record> Recorder::RecordsOf(Record::Kind kind) const {
  std::vector<Record> out;
  for (const Record& r : records_) {
    if (r.kind == kind) out.push_back(r);
  }
  return out;
}

void Recorder::EventRaised(const std::string& control, std::string_view event,
                           std::span<const EventArg> args) {
  records_.push_back({Record::Kind::Event, control, std::string(event), FormatEventArgs(args)});
}
void Recorder::PropertyChanged(const std::string& control, std::string_view property) {
  records_.push_back({Record::Kind::PropertyChanged, control, std::string(property), ""});
}
void Recorder::CaptureSet(const std::string& window) {
  records_.push_back({Record::Kind::SetCapture, window, "", ""});
}
void Recorder::CaptureReleased(const std::string& window) {
  records_.push_back({Record::Kind::ReleaseCapture, window, "", ""});
}
void Recorder::CursorSet(CursorHandle cursor) {
  records_.push_back({Record::Kind::SetCursor, "", std::to_string(cursor), ""});
}
void Recorder::KeysSent(std::string_view keys) {
  sent_keys_.emplace_back(keys);
}

std::string FormatEventArgs(std::span<const EventArg> args) {
  std::string out;
  for (const EventArg& arg : args) {
    if (!out.empty()) out += ',';
    std::visit(
        [&](auto* value) {
          using T = std::remove_pointer_t<decltype(value)>;
          if constexpr (std::is_same_v<T, bool>) {
            out += *value ? "True" : "False";
          } else if constexpr (std::is_same_v<T, float>) {
            char text[32];
            std::snprintf(text, sizeof text, "%g", static_cast<double>(*value));
            out += text;
          } else if constexpr (std::is_same_v<T, DataObject>) {
            out += "Data";
          } else {
            out += std::to_string(*value);
          }
        },
        arg);
  }
  return out;
}

}  // namespace fw::headless
