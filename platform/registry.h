#pragma once
// The registry as advapi32 offers it, in its single-byte ("A") forms and with its status codes.
// The Windows build forwards every call to advapi32; the Linux build answers from the registry
// store (platform/registry_store/registry_store.h), a tree of keys persisted to a REGEDIT5 text
// file.
//
// Keys are handles: the predefined roots (HKEY_LOCAL_MACHINE is 0x80000002) and the handles the
// create and open calls return, each valid until RegCloseKey. Names compare without regard to
// case; the empty value name is the key's default value.
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

namespace fw {

using RegKey = std::uintptr_t;
// A Win32 status code: 0 is success.
using RegStatus = std::int32_t;

inline constexpr RegKey kHkeyClassesRoot = 0x80000000;
inline constexpr RegKey kHkeyCurrentUser = 0x80000001;
inline constexpr RegKey kHkeyLocalMachine = 0x80000002;
inline constexpr RegKey kHkeyUsers = 0x80000003;

// Value types.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;
inline constexpr std::uint32_t kRegQword = 11;

// Status codes the calls return.
inline constexpr RegStatus kErrorSuccess = 0;
inline constexpr RegStatus kErrorFileNotFound = 2;
inline constexpr RegStatus kErrorAccessDenied = 5;
inline constexpr RegStatus kErrorInvalidHandle = 6;
inline constexpr RegStatus kErrorInvalidParameter = 87;
inline constexpr RegStatus kErrorMoreData = 234;
// A key path that starts with a backslash, or a name the registry cannot hold.
inline constexpr RegStatus kErrorBadPathname = 161;
// The registry file is corrupt (it cannot be parsed).
inline constexpr RegStatus kErrorBadDb = 1009;
// RegCreateKeyExA without a place for the handle.
inline constexpr RegStatus kErrorBadKey = 1010;
// Reading or writing the registry file failed (other than for permissions).
inline constexpr RegStatus kErrorRegistryIoFailed = 1016;
// The key behind an open handle has been deleted since it was opened.
inline constexpr RegStatus kErrorKeyDeleted = 1018;

// Access rights: KEY_QUERY_VALUE .. KEY_CREATE_LINK is 0x3F; KEY_READ is 0x20019.
inline constexpr std::uint32_t kKeyAllAccessLow = 0x3F;
inline constexpr std::uint32_t kKeyRead = 0x20019;
inline constexpr std::uint32_t kKeyQueryValue = 0x0001;
inline constexpr std::uint32_t kKeySetValue = 0x0002;
inline constexpr std::uint32_t kKeyCreateSubKey = 0x0004;
// KEY_WRITE: KEY_SET_VALUE, KEY_CREATE_SUBKEY and READ_CONTROL.
inline constexpr std::uint32_t kKeyWrite = 0x20006;

// RegCreateKeyExA's disposition.
inline constexpr std::uint32_t kRegCreatedNewKey = 1;
inline constexpr std::uint32_t kRegOpenedExistingKey = 2;

class Registry {
 public:
  virtual ~Registry() = default;

  // Opens `sub_key` under `root`, creating every missing key of the path. `disposition` may be
  // null.
  virtual RegStatus RegCreateKeyExA(RegKey root, std::string_view sub_key, std::uint32_t options,
                                    std::uint32_t access, RegKey* result,
                                    std::uint32_t* disposition) = 0;
  virtual RegStatus RegOpenKeyExA(RegKey root, std::string_view sub_key, std::uint32_t options,
                                  std::uint32_t access, RegKey* result) = 0;
  // As advapi32: with `data` null, only the type and the size in bytes are returned; with a
  // buffer of `*size` bytes that is too small, kErrorMoreData and the size needed. `type` may be
  // null.
  virtual RegStatus RegQueryValueExA(RegKey key, std::string_view name, std::uint32_t* type,
                                     std::uint8_t* data, std::uint32_t* size) = 0;
  virtual RegStatus RegSetValueExA(RegKey key, std::string_view name, std::uint32_t type,
                                   std::span<const std::uint8_t> data) = 0;
  virtual RegStatus RegCloseKey(RegKey key) = 0;
  // Deletes a key that has no subkeys.
  virtual RegStatus RegDeleteKeyA(RegKey root, std::string_view sub_key) = 0;
  virtual RegStatus RegDeleteValueA(RegKey key, std::string_view name) = 0;
};

// The build's registry: advapi32 in the Windows build; in the Linux build the store at
// $FERROWIND_REGISTRY, else $XDG_STATE_HOME/ferrowind/registry.reg (XDG_STATE_HOME defaulting to
// ~/.local/state).
std::unique_ptr<Registry> CreatePlatformRegistry();

}  // namespace fw
