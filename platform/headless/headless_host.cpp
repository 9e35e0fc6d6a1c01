#include "platform/headless/headless_host.h"

#include "platform/windowing/input_sequences.h"

namespace fw::headless {

void HeadlessHost::Click(int x, int y) {
  windowing::Click(*this, x, y);
}

void HeadlessHost::DoubleClick(int x, int y) {
  windowing::DoubleClick(*this, x, y);
}

}  // namespace fw::headless
