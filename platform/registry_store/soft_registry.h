#pragma once
// fw::Registry over the registry store (platform/registry_store/registry_store.h): the Linux
// build's registry, with advapi32's handles, status codes and RegQueryValueExA's buffer rules.
//
// Where advapi32 leaves room the store follows Wine, the registry the Windows build is tested
// against: a sub-key path may not start with a backslash (kErrorBadPathname; HKEY_CLASSES_ROOT
// forgives one), repeated and trailing backslashes are ignored, RegOpenKeyExA of a predefined
// root with an empty path returns the root itself, RegCloseKey accepts every predefined root,
// and a handle whose key was deleted answers kErrorKeyDeleted.
//
// The four roots are four separate trees (HKEY_CLASSES_ROOT is no view of the other two), and
// REG_OPTION_VOLATILE keys are kept like any other.
//
// Access. A handle carries the rights it was opened with: reading values needs KEY_QUERY_VALUE,
// setting or deleting them KEY_SET_VALUE (else kErrorAccessDenied). A read-only store (a
// read-only file or folder) plays a user without administrator rights on HKEY_LOCAL_MACHINE:
// opening or creating a key with any write right (KEY_SET_VALUE, KEY_CREATE_SUBKEY,
// KEY_CREATE_LINK, DELETE, WRITE_DAC, WRITE_OWNER, and the generic rights that include them)
// is kErrorAccessDenied, as is creating a missing key, while KEY_READ works; the predefined
// roots can then only be read.
//
// Names the registry file cannot hold (a line break in a key or value name) are refused:
// kErrorBadPathname for keys, kErrorInvalidParameter for values. Every call is safe from any
// thread; they run one at a time.
#include <cstdint>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/registry_store/registry_store.h"

namespace fw::soft {

class SoftRegistry final : public Registry {
 public:
  // The registry kept in `file` (created on the first write).
  explicit SoftRegistry(std::filesystem::path file);

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

  const std::filesystem::path& file() const { return store_.file(); }
  // Why the last call failed, naming the key, the value or the registry file and its line
  // ("...registry.reg:7: ..."); empty after a call that succeeded.
  std::string last_error() const;
  // How many handles are open (the predefined roots are not counted).
  std::size_t open_handle_count() const;

  // Brings the registry up to date with the file, as every call does first: kErrorSuccess, or
  // why the file cannot be read (kErrorBadDb for one that cannot be parsed; last_error() names
  // the file and the line).
  RegStatus Refresh();
  // Hears when the file becomes unreadable and when it reads well again
  // (RegistryStore::WatchReads). The watch runs inside the call that read the file, so it must
  // not call this registry.
  void WatchReads(RegistryStore::ReadWatch watch);

 private:
  // What a handle stands for: a key by its path, and the rights it was opened with.
  struct OpenKey {
    std::size_t root = 0;
    std::vector<std::string> path;
    std::uint32_t access = 0;
    bool predefined = false;
  };

  RegStatus Fail(RegStatus status, std::string message);
  RegStatus FailFromStore(RegStatus status);
  std::optional<OpenKey> Resolve(RegKey key) const;
  RegStatus CheckRights(const OpenKey& key, std::uint32_t needed);
  // The key behind the handle `key`, when it exists and was opened with `needed`.
  RegStatus ResolveWithRights(RegKey key, std::uint32_t needed, OpenKey* target);
  // Refreshes the store and checks that the key behind `key` still exists.
  RegStatus RefreshAndFind(const OpenKey& key, const RegKeyNode** node);
  RegKey AddHandle(OpenKey key);
  std::string PathText(std::size_t root, const std::vector<std::string>& path) const;

  mutable std::mutex mutex_;
  RegistryStore store_;
  std::map<RegKey, OpenKey> handles_;
  RegKey next_handle_;
  std::string last_error_;
};

}  // namespace fw::soft
