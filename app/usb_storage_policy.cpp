#include "app/usb_storage_policy.h"

#include <cmath>
#include <string>
#include <vector>

#include "app/open_key.h"

namespace fw::app {
namespace {

// Passes every call on and keeps the first status that was not success, so that a routine that
// answers only True or False (WriteRegistryValue) can still say why it failed. The first
// failure is the cause: when creating the key is refused, the open that follows fails too,
// possibly with "not found" for a key that could not be made.
class FailureWitness final : public Registry {
 public:
  explicit FailureWitness(Registry& registry) : registry_(registry) {}

  RegStatus first_failure() const { return first_failure_; }

  RegStatus RegCreateKeyExA(RegKey root, std::string_view sub_key, std::uint32_t options,
                            std::uint32_t access, RegKey* result,
                            std::uint32_t* disposition) override {
    return Keep(registry_.RegCreateKeyExA(root, sub_key, options, access, result, disposition));
  }
  RegStatus RegOpenKeyExA(RegKey root, std::string_view sub_key, std::uint32_t options,
                          std::uint32_t access, RegKey* result) override {
    return Keep(registry_.RegOpenKeyExA(root, sub_key, options, access, result));
  }
  RegStatus RegQueryValueExA(RegKey key, std::string_view name, std::uint32_t* type,
                             std::uint8_t* data, std::uint32_t* size) override {
    return Keep(registry_.RegQueryValueExA(key, name, type, data, size));
  }
  RegStatus RegSetValueExA(RegKey key, std::string_view name, std::uint32_t type,
                           std::span<const std::uint8_t> data) override {
    return Keep(registry_.RegSetValueExA(key, name, type, data));
  }
  RegStatus RegCloseKey(RegKey key) override { return registry_.RegCloseKey(key); }
  RegStatus RegDeleteKeyA(RegKey root, std::string_view sub_key) override {
    return Keep(registry_.RegDeleteKeyA(root, sub_key));
  }
  RegStatus RegDeleteValueA(RegKey key, std::string_view name) override {
    return Keep(registry_.RegDeleteValueA(key, name));
  }

 private:
  RegStatus Keep(RegStatus status) {
    if (status != kErrorSuccess && first_failure_ == kErrorSuccess) first_failure_ = status;
    return status;
  }

  Registry& registry_;
  RegStatus first_failure_ = kErrorSuccess;
};

// A value exactly as stored, to be put back: its type and bytes, or nothing for no value.
struct SavedValue {
  bool exists = false;
  std::uint32_t type = kRegNone;
  std::vector<std::uint8_t> bytes;
};

RegStatus SaveValue(Registry& registry, RegKey key, std::string_view name, SavedValue& saved) {
  std::uint32_t size = 0;
  RegStatus status = registry.RegQueryValueExA(key, name, &saved.type, nullptr, &size);
  if (status == kErrorFileNotFound) return kErrorSuccess;
  if (status != kErrorSuccess) return status;
  saved.bytes.resize(size);
  status = registry.RegQueryValueExA(key, name, &saved.type, saved.bytes.data(), &size);
  if (status != kErrorSuccess) return status;
  saved.bytes.resize(size);
  saved.exists = true;
  return kErrorSuccess;
}

RegStatus RestoreValue(Registry& registry, RegKey key, std::string_view name,
                       const SavedValue& saved) {
  if (!saved.exists) return registry.RegDeleteValueA(key, name);
  return registry.RegSetValueExA(key, name, saved.type, saved.bytes);
}

StartWriteResult WriteBothStarts(Registry& registry, std::int32_t start) {
  StartWriteResult result;
  const auto fail = [&](RegStatus status, std::string_view driver) {
    result.status = status;
    result.failed_driver = driver;
    return result;
  };

  // UASPStor first, and only where its key exists: it is opened, never created.
  OpenKey uaspstor(registry);
  SavedValue previous;
  const RegStatus opened = registry.RegOpenKeyExA(kUsbStorRoot, kUaspStorPath, 0,
                                                  kKeyQueryValue | kKeySetValue, uaspstor.out());
  if (opened == kErrorSuccess) {
    // What it held is kept first, so that a USBSTOR that cannot be written leaves it as it was.
    if (const RegStatus saved = SaveValue(registry, uaspstor.get(), kStartValue, previous);
        saved != kErrorSuccess) {
      return fail(saved, kUaspStorName);
    }
    const RegStatus written = SetRegistryValueData(registry, uaspstor.get(), kStartValue, kRegDword,
                                                   std::to_string(start));
    if (written != kErrorSuccess) return fail(written, kUaspStorName);
    result.uaspstor_written = true;
  } else if (opened != kErrorFileNotFound) {
    return fail(opened, kUaspStorName);
  }

  // USBSTOR as the window has always written it: the text of the number, as REG_DWORD.
  FailureWitness witness(registry);
  RegVariant value = std::to_string(start);
  if (WriteRegistryValue(witness, kUsbStorRoot, kUsbStorPath, kStartValue, value, kRegDword)) {
    return result;
  }
  const RegStatus why =
      witness.first_failure() != kErrorSuccess ? witness.first_failure() : kErrorRegistryIoFailed;
  if (result.uaspstor_written) {
    result.restore_status = RestoreValue(registry, uaspstor.get(), kStartValue, previous);
    result.restored = result.restore_status == kErrorSuccess;
    // A Start that could not be put back is still the one written.
    result.uaspstor_written = !result.restored;
  }
  return fail(why, kUsbStorName);
}

}  // namespace

std::optional<std::int64_t> DriverStart::Start() const {
  if (presence != StartPresence::kValue) return std::nullopt;
  if (const auto* number = std::get_if<std::int32_t>(&value)) {
    return static_cast<std::int64_t>(static_cast<std::uint32_t>(*number));
  }
  if (const auto* text = std::get_if<std::string>(&value)) {
    const std::optional<double> number = TextToNumber(*text);
    // Whole numbers only, within the range a double holds exactly.
    if (!number || std::trunc(*number) != *number || std::fabs(*number) > 9007199254740992.0) {
      return std::nullopt;
    }
    return static_cast<std::int64_t>(*number);
  }
  return std::nullopt;
}

std::string_view StateName(UsbStorageState state) {
  switch (state) {
    case UsbStorageState::kLocked:
      return "locked";
    case UsbStorageState::kUnlocked:
      return "unlocked";
    case UsbStorageState::kPartlyLocked:
      return "partly locked";
    case UsbStorageState::kUnknown:
      return "unknown";
  }
  return "unknown";
}

UsbStorageState Verdict(const DriverStart& usbstor, const DriverStart& uaspstor) {
  if (uaspstor.presence == StartPresence::kUnreadable) return UsbStorageState::kUnknown;
  const std::optional<std::int64_t> start = usbstor.Start();
  const bool uaspstor_locked = uaspstor.Start() == kStartLocked;
  if (start == kStartLocked) {
    return uaspstor.Absent() || uaspstor_locked ? UsbStorageState::kLocked
                                                : UsbStorageState::kPartlyLocked;
  }
  if (start == kStartUnlocked) {
    return uaspstor_locked ? UsbStorageState::kPartlyLocked : UsbStorageState::kUnlocked;
  }
  return UsbStorageState::kUnknown;
}

DriverStart ReadDriverStart(Registry& registry, std::string_view name, std::string_view path) {
  DriverStart driver;
  driver.name = name;
  driver.path = path;
  OpenKey key(registry);
  const RegStatus opened = registry.RegOpenKeyExA(kUsbStorRoot, path, 0, kKeyRead, key.out());
  if (opened == kErrorFileNotFound) {
    driver.presence = StartPresence::kNoKey;
    return driver;
  }
  if (opened != kErrorSuccess) {
    driver.presence = StartPresence::kUnreadable;
    driver.status = opened;
    return driver;
  }
  // modReg's reader answers -1 for a type that is neither a text nor a number: Start is there,
  // it just holds nothing the rules read.
  constexpr RegStatus kUnsupportedType = -1;
  const RegStatus read = QueryRegistryValueData(registry, key.get(), kStartValue, driver.value);
  if (read == kErrorSuccess || read == kUnsupportedType) {
    driver.presence = StartPresence::kValue;
    if (read == kUnsupportedType) driver.value = std::monostate{};
  } else if (read == kErrorFileNotFound) {
    driver.presence = StartPresence::kNoValue;
  } else {
    driver.presence = StartPresence::kUnreadable;
    driver.status = read;
    driver.value = std::monostate{};
  }
  return driver;
}

UsbStorageStatus ReadUsbStorageStatus(Registry& registry) {
  UsbStorageStatus status;
  status.usbstor = ReadDriverStart(registry, kUsbStorName, kUsbStorPath);
  status.uaspstor = ReadDriverStart(registry, kUaspStorName, kUaspStorPath);
  status.state = Verdict(status.usbstor, status.uaspstor);
  return status;
}

StartWriteResult LockUsbStorage(Registry& registry) {
  return WriteBothStarts(registry, kStartLocked);
}

StartWriteResult UnlockUsbStorage(Registry& registry) {
  return WriteBothStarts(registry, kStartUnlocked);
}

}  // namespace fw::app
