#pragma once
// Writes to one key refused while it lives, everything else left alone: a user whose access to
// that one key is read-only.
//
// Windows build: the key's own access list denies writing (WriteRefusal), so advapi32 itself
// refuses. Linux build: the store keeps no access list per key, so `registry()` is a view of the
// scratch registry that answers kErrorAccessDenied, as advapi32 does, to opening or creating
// that key with any write right; the code under test must be given that view.
#include <memory>
#include <string>
#include <string_view>

#include "formats/text/ascii_case.h"
#include "platform/registry.h"
#include "tests/app/scratch_registry.h"

namespace fw::testing {

class KeyWriteRefusal {
 public:
  KeyWriteRefusal(ScratchRegistry& scratch, RegKey root, std::string_view path)
#ifdef _WIN32
      : registry_(scratch.registry()),
        refusal_(scratch.RefuseWrites(root, path)){}
#else
      : view_(scratch.registry(), root, path) {
  }
#endif
        KeyWriteRefusal(const KeyWriteRefusal&) = delete;
  KeyWriteRefusal& operator=(const KeyWriteRefusal&) = delete;

  // Ends the refusal (an administrator's write, say); registry() stays usable.
  void Lift() {
#ifdef _WIN32
    refusal_.reset();
#else
    view_.Lift();
#endif
  }

  // The registry to give the code under test.
  Registry& registry() {
#ifdef _WIN32
    return registry_;
#else
    return view_;
#endif
  }

 private:
#ifdef _WIN32
  Registry& registry_;
  std::unique_ptr<WriteRefusal> refusal_;
#else
  class RefusingView final : public Registry {
   public:
    RefusingView(Registry& registry, RegKey root, std::string_view path)
        : registry_(registry), root_(root), path_(path) {}

    RegStatus RegCreateKeyExA(RegKey root, std::string_view sub_key, std::uint32_t options,
                              std::uint32_t access, RegKey* result,
                              std::uint32_t* disposition) override {
      if (Refused(root, sub_key, access)) return kErrorAccessDenied;
      return registry_.RegCreateKeyExA(root, sub_key, options, access, result, disposition);
    }
    RegStatus RegOpenKeyExA(RegKey root, std::string_view sub_key, std::uint32_t options,
                            std::uint32_t access, RegKey* result) override {
      if (Refused(root, sub_key, access)) return kErrorAccessDenied;
      return registry_.RegOpenKeyExA(root, sub_key, options, access, result);
    }
    RegStatus RegQueryValueExA(RegKey key, std::string_view name, std::uint32_t* type,
                               std::uint8_t* data, std::uint32_t* size) override {
      return registry_.RegQueryValueExA(key, name, type, data, size);
    }
    RegStatus RegSetValueExA(RegKey key, std::string_view name, std::uint32_t type,
                             std::span<const std::uint8_t> data) override {
      return registry_.RegSetValueExA(key, name, type, data);
    }
    RegStatus RegCloseKey(RegKey key) override { return registry_.RegCloseKey(key); }
    RegStatus RegDeleteKeyA(RegKey root, std::string_view sub_key) override {
      return registry_.RegDeleteKeyA(root, sub_key);
    }
    RegStatus RegDeleteValueA(RegKey key, std::string_view name) override {
      return registry_.RegDeleteValueA(key, name);
    }

    void Lift() { lifted_ = true; }

   private:
    // KEY_SET_VALUE, KEY_CREATE_SUB_KEY, KEY_CREATE_LINK, DELETE, WRITE_DAC, WRITE_OWNER, and the
    // generic rights that hold them.
    static constexpr std::uint32_t kWriteRights =
        0x0002 | 0x0004 | 0x0020 | 0x00010000 | 0x00040000 | 0x00080000 | 0x40000000 | 0x10000000;

    bool Refused(RegKey root, std::string_view sub_key, std::uint32_t access) const {
      return !lifted_ && root == root_ && (access & kWriteRights) != 0 &&
             EqualsIgnoringAsciiCase(sub_key, path_);
    }

    Registry& registry_;
    RegKey root_;
    std::string path_;
    bool lifted_ = false;
  };
  RefusingView view_;
#endif
};

}  // namespace fw::testing
