#pragma once
// The registry of system mode: the machine's kernel module policy seen through the two values
// the program reads and writes. HKLM\SYSTEM\CurrentControlSet\Services\USBSTOR and ...\UASPStor
// always exist; their `Start` (REG_DWORD) is 4 when the modprobe configuration makes
// `usb-storage` (or `uas`) unloadable and 3 otherwise. Writing 4 locks the module in
// Ferrowind's own file of /etc/modprobe.d, writing 3 takes its lines out again; nothing else is
// stored. Everything is under `root` (the machine's / unless a test gives a throwaway tree).
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/modprobe/policy_cache.h"
#include "platform/registry.h"

namespace fw::modprobe {

// A lock that a file Ferrowind did not write holds (ERROR_LOCK_VIOLATION): it cannot be undone.
inline constexpr RegStatus kErrorLockViolation = 33;

// $FERROWIND_SYSROOT when set, else "/".
std::filesystem::path SystemRoot();

class SystemRegistry final : public Registry {
 public:
  explicit SystemRegistry(std::filesystem::path root);

  // What went wrong in the last call that failed, naming the file or folder ("" when none did).
  const std::string& last_error() const { return last_error_; }

  RegStatus RegCreateKeyExA(RegKey root, std::string_view sub_key, std::uint32_t options,
                            std::uint32_t access, RegKey* result,
                            std::uint32_t* disposition) override;
  RegStatus RegOpenKeyExA(RegKey root, std::string_view sub_key, std::uint32_t options,
                          std::uint32_t access, RegKey* result) override;
  RegStatus RegQueryValueExA(RegKey key, std::string_view name, std::uint32_t* type,
                             std::uint8_t* data, std::uint32_t* size) override;
  RegStatus RegSetValueExA(RegKey key, std::string_view name, std::uint32_t type,
                           std::span<const std::uint8_t> data) override;
  RegStatus RegCloseKey(RegKey key) override;
  RegStatus RegDeleteKeyA(RegKey root, std::string_view sub_key) override;
  RegStatus RegDeleteValueA(RegKey key, std::string_view name) override;

 private:
  // The module behind a key handle, or "" for a handle that is not one of the two keys.
  std::string_view ModuleOf(RegKey key) const;
  RegStatus Fail(RegStatus status, std::string reason);

  std::filesystem::path root_;
  PolicyCache policy_;  // what the values read, kept while the modprobe.d files stay the same
  std::string last_error_;
};

}  // namespace fw::modprobe
