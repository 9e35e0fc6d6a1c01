#pragma once
// A registry for one test. In the Linux build: a store file of its own in a fresh temporary
// folder ($FERROWIND_REGISTRY points at it while the test runs). In the Windows build: the
// process's real registry, where the test's values are removed before and after it.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/registry.h"

namespace fw::testing {

inline constexpr std::string_view kScratchKey = "Software\\FerrowindTests\\Scratch";
inline constexpr std::string_view kUsbStorKey = "SYSTEM\\CurrentControlSet\\Services\\USBSTOR";

struct StoredValue {
  std::uint32_t type = 0;
  std::vector<std::uint8_t> bytes;
};

class ScratchRegistry {
 public:
  ScratchRegistry() {
#ifndef _WIN32
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ =
        std::filesystem::temp_directory_path() / ("ferrowind-" + std::to_string(::getpid()) + "-" +
                                                  info->test_suite_name() + "-" + info->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    ::setenv("FERROWIND_REGISTRY", file().c_str(), 1);
#endif
    registry_ = CreatePlatformRegistry();
    Clean();
  }
  ~ScratchRegistry() {
    Clean();
    registry_.reset();
#ifndef _WIN32
    ::unsetenv("FERROWIND_REGISTRY");
    std::error_code ignored;
    std::filesystem::permissions(folder_, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(folder_, ignored);
#endif
  }
  ScratchRegistry(const ScratchRegistry&) = delete;
  ScratchRegistry& operator=(const ScratchRegistry&) = delete;

  Registry& registry() {
    return *registry_;
  }
  std::filesystem::path folder() const {
    return folder_;
  }
  std::filesystem::path file() const {
    return folder_ / "registry.reg";
  }

  void Set(RegKey root, std::string_view path, std::string_view name, std::uint32_t type,
           std::vector<std::uint8_t> bytes) {
    RegKey key = 0;
    ASSERT_EQ(registry_->RegCreateKeyExA(root, path, 0, kKeyAllAccessLow, &key, nullptr), 0);
    EXPECT_EQ(registry_->RegSetValueExA(key, name, type, bytes), 0);
    registry_->RegCloseKey(key);
  }
  void SetDword(RegKey root, std::string_view path, std::string_view name, std::uint32_t value) {
    Set(root, path, name, kRegDword,
        {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
         static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)});
  }
  void SetText(RegKey root, std::string_view path, std::string_view name, std::string_view text) {
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    Set(root, path, name, kRegSz, std::move(bytes));
  }
  void SetStart(std::uint32_t value) {
    SetDword(kHkeyLocalMachine, kUsbStorKey, "Start", value);
  }

  std::optional<StoredValue> Get(RegKey root, std::string_view path, std::string_view name) {
    RegKey key = 0;
    if (registry_->RegOpenKeyExA(root, path, 0, kKeyRead, &key) != 0) return std::nullopt;
    StoredValue value;
    std::uint32_t size = 0;
    std::optional<StoredValue> result;
    if (registry_->RegQueryValueExA(key, name, &value.type, nullptr, &size) == 0) {
      value.bytes.resize(size);
      if (registry_->RegQueryValueExA(key, name, &value.type, value.bytes.data(), &size) == 0) {
        value.bytes.resize(size);
        result = value;
      }
    }
    registry_->RegCloseKey(key);
    return result;
  }
  std::optional<StoredValue> GetStart() {
    return Get(kHkeyLocalMachine, kUsbStorKey, "Start");
  }

  // The values and keys the tests use, gone.
  void Clean() {
    RegKey key = 0;
    if (registry_->RegOpenKeyExA(kHkeyLocalMachine, kUsbStorKey, 0, kKeyAllAccessLow, &key) == 0) {
      registry_->RegDeleteValueA(key, "Start");
      registry_->RegCloseKey(key);
    }
    const std::string scratch(kScratchKey);
    for (const std::string& path : {scratch + "\\Deeper\\Still", scratch + "\\Deeper", scratch,
                                    std::string("Software\\FerrowindTests")}) {
      registry_->RegDeleteKeyA(kHkeyCurrentUser, path);
    }
  }

 private:
  std::filesystem::path folder_;
  std::unique_ptr<Registry> registry_;
};

}  // namespace fw::testing
