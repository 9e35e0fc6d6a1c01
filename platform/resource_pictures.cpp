#include "platform/resource_pictures.h"

#include <string>

#include "platform/resource_table.h"

namespace fw {

std::shared_ptr<const Picture> LoadResourcePictureNamed(std::string_view name) {
  const EmbeddedResource* resource = FindEmbeddedResource(name);
  if (resource == nullptr) return nullptr;
  const std::optional<std::string_view> type = SniffPictureType(resource->bytes);
  if (!type) return nullptr;
  // Kept under the name as embedded, whatever case it was asked for in, so that a saved form
  // names each resource one way only.
  return std::make_shared<const Picture>(
      LoadResourcePicture(std::string(resource->name), resource->bytes, *type));
}

}  // namespace fw
