#pragma once
// DWORD values under HKLM\...\USBSTOR in a registry tree, for the store's tests.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/registry_store/reg_tree.h"
#include "platform/registry_store/registry_store.h"

namespace fw::soft::test {

inline const std::vector<std::string> kUsbstor = {"SYSTEM", "CurrentControlSet", "Services",
                                                  "USBSTOR"};

inline RegKeyNode& UsbstorIn(RegTree& tree) {
  RegKeyNode* key = &tree.root(2);
  for (const std::string& part : kUsbstor) key = &key->AddSubkey(part);
  return *key;
}

inline std::vector<std::uint8_t> DwordBytes(std::uint32_t value) {
  return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
          static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

// A change that sets one DWORD under USBSTOR.
inline RegistryStore::Change SetDword(std::string name, std::uint32_t value) {
  return [name = std::move(name), value](RegTree& tree) {
    UsbstorIn(tree).SetValue(name, kRegDword, DwordBytes(value));
    return kErrorSuccess;
  };
}

// The DWORD `name` under USBSTOR as the tree holds it, or nothing.
inline std::optional<std::uint32_t> DwordIn(const RegTree& tree, const std::string& name) {
  const RegKeyNode* key = tree.Find(2, kUsbstor);
  const RegValue* value = key == nullptr ? nullptr : key->FindValue(name);
  if (value == nullptr || value->data.size() != 4) return std::nullopt;
  return static_cast<std::uint32_t>(value->data[0] | (value->data[1] << 8) |
                                    (value->data[2] << 16) | (value->data[3] << 24));
}

}  // namespace fw::soft::test
