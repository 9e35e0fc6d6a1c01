#include "platform/registry_store/reg_tree.h"

#include <algorithm>

#include "formats/text/ansi_text.h"

namespace fw::soft {

namespace {

std::string_view NameOf(const RegKeyNode& key) {
  return key.name();
}
std::string_view NameOf(const RegValue& value) {
  return value.name;
}

// The first item whose name is not ordered before `name`.
template <typename Vector>
auto LowerBound(Vector& items, std::string_view name) {
  return std::lower_bound(items.begin(), items.end(), name, [](const auto& item, auto key) {
    return CompareNames(NameOf(item), key) < 0;
  });
}

template <typename Vector>
auto FindByName(Vector& items, std::string_view name) {
  const auto it = LowerBound(items, name);
  return it != items.end() && NamesEqual(NameOf(*it), name) ? it : items.end();
}

}  // namespace

int CompareNames(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const unsigned char x = AnsiToUpper(static_cast<unsigned char>(a[i]));
    const unsigned char y = AnsiToUpper(static_cast<unsigned char>(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

RegKeyNode* RegKeyNode::FindSubkey(std::string_view name) {
  const auto it = FindByName(subkeys_, name);
  return it == subkeys_.end() ? nullptr : &*it;
}

const RegKeyNode* RegKeyNode::FindSubkey(std::string_view name) const {
  const auto it = FindByName(subkeys_, name);
  return it == subkeys_.end() ? nullptr : &*it;
}

RegKeyNode& RegKeyNode::AddSubkey(std::string_view name, bool* created) {
  auto it = LowerBound(subkeys_, name);
  const bool exists = it != subkeys_.end() && NamesEqual(it->name(), name);
  if (created != nullptr) *created = !exists;
  if (exists) return *it;
  return *subkeys_.insert(it, RegKeyNode(std::string(name)));
}

bool RegKeyNode::RemoveSubkey(std::string_view name) {
  const auto it = FindByName(subkeys_, name);
  if (it == subkeys_.end()) return false;
  subkeys_.erase(it);
  return true;
}

const RegValue* RegKeyNode::FindValue(std::string_view name) const {
  const auto it = FindByName(values_, name);
  return it == values_.end() ? nullptr : &*it;
}

void RegKeyNode::SetValue(std::string_view name, std::uint32_t type,
                          std::vector<std::uint8_t> data) {
  auto it = LowerBound(values_, name);
  if (it == values_.end() || !NamesEqual(it->name, name)) {
    it = values_.insert(it, RegValue{std::string(name), type, {}});
  }
  it->type = type;
  it->data = std::move(data);
}

bool RegKeyNode::RemoveValue(std::string_view name) {
  const auto it = FindByName(values_, name);
  if (it == values_.end()) return false;
  values_.erase(it);
  return true;
}

std::optional<std::size_t> RootIndexOfHandle(RegKey key) {
  if (key < kHkeyClassesRoot || key > kHkeyUsers) return std::nullopt;
  return static_cast<std::size_t>(key - kHkeyClassesRoot);
}

std::optional<std::size_t> RootIndexOfName(std::string_view name) {
  for (std::size_t i = 0; i < kRootCount; ++i) {
    if (NamesEqual(kRootNames[i], name)) return i;
  }
  return std::nullopt;
}

RegTree::RegTree()
    : roots_{RegKeyNode(std::string(kRootNames[0])), RegKeyNode(std::string(kRootNames[1])),
             RegKeyNode(std::string(kRootNames[2])), RegKeyNode(std::string(kRootNames[3]))} {}

RegKeyNode* RegTree::Find(std::size_t root_index, std::span<const std::string> path) {
  RegKeyNode* node = &roots_.at(root_index);
  for (const std::string& name : path) {
    node = node->FindSubkey(name);
    if (node == nullptr) return nullptr;
  }
  return node;
}

const RegKeyNode* RegTree::Find(std::size_t root_index, std::span<const std::string> path) const {
  const RegKeyNode* node = &roots_.at(root_index);
  for (const std::string& name : path) {
    node = node->FindSubkey(name);
    if (node == nullptr) return nullptr;
  }
  return node;
}

}  // namespace fw::soft
