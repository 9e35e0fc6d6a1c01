// The Windows build's registry: every call goes to advapi32.
#include <memory>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/win32/windows_include.h"

namespace fw {
namespace win32 {
namespace {

// The predefined roots are 32-bit values that a 64-bit HKEY holds sign-extended
// (HKEY_LOCAL_MACHINE is 0xFFFFFFFF80000002 there); other handles pass unchanged.
HKEY ToHkey(RegKey key) {
  if (key >= kHkeyClassesRoot && key <= 0xFFFFFFFFu) {
    return reinterpret_cast<HKEY>(
        static_cast<std::intptr_t>(static_cast<std::int32_t>(static_cast<std::uint32_t>(key))));
  }
  return reinterpret_cast<HKEY>(key);
}

RegKey FromHkey(HKEY key) {
  const auto value = reinterpret_cast<std::uintptr_t>(key);
  const auto low = static_cast<std::uint32_t>(value);
  if (low >= kHkeyClassesRoot && reinterpret_cast<std::intptr_t>(key) < 0) return low;
  return value;
}

// advapi32 reads names as NUL-terminated strings.
std::string Terminated(std::string_view text) {
  return std::string(text.substr(0, text.find('\0')));
}

bool IsTextType(std::uint32_t type) {
  return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

class Win32Registry final : public Registry {
 public:
  RegStatus RegCreateKeyExA(RegKey root, std::string_view sub_key, std::uint32_t options,
                            std::uint32_t access, RegKey* result,
                            std::uint32_t* disposition) override {
    // Without a place for the handle Windows answers ERROR_BADKEY; Wine 8 writes through the
    // null pointer, so the call is not made.
    if (result == nullptr) return kErrorBadKey;
    HKEY key = nullptr;
    DWORD created = 0;
    const LSTATUS status = ::RegCreateKeyExA(ToHkey(root), Terminated(sub_key).c_str(), 0, nullptr,
                                             options, access, nullptr, &key, &created);
    *result = FromHkey(key);
    if (status == ERROR_SUCCESS && disposition != nullptr) *disposition = created;
    return status;
  }

  RegStatus RegOpenKeyExA(RegKey root, std::string_view sub_key, std::uint32_t options,
                          std::uint32_t access, RegKey* result) override {
    // Without a place for the handle Windows answers ERROR_INVALID_PARAMETER; Wine 8 writes
    // through the null pointer, so the call is not made.
    if (result == nullptr) return kErrorInvalidParameter;
    HKEY key = nullptr;
    const LSTATUS status =
        ::RegOpenKeyExA(ToHkey(root), Terminated(sub_key).c_str(), options, access, &key);
    *result = FromHkey(key);
    return status;
  }

  RegStatus RegQueryValueExA(RegKey key, std::string_view name, std::uint32_t* type,
                             std::uint8_t* data, std::uint32_t* size) override {
    DWORD value_type = 0;
    DWORD value_size = size != nullptr ? *size : 0;
    const LSTATUS status = ::RegQueryValueExA(ToHkey(key), Terminated(name).c_str(), nullptr,
                                              type != nullptr ? &value_type : nullptr, data,
                                              size != nullptr ? &value_size : nullptr);
    if (type != nullptr) *type = value_type;
    if (size != nullptr) *size = value_size;
    return status;
  }

  RegStatus RegSetValueExA(RegKey key, std::string_view name, std::uint32_t type,
                           std::span<const std::uint8_t> data) override {
    // For the text types advapi32 looks one byte past the data and counts a NUL it finds there
    // as part of the value. The copy ends in a byte that is not NUL, so that exactly the bytes
    // given are stored, and nothing past the caller's buffer is read.
    std::vector<std::uint8_t> bytes(data.begin(), data.end());
    if (IsTextType(type)) bytes.push_back(0xFF);
    return ::RegSetValueExA(ToHkey(key), Terminated(name).c_str(), 0, type,
                            bytes.empty() ? nullptr : bytes.data(),
                            static_cast<DWORD>(data.size()));
  }

  RegStatus RegCloseKey(RegKey key) override { return ::RegCloseKey(ToHkey(key)); }

  RegStatus RegDeleteKeyA(RegKey root, std::string_view sub_key) override {
    return ::RegDeleteKeyA(ToHkey(root), Terminated(sub_key).c_str());
  }

  RegStatus RegDeleteValueA(RegKey key, std::string_view name) override {
    return ::RegDeleteValueA(ToHkey(key), Terminated(name).c_str());
  }
};

}  // namespace
}  // namespace win32

std::unique_ptr<Registry> CreatePlatformRegistry() {
  return std::make_unique<win32::Win32Registry>();
}

}  // namespace fw
