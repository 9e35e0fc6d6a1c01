#pragma once
// The table of files built into the program, generated at build time by
// cmake/EmbedResources.cmake. Code looks resources up through platform/resources.h; only that
// and the generated file use this.
#include <cstdint>
#include <span>
#include <string_view>

namespace fw {

struct EmbeddedResource {
  std::string_view name;  // the file's base name, as listed
  std::span<const std::uint8_t> bytes;
};

std::span<const EmbeddedResource> EmbeddedResourceTable();

// The entry named `name`, letter case ignored; null if there is none (platform/resources.cpp).
const EmbeddedResource* FindEmbeddedResource(std::string_view name);

}  // namespace fw
