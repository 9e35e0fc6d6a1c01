#pragma once
// Pictures from the program's resources by name: what a property bag's PictureResolver
// (platform/property_bag.h) calls to turn {"resource": NAME} back into a picture.
#include <memory>
#include <string_view>

#include "platform/picture.h"

namespace fw {

// The embedded bitmap, icon or cursor `name` (its type read from its first bytes), kept as a
// reference to the resource (Picture::from_resource), under the name it was embedded with.
// Null when no resource has that name, or the resource is not a picture (the form's design).
// Throws PictureError if an embedded picture cannot be decoded.
std::shared_ptr<const Picture> LoadResourcePictureNamed(std::string_view name);

}  // namespace fw
