#include "platform/resources.h"

#include "formats/text/ascii_case.h"
#include "platform/resource_table.h"

namespace fw {

const EmbeddedResource* FindEmbeddedResource(std::string_view name) {
  for (const EmbeddedResource& resource : EmbeddedResourceTable()) {
    if (EqualsIgnoringAsciiCase(resource.name, name)) return &resource;
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
