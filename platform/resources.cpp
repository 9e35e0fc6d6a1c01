#include "platform/resources.h"

#include <algorithm>

#include "platform/resource_table.h"

namespace fw {
namespace {

char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return AsciiLower(x) == AsciiLower(y);
         });
}

}  // namespace

const EmbeddedResource* FindEmbeddedResource(std::string_view name) {
  for (const EmbeddedResource& resource : EmbeddedResourceTable()) {
    if (SameNameIgnoringCase(resource.name, name)) return &resource;
  }
  return nullptr;
}

std::optional<std::span<const std::uint8_t>> ResourceBytes(std::string_view name) {
  const EmbeddedResource* resource = FindEmbeddedResource(name);
  if (resource == nullptr) return std::nullopt;
  return resource->bytes;
}

std::vector<std::string_view> ResourceNames() {
  std::vector<std::string_view> names;
  for (const EmbeddedResource& resource : EmbeddedResourceTable()) names.push_back(resource.name);
  return names;
}

}  // namespace fw
