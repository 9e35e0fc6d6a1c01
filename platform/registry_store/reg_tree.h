#pragma once
// The registry as a tree held in memory: the four predefined roots, their keys and typed
// values. Names are Windows-1252 text (what the "A" functions pass); they keep the spelling
// they were created with and compare without regard to case, Windows-1252 letters included
// ("é" matches "É"). Subkeys and values are kept sorted by that comparison, so any walk over
// the tree is deterministic.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/registry.h"

namespace fw::soft {

// Orders two names as the registry compares them: byte by byte after folding letters to upper
// case. Negative, zero or positive, as std::string::compare.
int CompareNames(std::string_view a, std::string_view b);
inline bool NamesEqual(std::string_view a, std::string_view b) {
  return CompareNames(a, b) == 0;
}

struct RegValue {
  std::string name;  // empty for the key's default value
  std::uint32_t type = kRegNone;
  // The bytes exactly as RegSetValueExA received them (a REG_SZ keeps its NUL when it was given
  // one).
  std::vector<std::uint8_t> data;

  bool operator==(const RegValue&) const = default;
};

class RegKeyNode {
 public:
  RegKeyNode() = default;
  explicit RegKeyNode(std::string name) : name_(std::move(name)) {}

  const std::string& name() const { return name_; }
  std::span<const RegKeyNode> subkeys() const { return subkeys_; }
  std::span<const RegValue> values() const { return values_; }

  RegKeyNode* FindSubkey(std::string_view name);
  const RegKeyNode* FindSubkey(std::string_view name) const;
  // The subkey `name`, created (with this spelling) when there is none; `created` may be null.
  RegKeyNode& AddSubkey(std::string_view name, bool* created = nullptr);
  // Removes the subkey `name` with everything below it; false when there is none.
  bool RemoveSubkey(std::string_view name);

  const RegValue* FindValue(std::string_view name) const;
  // Sets the value `name`; a value that already exists keeps its spelling.
  void SetValue(std::string_view name, std::uint32_t type, std::vector<std::uint8_t> data);
  bool RemoveValue(std::string_view name);
  void ClearValues() { values_.clear(); }

  bool operator==(const RegKeyNode&) const = default;

 private:
  std::string name_;
  std::vector<RegKeyNode> subkeys_;
  std::vector<RegValue> values_;
};

inline constexpr std::size_t kRootCount = 4;
// The roots in the order of their handles (0x80000000 + index) and of their names.
inline constexpr std::array<std::string_view, kRootCount> kRootNames = {
    "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", "HKEY_USERS"};

// The index of a predefined root handle (kHkeyClassesRoot .. kHkeyUsers), or nothing.
std::optional<std::size_t> RootIndexOfHandle(RegKey key);
// The index of a root by its full name ("HKEY_LOCAL_MACHINE", any case), or nothing.
std::optional<std::size_t> RootIndexOfName(std::string_view name);

class RegTree {
 public:
  RegTree();

  RegKeyNode& root(std::size_t index) { return roots_.at(index); }
  const RegKeyNode& root(std::size_t index) const { return roots_.at(index); }

  // The key at `path` (names below the root), or null when any of them is missing.
  RegKeyNode* Find(std::size_t root_index, std::span<const std::string> path);
  const RegKeyNode* Find(std::size_t root_index, std::span<const std::string> path) const;

  bool operator==(const RegTree&) const = default;

 private:
  std::array<RegKeyNode, kRootCount> roots_;
};

}  // namespace fw::soft
