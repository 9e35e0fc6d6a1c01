#pragma once
// A headless host with Button controls in it, and helpers to read what the host recorded.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/button/button.h"
#include "platform/headless/headless_host.h"
#include "tests/formats/image/dib_test_files.h"
#include "tests/platform/headless/recording_host.h"

namespace fw::test {

// Where the tests place their buttons: 10, 20 pixels into the parent's client area.
inline constexpr int kLeftPx = 10;
inline constexpr int kTopPx = 20;

class ButtonTest : public ::testing::Test {
 protected:
  // A control placed fresh (InitProperties): 1200 x 500 twips, whatever the placement says.
  Button& PlaceFresh(const std::string& name = "Command1") {
    return host_.Place<Button>(
        {name, {kLeftPx * 15, kTopPx * 15, kLeftPx * 15 + 3000, kTopPx * 15 + 1500}, nullptr});
  }
  // A control loaded from `bag`, 80 x 40 pixels.
  Button& PlaceLoaded(const PropertyBag& bag, const std::string& name = "Command1") {
    return host_.Place<Button>(
        {name, {kLeftPx * 15, kTopPx * 15, kLeftPx * 15 + 1200, kTopPx * 15 + 600}, &bag});
  }
  UserControl& Window(const std::string& name = "Command1") { return host_.WindowOf(name); }

  // Moves the cursor to (x, y) in the control's client pixels.
  void MoveTo(int x, int y) { host_.MoveMouse(kLeftPx + x, kTopPx + y); }
  // Moves the cursor well away from every control.
  void MoveAway() { host_.MoveMouse(300, 200); }

  // The properties marked changed, in order.
  std::vector<std::string> Changed() const {
    std::vector<std::string> names;
    for (const auto& r : host_.RecordsOf(headless::Record::Kind::PropertyChanged)) {
      names.push_back(r.name);
    }
    return names;
  }
  // The events raised, as "Name(args)", in order.
  std::vector<std::string> Events() const {
    std::vector<std::string> events;
    for (const auto& r : host_.RecordsOf(headless::Record::Kind::Event)) {
      events.push_back(r.name + "(" + r.args + ")");
    }
    return events;
  }
  // Captures taken and released, as "SetCapture:name" and "ReleaseCapture:name", in order.
  std::vector<std::string> Captures() const {
    std::vector<std::string> captures;
    for (const auto& r : host_.Records()) {
      if (r.kind == headless::Record::Kind::SetCapture) {
        captures.push_back("SetCapture:" + r.control);
      } else if (r.kind == headless::Record::Kind::ReleaseCapture) {
        captures.push_back("ReleaseCapture:" + r.control);
      }
    }
    return captures;
  }

  std::unique_ptr<GdiDevice> device_ = CreatePlatformGdiDevice();
  RecordingHost host_{*device_};
};

// A small bitmap picture, different for each `seed`.
inline PicturePtr SmallPicture(int seed) {
  return std::make_shared<const Picture>(LoadPicture(MakeBmp(MakePattern(2 + seed, 2, 0)), "bmp"));
}

}  // namespace fw::test
