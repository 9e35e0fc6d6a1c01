#pragma once
// A registry key a routine opened, closed whatever way the routine leaves.
#include "platform/registry.h"

namespace fw::app {

class OpenKey {
 public:
  explicit OpenKey(Registry& registry) : registry_(registry) {}
  ~OpenKey() {
    if (key_ != 0) registry_.RegCloseKey(key_);
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  // Where RegOpenKeyExA or RegCreateKeyExA puts the key.
  RegKey* out() { return &key_; }
  RegKey get() const { return key_; }

 private:
  Registry& registry_;
  RegKey key_ = 0;
};

}  // namespace fw::app
