#include "platform/registry_store/soft_registry.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <utility>

#include "formats/text/ansi_text.h"
#include "platform/registry_store/reg_file.h"
#include "platform/registry_store/reg_value_bytes.h"

namespace fw::soft {

namespace {

// Handles are multiples of four, as Windows makes them, well below the predefined roots.
constexpr RegKey kFirstHandle = 0x100;
constexpr RegKey kLastHandle = 0x7FFFFFFC;

constexpr std::uint32_t kKeyCreateLink = 0x0020;
constexpr std::uint32_t kDelete = 0x00010000;
constexpr std::uint32_t kWriteDac = 0x00040000;
constexpr std::uint32_t kWriteOwner = 0x00080000;
constexpr std::uint32_t kKeyAllAccess = 0x000F003F;
constexpr std::uint32_t kMaximumAllowed = 0x02000000;
constexpr std::uint32_t kGenericAll = 0x10000000;
constexpr std::uint32_t kGenericExecute = 0x20000000;
constexpr std::uint32_t kGenericWrite = 0x40000000;
constexpr std::uint32_t kGenericRead = 0x80000000;
// KEY_WOW64_64KEY and KEY_WOW64_32KEY pick a view of the registry; they grant nothing.
constexpr std::uint32_t kWow64Bits = 0x0300;
constexpr std::uint32_t kWriteRights =
    kKeySetValue | kKeyCreateSubKey | kKeyCreateLink | kDelete | kWriteDac | kWriteOwner;

// The rights a handle opened with `desired` holds: generic rights mapped to the key's own.
std::uint32_t GrantedRights(std::uint32_t desired, bool read_only) {
  std::uint32_t rights = desired & ~kWow64Bits;
  if ((rights & (kGenericRead | kGenericExecute)) != 0) rights |= kKeyRead;
  if ((rights & kGenericWrite) != 0) rights |= kKeyWrite;
  if ((rights & kGenericAll) != 0) rights |= kKeyAllAccess;
  if ((rights & kMaximumAllowed) != 0) rights |= read_only ? kKeyRead : kKeyAllAccess;
  return rights & ~(kGenericRead | kGenericExecute | kGenericWrite | kGenericAll | kMaximumAllowed);
}

// An "A" string ends at its first NUL.
std::string_view UpToNul(std::string_view text) {
  return text.substr(0, text.find('\0'));
}

// The names of a sub-key path as the registry reads it, or nothing when it starts with a
// backslash. Repeated and trailing backslashes separate nothing.
std::optional<std::vector<std::string>> SplitSubKey(std::string_view sub_key) {
  if (sub_key.starts_with('\\')) return std::nullopt;
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start < sub_key.size()) {
    const std::size_t end = std::min(sub_key.find('\\', start), sub_key.size());
    if (end > start) names.emplace_back(sub_key.substr(start, end - start));
    start = end + 1;
  }
  return names;
}

std::string HandleText(RegKey key) {
  std::array<char, 32> text{};
  std::snprintf(text.data(), text.size(), "0x%llx", static_cast<unsigned long long>(key));
  return text.data();
}

// Names in messages are UTF-8, as terminals and logs show them.
std::string ValueText(std::string_view name) {
  return name.empty() ? std::string("the default value") : "the value \"" + AnsiToUtf8(name) + "\"";
}

}  // namespace

SoftRegistry::SoftRegistry(std::filesystem::path file)
    : store_(std::move(file)), next_handle_(kFirstHandle) {}

std::string SoftRegistry::last_error() const {
  const std::lock_guard lock(mutex_);
  return last_error_;
}

std::size_t SoftRegistry::open_handle_count() const {
  const std::lock_guard lock(mutex_);
  return handles_.size();
}

RegStatus SoftRegistry::Refresh() {
  const std::lock_guard lock(mutex_);
  last_error_.clear();
  if (const RegStatus status = store_.Refresh(); status != kErrorSuccess) {
    return FailFromStore(status);
  }
  return kErrorSuccess;
}

void SoftRegistry::WatchReads(RegistryStore::ReadWatch watch) {
  const std::lock_guard lock(mutex_);
  store_.WatchReads(std::move(watch));
}

RegStatus SoftRegistry::Fail(RegStatus status, std::string message) {
  last_error_ = std::move(message);
  return status;
}

RegStatus SoftRegistry::FailFromStore(RegStatus status) {
  last_error_ = store_.last_error();
  return status;
}

std::optional<SoftRegistry::OpenKey> SoftRegistry::Resolve(RegKey key) const {
  if (const auto root = RootIndexOfHandle(key)) {
    return OpenKey{*root, {}, kKeyAllAccess, true};
  }
  const auto it = handles_.find(key);
  if (it == handles_.end()) return std::nullopt;
  return it->second;
}

std::string SoftRegistry::PathText(std::size_t root, const std::vector<std::string>& path) const {
  std::string text(kRootNames.at(root));
  for (const std::string& name : path) text += "\\" + AnsiToUtf8(name);
  return text;
}

RegStatus SoftRegistry::CheckRights(const OpenKey& key, std::uint32_t needed) {
  if (key.predefined) {
    // The predefined roots hold every right, except the write rights of a read-only store.
    std::string why;
    if ((needed & kWriteRights) != 0 && store_.IsReadOnly(&why)) {
      return Fail(kErrorAccessDenied, why);
    }
    return kErrorSuccess;
  }
  if ((key.access & needed) != needed) {
    return Fail(kErrorAccessDenied, "the handle to " + PathText(key.root, key.path) +
                                        " was opened without the access this call needs");
  }
  return kErrorSuccess;
}

RegStatus SoftRegistry::ResolveWithRights(RegKey key, std::uint32_t needed, OpenKey* target) {
  auto found = Resolve(key);
  if (!found) return Fail(kErrorInvalidHandle, "no open key has the handle " + HandleText(key));
  if (const RegStatus status = CheckRights(*found, needed); status != kErrorSuccess) return status;
  *target = std::move(*found);
  return kErrorSuccess;
}

RegStatus SoftRegistry::RefreshAndFind(const OpenKey& key, const RegKeyNode** node) {
  if (const RegStatus status = store_.Refresh(); status != kErrorSuccess) {
    return FailFromStore(status);
  }
  *node = store_.tree().Find(key.root, key.path);
  if (*node == nullptr) {
    return Fail(kErrorKeyDeleted, "the key " + PathText(key.root, key.path) +
                                      " has been deleted since it was opened");
  }
  return kErrorSuccess;
}

RegKey SoftRegistry::AddHandle(OpenKey key) {
  while (handles_.contains(next_handle_)) {
    next_handle_ = next_handle_ >= kLastHandle ? kFirstHandle : next_handle_ + 4;
  }
  const RegKey handle = next_handle_;
  handles_.emplace(handle, std::move(key));
  next_handle_ = next_handle_ >= kLastHandle ? kFirstHandle : next_handle_ + 4;
  return handle;
}

RegStatus SoftRegistry::RegCreateKeyExA(RegKey root, std::string_view sub_key,
                                        std::uint32_t /*options*/, std::uint32_t access,
                                        RegKey* result, std::uint32_t* disposition) {
  const std::lock_guard lock(mutex_);
  last_error_.clear();
  if (result == nullptr) return Fail(kErrorBadKey, "RegCreateKeyExA has no place for the handle");
  *result = 0;
  const auto parent = Resolve(root);
  if (!parent) return Fail(kErrorInvalidHandle, "no open key has the handle " + HandleText(root));
  const auto names = SplitSubKey(UpToNul(sub_key));
  if (!names)
    return Fail(kErrorBadPathname,
                "the key path \"" + AnsiToUtf8(sub_key) + "\" starts with a backslash");
  for (const std::string& name : *names) {
    if (!IsWritableKeyName(name)) {
      return Fail(kErrorBadPathname, "the key name \"" + AnsiToUtf8(name) + "\" has a line break");
    }
  }
  OpenKey key{parent->root, parent->path, 0, false};
  key.path.insert(key.path.end(), names->begin(), names->end());

  const RegKeyNode* node = nullptr;
  if (const RegStatus status = RefreshAndFind(*parent, &node); status != kErrorSuccess) {
    return status;
  }
  std::string why;
  const bool read_only = store_.IsReadOnly(&why);
  key.access = GrantedRights(access, read_only);
  if (read_only && (key.access & kWriteRights) != 0) return Fail(kErrorAccessDenied, why);

  bool created = false;
  if (store_.tree().Find(key.root, key.path) == nullptr) {
    const RegStatus status = store_.Modify([&](RegTree& tree) {
      RegKeyNode* at = tree.Find(parent->root, parent->path);
      if (at == nullptr) return kErrorKeyDeleted;
      created = false;
      for (const std::string& name : *names) {
        bool made = false;
        at = &at->AddSubkey(name, &made);
        created = created || made;
      }
      return kErrorSuccess;
    });
    if (status == kErrorKeyDeleted) {
      return Fail(status, "the key " + PathText(parent->root, parent->path) +
                              " has been deleted since it was opened");
    }
    if (status != kErrorSuccess) return FailFromStore(status);
  }
  *result = AddHandle(std::move(key));
  if (disposition != nullptr) *disposition = created ? kRegCreatedNewKey : kRegOpenedExistingKey;
  return kErrorSuccess;
}

RegStatus SoftRegistry::RegOpenKeyExA(RegKey root, std::string_view sub_key,
                                      std::uint32_t /*options*/, std::uint32_t access,
                                      RegKey* result) {
  const std::lock_guard lock(mutex_);
  last_error_.clear();
  if (result == nullptr)
    return Fail(kErrorInvalidParameter, "RegOpenKeyExA has no place for the handle");
  sub_key = UpToNul(sub_key);
  if (sub_key.empty() && RootIndexOfHandle(root)) {
    *result = root;
    return kErrorSuccess;
  }
  *result = 0;
  if (root == kHkeyClassesRoot && sub_key.starts_with('\\')) sub_key.remove_prefix(1);
  const auto parent = Resolve(root);
  if (!parent) return Fail(kErrorInvalidHandle, "no open key has the handle " + HandleText(root));
  const auto names = SplitSubKey(sub_key);
  if (!names)
    return Fail(kErrorBadPathname,
                "the key path \"" + AnsiToUtf8(sub_key) + "\" starts with a backslash");
  OpenKey key{parent->root, parent->path, 0, false};
  key.path.insert(key.path.end(), names->begin(), names->end());

  const RegKeyNode* node = nullptr;
  if (const RegStatus status = RefreshAndFind(*parent, &node); status != kErrorSuccess) {
    return status;
  }
  if (store_.tree().Find(key.root, key.path) == nullptr) {
    return Fail(kErrorFileNotFound, "the key " + PathText(key.root, key.path) + " does not exist");
  }
  std::string why;
  const bool read_only = store_.IsReadOnly(&why);
  key.access = GrantedRights(access, read_only);
  if (read_only && (key.access & kWriteRights) != 0) return Fail(kErrorAccessDenied, why);
  *result = AddHandle(std::move(key));
  return kErrorSuccess;
}

RegStatus SoftRegistry::RegQueryValueExA(RegKey key, std::string_view name, std::uint32_t* type,
                                         std::uint8_t* data, std::uint32_t* size) {
  const std::lock_guard lock(mutex_);
  last_error_.clear();
  if (data != nullptr && size == nullptr) {
    return Fail(kErrorInvalidParameter, "RegQueryValueExA has a buffer but no size");
  }
  const auto target = Resolve(key);
  if (!target) return Fail(kErrorInvalidHandle, "no open key has the handle " + HandleText(key));
  const std::uint32_t capacity = size != nullptr ? *size : 0;
  if (data == nullptr && size != nullptr) *size = 0;
  if (type != nullptr) *type = kRegNone;
  if (const RegStatus status = CheckRights(*target, kKeyQueryValue); status != kErrorSuccess) {
    return status;
  }
  const RegKeyNode* node = nullptr;
  if (const RegStatus status = RefreshAndFind(*target, &node); status != kErrorSuccess) {
    return status;
  }
  name = UpToNul(name);
  const RegValue* value = node->FindValue(name);
  if (value == nullptr) {
    return Fail(kErrorFileNotFound,
                PathText(target->root, target->path) + " has no " + ValueText(name));
  }
  const auto length = static_cast<std::uint32_t>(value->data.size());
  RegStatus status = kErrorSuccess;
  if (data != nullptr) {
    if (length > capacity) {
      status = kErrorMoreData;
      last_error_ = "the buffer of " + std::to_string(capacity) + " bytes is too small for the " +
                    std::to_string(length) + " bytes of " + ValueText(name);
    } else {
      std::copy(value->data.begin(), value->data.end(), data);
      // A text that was stored without its NUL gets one when the buffer has room for it; the
      // size returned does not count it.
      if (IsTextType(value->type) && length > 0 && length < capacity && data[length - 1] != 0) {
        data[length] = 0;
      }
    }
  }
  if (type != nullptr) *type = value->type;
  if (size != nullptr) *size = length;
  return status;
}

RegStatus SoftRegistry::RegSetValueExA(RegKey key, std::string_view name, std::uint32_t type,
                                       std::span<const std::uint8_t> data) {
  const std::lock_guard lock(mutex_);
  last_error_.clear();
  OpenKey target;
  if (const RegStatus status = ResolveWithRights(key, kKeySetValue, &target);
      status != kErrorSuccess) {
    return status;
  }
  name = UpToNul(name);
  if (!IsWritableValueName(name)) {
    return Fail(kErrorInvalidParameter,
                "the value name \"" + AnsiToUtf8(name) + "\" has a line break");
  }
  const RegStatus status = store_.Modify([&](RegTree& tree) {
    RegKeyNode* node = tree.Find(target.root, target.path);
    if (node == nullptr) return kErrorKeyDeleted;
    node->SetValue(name, type, std::vector<std::uint8_t>(data.begin(), data.end()));
    return kErrorSuccess;
  });
  if (status == kErrorKeyDeleted) {
    return Fail(status, "the key " + PathText(target.root, target.path) +
                            " has been deleted since it was opened");
  }
  if (status != kErrorSuccess) return FailFromStore(status);
  return kErrorSuccess;
}

RegStatus SoftRegistry::RegCloseKey(RegKey key) {
  const std::lock_guard lock(mutex_);
  last_error_.clear();
  if (key == 0) return Fail(kErrorInvalidHandle, "RegCloseKey of the null handle");
  if (key >= kHkeyClassesRoot) return kErrorSuccess;
  if (handles_.erase(key) == 0) {
    return Fail(kErrorInvalidHandle, "no open key has the handle " + HandleText(key));
  }
  return kErrorSuccess;
}

RegStatus SoftRegistry::RegDeleteKeyA(RegKey root, std::string_view sub_key) {
  const std::lock_guard lock(mutex_);
  last_error_.clear();
  const auto parent = Resolve(root);
  if (!parent) return Fail(kErrorInvalidHandle, "no open key has the handle " + HandleText(root));
  const auto names = SplitSubKey(UpToNul(sub_key));
  if (!names)
    return Fail(kErrorBadPathname,
                "the key path \"" + AnsiToUtf8(sub_key) + "\" starts with a backslash");
  std::vector<std::string> path = parent->path;
  path.insert(path.end(), names->begin(), names->end());
  const RegKeyNode* node = nullptr;
  if (const RegStatus status = RefreshAndFind(*parent, &node); status != kErrorSuccess) {
    return status;
  }
  const RegKeyNode* doomed = store_.tree().Find(parent->root, path);
  if (doomed == nullptr) {
    return Fail(kErrorFileNotFound, "the key " + PathText(parent->root, path) + " does not exist");
  }
  if (path.empty()) {
    return Fail(kErrorAccessDenied,
                "the root key " + PathText(parent->root, path) + " cannot be deleted");
  }
  if (!doomed->subkeys().empty()) {
    return Fail(kErrorAccessDenied,
                "the key " + PathText(parent->root, path) + " has subkeys; delete them first");
  }
  const RegStatus status = store_.Modify([&](RegTree& tree) {
    RegKeyNode* above = tree.Find(parent->root, std::span(path).first(path.size() - 1));
    const RegKeyNode* below = above == nullptr ? nullptr : above->FindSubkey(path.back());
    if (below == nullptr) return kErrorFileNotFound;
    if (!below->subkeys().empty()) return kErrorAccessDenied;
    above->RemoveSubkey(path.back());
    return kErrorSuccess;
  });
  if (status == kErrorFileNotFound || status == kErrorAccessDenied) {
    return Fail(status, "the key " + PathText(parent->root, path) +
                            " was deleted or given subkeys meanwhile");
  }
  if (status != kErrorSuccess) return FailFromStore(status);
  return kErrorSuccess;
}

RegStatus SoftRegistry::RegDeleteValueA(RegKey key, std::string_view name) {
  const std::lock_guard lock(mutex_);
  last_error_.clear();
  OpenKey target;
  if (const RegStatus status = ResolveWithRights(key, kKeySetValue, &target);
      status != kErrorSuccess) {
    return status;
  }
  name = UpToNul(name);
  const RegKeyNode* node = nullptr;
  if (const RegStatus status = RefreshAndFind(target, &node); status != kErrorSuccess) {
    return status;
  }
  if (node->FindValue(name) == nullptr) {
    return Fail(kErrorFileNotFound,
                PathText(target.root, target.path) + " has no " + ValueText(name));
  }
  const RegStatus status = store_.Modify([&](RegTree& tree) {
    RegKeyNode* at = tree.Find(target.root, target.path);
    if (at == nullptr) return kErrorKeyDeleted;
    return at->RemoveValue(name) ? kErrorSuccess : kErrorFileNotFound;
  });
  if (status == kErrorKeyDeleted || status == kErrorFileNotFound) {
    return Fail(status,
                PathText(target.root, target.path) + " lost " + ValueText(name) + " meanwhile");
  }
  if (status != kErrorSuccess) return FailFromStore(status);
  return kErrorSuccess;
}

}  // namespace fw::soft
