#pragma once
// Pictures as the controls keep them: a bitmap, an icon or a cursor, decoded to the mask and
// colour image DrawIconEx draws, together with where it came from so that it can be saved back
// exactly: the bytes of the original file, or the name of one of the program's resources.
//
// The files are read by the decoders of formats/image (bmp.h, ico.h), which trust nothing: a
// file they cannot read is a PictureError that says what is wrong and where, never a crash or
// a huge allocation. Which image of an icon or cursor file is used, and how its AND mask and
// 32-bit pixels are read, ico.h says.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formats/image/dib_layout.h"
#include "formats/image/image.h"
#include "platform/gdi.h"
#include "platform/geometry.h"

namespace fw {

// A file that cannot be read as a picture. The message names the file type, the field or the
// byte offset, and what is wrong there.
using PictureError = image::ImageError;

enum class PictureKind { Bitmap, Icon, Cursor };

// Neither dimension of a decoded picture may exceed this many pixels.
inline constexpr int kMaxPictureDimension = image::kMaxDibDimension;

class Picture {
 public:
  PictureKind kind() const { return kind_; }
  int width() const { return image_.width; }
  int height() const { return image_.height; }
  // Top-down pixels, 0x00RRGGBB, and the AND mask (true keeps the destination). A bitmap's
  // mask is all false.
  const IconImage& image() const { return image_; }
  // A cursor's hot spot in the chosen image; {0, 0} for bitmaps and icons.
  Point hot_spot() const { return hot_spot_; }

  // Where the picture came from: either a file ("bmp", "ico" or "cur" and its bytes, exactly as
  // read) or a resource of the program (its name; no file bytes are kept).
  bool from_resource() const { return !resource_name_.empty(); }
  const std::string& resource_name() const { return resource_name_; }
  const std::string& file_type() const { return file_type_; }
  const std::vector<std::uint8_t>& file_bytes() const { return file_bytes_; }

  // A picture the program drew itself (a surface's image): no file and no resource behind it.
  // It is saved as the 24-bit BMP of its colours.
  bool drawn() const { return !from_resource() && file_bytes_.empty(); }

  // Two pictures are the same when they come from the same place: the same resource name, or
  // the same file type and bytes (the pixels follow from either).
  bool SameSourceAs(const Picture& other) const;

 private:
  friend Picture LoadPicture(std::span<const std::uint8_t> bytes, std::string_view type);
  friend Picture BitmapPicture(IconImage image);
  friend Picture LoadResourcePicture(std::string name, std::span<const std::uint8_t> bytes,
                                     std::string_view type);
  Picture() = default;

  PictureKind kind_ = PictureKind::Bitmap;
  IconImage image_;
  Point hot_spot_;
  std::string resource_name_;
  std::string file_type_;
  std::vector<std::uint8_t> file_bytes_;
};

// Decodes a "bmp", "ico" or "cur" file and keeps its bytes. Throws PictureError for an unknown
// type, a file of another type (an icon file given as "cur") or any unreadable file.
Picture LoadPicture(std::span<const std::uint8_t> bytes, std::string_view type);

// A picture from the program's resources: decoded from `bytes` like LoadPicture, but it keeps
// only `name` (which must not be empty), so that it is saved as a reference to the resource.
Picture LoadResourcePicture(std::string name, std::span<const std::uint8_t> bytes,
                            std::string_view type);

// The type a file's first bytes announce: "bmp" ("BM"), "ico" (ICONDIR of type 1), "cur"
// (ICONDIR of type 2), or nothing. Only the signature is looked at.
std::optional<std::string_view> SniffPictureType(std::span<const std::uint8_t> bytes);

// A bitmap picture of `image`'s colours, kept as they are (a surface's image, generated
// artwork): no file is made until it is saved, as the 24-bit BMP of its colours.
Picture BitmapPicture(IconImage image);

// The formats' pixels (formats/image/image.h) as the drawing interface holds them: the colours
// as 0x00RRGGBB, the mask set where alpha is 0. (Back, image::FromDibPixels takes the colours.)
IconImage ToIconImage(const image::Image& image);

// A picture as controls and bags hold it; null: no picture.
using PicturePtr = std::shared_ptr<const Picture>;

}  // namespace fw
