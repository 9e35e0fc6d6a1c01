#include "platform/modprobe/system_registry.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <system_error>

#include "formats/text/ascii_case.h"
#include "platform/modprobe/modprobe_config.h"
#include "platform/modprobe/policy_file.h"

namespace fw::modprobe {
namespace {

struct DriverKey {
  std::string_view path;
  std::string_view module;
  RegKey handle;
};

// The two drivers' keys under HKEY_LOCAL_MACHINE and the modules that serve them.
constexpr DriverKey kDrivers[] = {
    {"SYSTEM\\CurrentControlSet\\Services\\USBSTOR", "usb-storage", 0x5B01},
    {"SYSTEM\\CurrentControlSet\\Services\\UASPStor", "uas", 0x5B02},
};

const DriverKey* FindDriver(RegKey root, std::string_view sub_key) {
  if (root != kHkeyLocalMachine) return nullptr;
  while (!sub_key.empty() && sub_key.back() == '\\') sub_key.remove_suffix(1);
  for (const DriverKey& driver : kDrivers) {
    if (EqualsIgnoringAsciiCase(sub_key, driver.path)) return &driver;
  }
  return nullptr;
}

bool IsRefusal(int error) {
  return error == EACCES || error == EPERM || error == EROFS;
}

}  // namespace

std::filesystem::path SystemRoot() {
  const char* root = std::getenv("FERROWIND_SYSROOT");
  return root != nullptr && *root != '\0' ? std::filesystem::path(root)
                                          : std::filesystem::path("/");
}

SystemRegistry::SystemRegistry(std::filesystem::path root)
    : root_(std::move(root)), policy_(root_) {}

RegStatus SystemRegistry::Fail(RegStatus status, std::string reason) {
  last_error_ = std::move(reason);
  return status;
}

std::string_view SystemRegistry::ModuleOf(RegKey key) const {
  for (const DriverKey& driver : kDrivers) {
    if (driver.handle == key) return driver.module;
  }
  return {};
}

RegStatus SystemRegistry::RegCreateKeyExA(RegKey root, std::string_view sub_key,
                                          std::uint32_t /*options*/, std::uint32_t /*access*/,
                                          RegKey* result, std::uint32_t* disposition) {
  const DriverKey* driver = FindDriver(root, sub_key);
  if (driver == nullptr) {
    return Fail(
        kErrorAccessDenied,
        "in system mode only the USB storage drivers' keys exist, not " + std::string(sub_key));
  }
  if (result != nullptr) *result = driver->handle;
  if (disposition != nullptr) *disposition = kRegOpenedExistingKey;
  return kErrorSuccess;
}

RegStatus SystemRegistry::RegOpenKeyExA(RegKey root, std::string_view sub_key,
                                        std::uint32_t /*options*/, std::uint32_t /*access*/,
                                        RegKey* result) {
  const DriverKey* driver = FindDriver(root, sub_key);
  if (driver == nullptr) {
    return Fail(kErrorFileNotFound, "in system mode there is no key " + std::string(sub_key));
  }
  if (result != nullptr) *result = driver->handle;
  return kErrorSuccess;
}

RegStatus SystemRegistry::RegQueryValueExA(RegKey key, std::string_view name, std::uint32_t* type,
                                           std::uint8_t* data, std::uint32_t* size) {
  const std::string_view module = ModuleOf(key);
  if (module.empty()) return Fail(kErrorInvalidHandle, "not a key of system mode");
  if (!EqualsIgnoringAsciiCase(name, "Start")) {
    return Fail(kErrorFileNotFound, "in system mode a driver's key holds only Start");
  }
  std::uint32_t start = 3;
  try {
    start = policy_.FileThatBlocks(module) ? 4 : 3;
  } catch (const std::exception& error) {
    return Fail(kErrorRegistryIoFailed, error.what());
  }
  if (type != nullptr) *type = kRegDword;
  if (size == nullptr) return data == nullptr ? kErrorSuccess : kErrorInvalidParameter;
  const std::uint32_t room = *size;
  *size = sizeof start;
  if (data == nullptr) return kErrorSuccess;
  if (room < sizeof start) return kErrorMoreData;
  std::memcpy(data, &start, sizeof start);
  return kErrorSuccess;
}

RegStatus SystemRegistry::RegSetValueExA(RegKey key, std::string_view name, std::uint32_t type,
                                         std::span<const std::uint8_t> data) {
  const std::string_view module = ModuleOf(key);
  if (module.empty()) return Fail(kErrorInvalidHandle, "not a key of system mode");
  std::uint32_t start = 0;
  if (data.size() == sizeof start) std::memcpy(&start, data.data(), sizeof start);
  if (!EqualsIgnoringAsciiCase(name, "Start") || type != kRegDword || data.size() != sizeof start ||
      (start != 3 && start != 4)) {
    return Fail(kErrorInvalidParameter,
                "in system mode only Start can be written, as a REG_DWORD of 3 or 4");
  }
  PolicyFile policy(root_);
  try {
    if (start == 3) {
      // A lock another file holds stays: Ferrowind edits no file it did not write.
      if (const auto holder = FileThatBlocks(root_, module, policy.path())) {
        return Fail(kErrorLockViolation, std::string(module) + " is locked by " + holder->string() +
                                             ", which Ferrowind did not write; it stays locked");
      }
    }
    policy.SetLocked(module, start == 4);
  } catch (const std::system_error& error) {
    const int code = error.code().value();
    return Fail(IsRefusal(code) ? kErrorAccessDenied : kErrorRegistryIoFailed, error.what());
  } catch (const std::exception& error) {
    return Fail(kErrorRegistryIoFailed, error.what());
  }
  return kErrorSuccess;
}

RegStatus SystemRegistry::RegCloseKey(RegKey key) {
  return ModuleOf(key).empty() ? kErrorInvalidHandle : kErrorSuccess;
}

RegStatus SystemRegistry::RegDeleteKeyA(RegKey /*root*/, std::string_view sub_key) {
  return Fail(kErrorAccessDenied,
              "in system mode no key can be deleted, not " + std::string(sub_key));
}

RegStatus SystemRegistry::RegDeleteValueA(RegKey key, std::string_view /*name*/) {
  if (ModuleOf(key).empty()) return Fail(kErrorInvalidHandle, "not a key of system mode");
  return Fail(kErrorInvalidParameter, "in system mode a driver's Start cannot be deleted");
}

}  // namespace fw::modprobe
