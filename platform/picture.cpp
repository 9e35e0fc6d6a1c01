#include "platform/picture.h"

#include <string>
#include <utility>

#include "formats/image/bmp.h"
#include "formats/image/ico.h"

namespace fw {

bool Picture::SameSourceAs(const Picture& other) const {
  if (drawn() || other.drawn()) {
    return drawn() && other.drawn() && image_.width == other.image_.width &&
           image_.height == other.image_.height && image_.color == other.image_.color;
  }
  return kind_ == other.kind_ && resource_name_ == other.resource_name_ &&
         file_type_ == other.file_type_ && file_bytes_ == other.file_bytes_;
}

Picture LoadPicture(std::span<const std::uint8_t> bytes, std::string_view type) {
  Picture picture;
  if (type == "bmp") {
    picture.kind_ = PictureKind::Bitmap;
    picture.image_ = ToIconImage(image::DecodeBmp(bytes));
  } else if (type == "ico" || type == "cur") {
    const bool cursor = type == "cur";
    const image::DecodedIcon decoded =
        image::DecodeIcon(bytes, cursor ? image::IconKind::kCursor : image::IconKind::kIcon);
    picture.kind_ = cursor ? PictureKind::Cursor : PictureKind::Icon;
    picture.image_ = ToIconImage(decoded.image);
    picture.hot_spot_ = Point{decoded.hot_x, decoded.hot_y};
  } else {
    throw PictureError("unknown picture type \"" + std::string(type) +
                       "\"; expected bmp, ico or cur");
  }
  picture.file_type_ = std::string(type);
  picture.file_bytes_.assign(bytes.begin(), bytes.end());
  return picture;
}

Picture LoadResourcePicture(std::string name, std::span<const std::uint8_t> bytes,
                            std::string_view type) {
  if (name.empty()) throw PictureError("a resource picture needs a name");
  Picture picture = LoadPicture(bytes, type);
  picture.file_type_.clear();
  picture.file_bytes_.clear();
  picture.file_bytes_.shrink_to_fit();
  picture.resource_name_ = std::move(name);
  return picture;
}

Picture BitmapPicture(IconImage image) {
  if (image.width <= 0 || image.height <= 0 || image.width > kMaxPictureDimension ||
      image.height > kMaxPictureDimension ||
      image.color.size() !=
          static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height)) {
    throw PictureError("bitmap: a " + std::to_string(image.width) + " x " +
                       std::to_string(image.height) + " image with " +
                       std::to_string(image.color.size()) + " pixels is not a picture");
  }
  Picture picture;
  picture.kind_ = PictureKind::Bitmap;
  image.mask.assign(image.color.size(), false);
  picture.image_ = std::move(image);
  return picture;
}

std::optional<std::string_view> SniffPictureType(std::span<const std::uint8_t> bytes) {
  if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return "bmp";
  if (bytes.size() >= 4 && bytes[0] == 0 && bytes[1] == 0 && bytes[3] == 0) {
    if (bytes[2] == 1) return "ico";
    if (bytes[2] == 2) return "cur";
  }
  return std::nullopt;
}

IconImage ToIconImage(const image::Image& image) {
  IconImage icon;
  icon.width = image.width;
  icon.height = image.height;
  icon.color.reserve(image.pixels.size());
  icon.mask.reserve(image.pixels.size());
  for (const image::Rgba& p : image.pixels) {
    icon.color.push_back(std::uint32_t{p.r} << 16 | std::uint32_t{p.g} << 8 | p.b);
    icon.mask.push_back(p.a == 0);
  }
  return icon;
}

}  // namespace fw
