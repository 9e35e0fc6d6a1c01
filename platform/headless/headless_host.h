#pragma once
// The test driver: the software window system driven by scripted input on a fake clock, with
// the input sequences tests and the preview tool script. What happened is kept only by a
// Recorder attached to it (platform/headless/recorder.h).
#include "platform/windowing/window_system.h"

namespace fw::headless {

using windowing::Placement;

class HeadlessHost : public windowing::WindowSystem {
 public:
  using WindowSystem::WindowSystem;

  // Move, press and release.
  void Click(int x, int y);
  // Two clicks in quick succession as the platform reports them: down, up, click, then the
  // double-click notification in place of the second down, then up.
  void DoubleClick(int x, int y);
};

}  // namespace fw::headless
