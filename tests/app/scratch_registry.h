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
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/registry.h"

#ifdef _WIN32
#include "platform/win32/windows_include.h"
#endif

namespace fw::testing {

inline constexpr std::string_view kScratchKey = "Software\\FerrowindTests\\Scratch";
inline constexpr std::string_view kUsbStorKey = "SYSTEM\\CurrentControlSet\\Services\\USBSTOR";
inline constexpr std::string_view kUaspStorKey = "SYSTEM\\CurrentControlSet\\Services\\UASPStor";
// The value that marks a key as made by a test.
inline constexpr std::string_view kTestKeyMarker = "FerrowindTestKey";

struct StoredValue {
  std::uint32_t type = 0;
  std::vector<std::uint8_t> bytes;
};

// While it lives, the registry refuses writes as it does to a user without write access, and
// reading stays allowed. In the Linux build the store file loses its write permission, so the
// store refuses every write (status 5). In the Windows build the key `path` under `root` gets an
// entry in its access-control list that denies everyone setting values and making subkeys, so
// advapi32 itself refuses any open for writing; its own list comes back at the end.
class WriteRefusal {
 public:
#ifndef _WIN32
  explicit WriteRefusal(std::filesystem::path file) : file_(std::move(file)) {
    std::filesystem::permissions(file_, std::filesystem::perms::owner_read |
                                            std::filesystem::perms::group_read |
                                            std::filesystem::perms::others_read);
  }
  ~WriteRefusal() {
    std::error_code ignored;
    std::filesystem::permissions(
        file_, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write, ignored);
  }
#else
  WriteRefusal(RegKey root, std::string_view path) {
    const HKEY root_key = root == kHkeyLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    const std::string sub_key(path);
    HKEY key = nullptr;
    const LSTATUS opened =
        ::RegOpenKeyExA(root_key, sub_key.c_str(), 0, READ_CONTROL | WRITE_DAC, &key);
    if (opened != ERROR_SUCCESS) {
      throw std::runtime_error("cannot open " + sub_key + " to change its access (status " +
                               std::to_string(opened) + ")");
    }
    key_.reset(key);
    DWORD size = 0;
    ::RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, nullptr, &size);
    original_.resize(size);
    Require(::RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, original_.data(), &size),
            "read the access of " + sub_key);

    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    if (!::AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0,
                                    &everyone)) {
      throw std::runtime_error("cannot make the SID of everyone");
    }
    const std::unique_ptr<void, decltype(&::FreeSid)> sid(everyone, &::FreeSid);
    const DWORD ace_size = sizeof(ACCESS_ALLOWED_ACE) + ::GetLengthSid(everyone);
    std::vector<std::uint8_t> acl_bytes(sizeof(ACL) + 2 * ace_size);
    auto* acl = reinterpret_cast<ACL*>(acl_bytes.data());
    SECURITY_DESCRIPTOR refusing{};
    if (!::InitializeAcl(acl, static_cast<DWORD>(acl_bytes.size()), ACL_REVISION) ||
        !::AddAccessDeniedAce(acl, ACL_REVISION, KEY_SET_VALUE | KEY_CREATE_SUB_KEY, everyone) ||
        !::AddAccessAllowedAce(acl, ACL_REVISION, KEY_ALL_ACCESS, everyone) ||
        !::InitializeSecurityDescriptor(&refusing, SECURITY_DESCRIPTOR_REVISION) ||
        !::SetSecurityDescriptorDacl(&refusing, TRUE, acl, FALSE)) {
      throw std::runtime_error("cannot make an access list that refuses writes");
    }
    Require(::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &refusing),
            "refuse writes to " + sub_key);
  }
  ~WriteRefusal() {
    ::RegSetKeySecurity(key_.get(), DACL_SECURITY_INFORMATION, original_.data());
  }
#endif
  WriteRefusal(const WriteRefusal&) = delete;
  WriteRefusal& operator=(const WriteRefusal&) = delete;

 private:
#ifndef _WIN32
  std::filesystem::path file_;
#else
  static void Require(LSTATUS status, const std::string& what) {
    if (status != ERROR_SUCCESS) {
      throw std::runtime_error("cannot " + what + " (status " + std::to_string(status) + ")");
    }
  }
  struct CloseKey {
    void operator()(HKEY key) const { ::RegCloseKey(key); }
  };
  std::unique_ptr<std::remove_pointer_t<HKEY>, CloseKey> key_;
  std::vector<BYTE> original_;
#endif
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

  // The second driver's key: made with or without a Start value, read back, and whether it is
  // there at all. The key a test makes carries a marker value, so that cleaning up removes only a
  // key a test made, never a real driver's.
  void SetUaspStart(std::uint32_t value) {
    AddUaspStorKey();
    SetDword(kHkeyLocalMachine, kUaspStorKey, "Start", value);
  }
  void AddUaspStorKey() {
    SetDword(kHkeyLocalMachine, kUaspStorKey, kTestKeyMarker, 1);
  }
  std::optional<StoredValue> GetUaspStart() {
    return Get(kHkeyLocalMachine, kUaspStorKey, "Start");
  }
  bool UaspStorKeyExists() {
    RegKey key = 0;
    if (registry_->RegOpenKeyExA(kHkeyLocalMachine, kUaspStorKey, 0, kKeyRead, &key) != 0) {
      return false;
    }
    registry_->RegCloseKey(key);
    return true;
  }

  // Writes refused while the result lives (see WriteRefusal): in the Linux build to the whole
  // store, in the Windows build to the key `path` under `root`, which must exist.
  [[nodiscard]] std::unique_ptr<WriteRefusal> RefuseWrites(RegKey root, std::string_view path) {
#ifndef _WIN32
    static_cast<void>(root);
    static_cast<void>(path);
    return std::make_unique<WriteRefusal>(file());
#else
    return std::make_unique<WriteRefusal>(root, path);
#endif
  }

  // The values and keys the tests use, gone.
  void Clean() {
    RegKey key = 0;
    if (registry_->RegOpenKeyExA(kHkeyLocalMachine, kUsbStorKey, 0, kKeyAllAccessLow, &key) == 0) {
      registry_->RegDeleteValueA(key, "Start");
      registry_->RegCloseKey(key);
    }
    // Wine's registry has no UASPStor: the key a test made (it holds the marker) goes.
    if (Get(kHkeyLocalMachine, kUaspStorKey, kTestKeyMarker)) {
      if (registry_->RegOpenKeyExA(kHkeyLocalMachine, kUaspStorKey, 0, kKeyAllAccessLow, &key) ==
          0) {
        registry_->RegDeleteValueA(key, "Start");
        registry_->RegDeleteValueA(key, kTestKeyMarker);
        registry_->RegCloseKey(key);
      }
      registry_->RegDeleteKeyA(kHkeyLocalMachine, kUaspStorKey);
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
