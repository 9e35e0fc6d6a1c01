// The two USB storage drivers' rules over the build's own registry (the Linux store, or Wine's
// registry): the verdict for every pairing of the drivers' Start values, and the lock and unlock
// sequences: their order, UASPStor never created, and nothing changed when a write is refused.
#include "app/usb_storage_policy.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/app/key_write_refusal.h"
#include "tests/app/scratch_registry.h"

namespace fw::app {
namespace {

using fw::testing::KeyWriteRefusal;
using fw::testing::ScratchRegistry;

// Passes every call on and notes, in order, the key each value is written to.
class WriteLog final : public Registry {
 public:
  explicit WriteLog(Registry& registry) : registry_(registry) {}
  const std::vector<std::string>& writes() const { return writes_; }

  RegStatus RegCreateKeyExA(RegKey root, std::string_view sub_key, std::uint32_t options,
                            std::uint32_t access, RegKey* result,
                            std::uint32_t* disposition) override {
    const RegStatus status =
        registry_.RegCreateKeyExA(root, sub_key, options, access, result, disposition);
    if (status == kErrorSuccess) paths_[*result] = std::string(sub_key);
    return status;
  }
  RegStatus RegOpenKeyExA(RegKey root, std::string_view sub_key, std::uint32_t options,
                          std::uint32_t access, RegKey* result) override {
    const RegStatus status = registry_.RegOpenKeyExA(root, sub_key, options, access, result);
    if (status == kErrorSuccess) paths_[*result] = std::string(sub_key);
    return status;
  }
  RegStatus RegQueryValueExA(RegKey key, std::string_view name, std::uint32_t* type,
                             std::uint8_t* data, std::uint32_t* size) override {
    return registry_.RegQueryValueExA(key, name, type, data, size);
  }
  RegStatus RegSetValueExA(RegKey key, std::string_view name, std::uint32_t type,
                           std::span<const std::uint8_t> data) override {
    const RegStatus status = registry_.RegSetValueExA(key, name, type, data);
    if (status == kErrorSuccess) {
      const std::string& path = paths_[key];
      writes_.push_back(path.substr(path.rfind('\\') + 1) + " " + std::string(name));
    }
    return status;
  }
  RegStatus RegCloseKey(RegKey key) override {
    paths_.erase(key);
    return registry_.RegCloseKey(key);
  }
  RegStatus RegDeleteKeyA(RegKey root, std::string_view sub_key) override {
    return registry_.RegDeleteKeyA(root, sub_key);
  }
  RegStatus RegDeleteValueA(RegKey key, std::string_view name) override {
    const RegStatus status = registry_.RegDeleteValueA(key, name);
    if (status == kErrorSuccess) {
      const std::string& path = paths_[key];
      writes_.push_back(path.substr(path.rfind('\\') + 1) + " delete " + std::string(name));
    }
    return status;
  }

 private:
  Registry& registry_;
  std::map<RegKey, std::string> paths_;
  std::vector<std::string> writes_;
};

std::optional<std::uint32_t> StoredDword(const std::optional<fw::testing::StoredValue>& value) {
  if (!value || value->type != kRegDword || value->bytes.size() != 4) return std::nullopt;
  return static_cast<std::uint32_t>(value->bytes[0] | value->bytes[1] << 8 | value->bytes[2] << 16 |
                                    value->bytes[3] << 24);
}

TEST(UsbStoragePolicyTest, TheVerdictFollowsBothDrivers) {
  using Store = std::function<void(ScratchRegistry&)>;
  const Store no_uasp = [](ScratchRegistry&) {};
  struct Case {
    const char* what;
    Store usbstor;
    Store uaspstor;
    UsbStorageState state;
    std::optional<std::int64_t> usbstor_start;
    std::optional<std::int64_t> uaspstor_start;
    StartPresence uaspstor_presence;
  };
  const auto usb = [](std::uint32_t v) { return [v](ScratchRegistry& s) { s.SetStart(v); }; };
  const auto uasp = [](std::uint32_t v) { return [v](ScratchRegistry& s) { s.SetUaspStart(v); }; };
  const auto text = [](const char* t) {
    return [t](ScratchRegistry& s) { s.SetText(kUsbStorRoot, kUsbStorPath, "Start", t); };
  };
  const Store uasp_key_only = [](ScratchRegistry& s) { s.AddUaspStorKey(); };
  constexpr auto kNoKey = StartPresence::kNoKey;
  constexpr auto kNoValue = StartPresence::kNoValue;
  constexpr auto kValue = StartPresence::kValue;
  const std::vector<Case> cases = {
      {"4, no UASPStor", usb(4), no_uasp, UsbStorageState::kLocked, 4, {}, kNoKey},
      {"4, UASPStor without Start",
       usb(4),
       uasp_key_only,
       UsbStorageState::kLocked,
       4,
       {},
       kNoValue},
      {"4 and 4", usb(4), uasp(4), UsbStorageState::kLocked, 4, 4, kValue},
      {"3, no UASPStor", usb(3), no_uasp, UsbStorageState::kUnlocked, 3, {}, kNoKey},
      {"3 and 3", usb(3), uasp(3), UsbStorageState::kUnlocked, 3, 3, kValue},
      {"3 and 0", usb(3), uasp(0), UsbStorageState::kUnlocked, 3, 0, kValue},
      {"3, UASPStor without Start",
       usb(3),
       uasp_key_only,
       UsbStorageState::kUnlocked,
       3,
       {},
       kNoValue},
      {"4 and 3", usb(4), uasp(3), UsbStorageState::kPartlyLocked, 4, 3, kValue},
      {"4 and 0", usb(4), uasp(0), UsbStorageState::kPartlyLocked, 4, 0, kValue},
      {"3 and 4", usb(3), uasp(4), UsbStorageState::kPartlyLocked, 3, 4, kValue},
      {"no USBSTOR value, 4", no_uasp, uasp(4), UsbStorageState::kUnknown, {}, 4, kValue},
      {"2 and 4", usb(2), uasp(4), UsbStorageState::kUnknown, 2, 4, kValue},
      {"0xFFFFFFFF", usb(0xFFFFFFFF), no_uasp, UsbStorageState::kUnknown, 4294967295, {}, kNoKey},
      // A text counts as the number it converts to, as the window reads it.
      {"text &H4", text("&H4"), no_uasp, UsbStorageState::kLocked, 4, {}, kNoKey},
      {"text 4.5", text("4.5"), no_uasp, UsbStorageState::kUnknown, {}, {}, kNoKey},
      {"text on", text("on"), no_uasp, UsbStorageState::kUnknown, {}, {}, kNoKey},
      {"binary",
       [](ScratchRegistry& s) {
         s.Set(kUsbStorRoot, kUsbStorPath, "Start", kRegBinary, {4, 0, 0, 0});
       },
       no_uasp,
       UsbStorageState::kUnknown,
       {},
       {},
       kNoKey},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchRegistry scratch;
    c.usbstor(scratch);
    c.uaspstor(scratch);
    const UsbStorageStatus status = ReadUsbStorageStatus(scratch.registry());
    EXPECT_EQ(StateName(status.state), StateName(c.state));
    EXPECT_TRUE(status.Readable());
    EXPECT_EQ(status.usbstor.Start(), c.usbstor_start);
    EXPECT_EQ(status.uaspstor.Start(), c.uaspstor_start);
    EXPECT_EQ(status.uaspstor.presence, c.uaspstor_presence);
  }
}

// Reading opens the keys for query access only: a user who may not write reads the same.
TEST(UsbStoragePolicyTest, ReadingNeedsNoWriteAccess) {
  ScratchRegistry scratch;
  scratch.SetStart(4);
  scratch.SetUaspStart(4);
  const auto usbstor = scratch.RefuseWrites(kUsbStorRoot, kUsbStorPath);
#ifdef _WIN32
  const auto uaspstor = scratch.RefuseWrites(kUsbStorRoot, kUaspStorPath);
#endif
  const UsbStorageStatus status = ReadUsbStorageStatus(scratch.registry());
  EXPECT_TRUE(status.Readable());
  EXPECT_EQ(StateName(status.state), "locked");
}

#ifndef _WIN32
// A registry file that cannot be read leaves the state unknown and says why.
TEST(UsbStoragePolicyTest, AnUnreadableRegistryIsUnknown) {
  ScratchRegistry scratch;
  scratch.SetStart(4);
  std::ofstream(scratch.file(), std::ios::app) << "this line is not registry text\n";
  const UsbStorageStatus status = ReadUsbStorageStatus(scratch.registry());
  EXPECT_FALSE(status.Readable());
  EXPECT_EQ(status.usbstor.presence, StartPresence::kUnreadable);
  EXPECT_EQ(status.usbstor.status, kErrorBadDb);
  EXPECT_EQ(StateName(status.state), "unknown");
}
#endif

TEST(UsbStoragePolicyTest, LockAndUnlockWriteBothDriversUnderTheSameRules) {
  enum class Uasp { kNone, kKeyOnly, kStart };
  enum class Refuse { kNothing, kUaspStor, kUsbStor };
  struct Case {
    const char* what;
    bool lock;
    Uasp uasp;
    Refuse refuse;
    RegStatus status;
    std::string_view failed_driver;
    std::vector<std::string> writes;  // in order
    std::optional<std::uint32_t> usbstor_after;
    std::optional<std::uint32_t> uaspstor_after;
  };
  // Before each case USBSTOR holds the opposite of what is written, and UASPStor (where it has
  // a Start) 0, a value neither lock nor unlock writes.
  const std::vector<Case> cases = {
      {"lock, no UASPStor",
       true,
       Uasp::kNone,
       Refuse::kNothing,
       kErrorSuccess,
       "",
       {"USBSTOR Start"},
       4,
       {}},
      {"lock, UASPStor",
       true,
       Uasp::kStart,
       Refuse::kNothing,
       kErrorSuccess,
       "",
       {"UASPStor Start", "USBSTOR Start"},
       4,
       4},
      {"lock, UASPStor without Start",
       true,
       Uasp::kKeyOnly,
       Refuse::kNothing,
       kErrorSuccess,
       "",
       {"UASPStor Start", "USBSTOR Start"},
       4,
       4},
      {"unlock, no UASPStor",
       false,
       Uasp::kNone,
       Refuse::kNothing,
       kErrorSuccess,
       "",
       {"USBSTOR Start"},
       3,
       {}},
      {"unlock, UASPStor",
       false,
       Uasp::kStart,
       Refuse::kNothing,
       kErrorSuccess,
       "",
       {"UASPStor Start", "USBSTOR Start"},
       3,
       3},
      // A refused UASPStor: USBSTOR is not written.
      {"lock, UASPStor refused",
       true,
       Uasp::kStart,
       Refuse::kUaspStor,
       kErrorAccessDenied,
       kUaspStorName,
       {},
       3,
       0},
      {"unlock, UASPStor refused",
       false,
       Uasp::kStart,
       Refuse::kUaspStor,
       kErrorAccessDenied,
       kUaspStorName,
       {},
       4,
       0},
      // A refused USBSTOR: UASPStor's Start is put back as it was, or removed if it had none.
      {"lock, USBSTOR refused",
       true,
       Uasp::kStart,
       Refuse::kUsbStor,
       kErrorAccessDenied,
       kUsbStorName,
       {"UASPStor Start", "UASPStor Start"},
       3,
       0},
      {"unlock, USBSTOR refused",
       false,
       Uasp::kKeyOnly,
       Refuse::kUsbStor,
       kErrorAccessDenied,
       kUsbStorName,
       {"UASPStor Start", "UASPStor delete Start"},
       4,
       {}},
      {"lock, USBSTOR refused, no UASPStor",
       true,
       Uasp::kNone,
       Refuse::kUsbStor,
       kErrorAccessDenied,
       kUsbStorName,
       {},
       3,
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchRegistry scratch;
    scratch.SetStart(c.lock ? kStartUnlocked : kStartLocked);
    if (c.uasp == Uasp::kKeyOnly) scratch.AddUaspStorKey();
    if (c.uasp == Uasp::kStart) scratch.SetUaspStart(0);
    std::unique_ptr<KeyWriteRefusal> refusal;
    if (c.refuse == Refuse::kUaspStor) {
      refusal = std::make_unique<KeyWriteRefusal>(scratch, kUsbStorRoot, kUaspStorPath);
    } else if (c.refuse == Refuse::kUsbStor) {
      refusal = std::make_unique<KeyWriteRefusal>(scratch, kUsbStorRoot, kUsbStorPath);
    }
    WriteLog log(refusal ? refusal->registry() : scratch.registry());
    const StartWriteResult result = c.lock ? LockUsbStorage(log) : UnlockUsbStorage(log);
    refusal.reset();
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.failed_driver, c.failed_driver);
    EXPECT_TRUE(result.restored);
    EXPECT_EQ(log.writes(), c.writes);
    EXPECT_EQ(StoredDword(scratch.GetStart()), c.usbstor_after);
    EXPECT_EQ(StoredDword(scratch.GetUaspStart()), c.uaspstor_after);
    // UASPStor's key is never made.
    EXPECT_EQ(scratch.UaspStorKeyExists(), c.uasp != Uasp::kNone);
  }
}

#ifndef _WIN32
// A read-only registry (a user without write access) refuses the first write: nothing changes.
TEST(UsbStoragePolicyTest, AReadOnlyRegistryChangesNothing) {
  for (const bool lock : {true, false}) {
    SCOPED_TRACE(lock ? "lock" : "unlock");
    ScratchRegistry scratch;
    scratch.SetStart(lock ? 3 : 4);
    scratch.SetUaspStart(0);
    const auto refusal = scratch.RefuseWrites(kUsbStorRoot, kUsbStorPath);
    const StartWriteResult result =
        lock ? LockUsbStorage(scratch.registry()) : UnlockUsbStorage(scratch.registry());
    EXPECT_EQ(result.status, kErrorAccessDenied);
    EXPECT_EQ(result.failed_driver, kUaspStorName);
    EXPECT_EQ(StoredDword(scratch.GetStart()), lock ? 3u : 4u);
    EXPECT_EQ(StoredDword(scratch.GetUaspStart()), 0u);
  }
}
#endif

}  // namespace
}  // namespace fw::app
