#pragma once
// Device-independent bitmaps, the pixels inside BMP, icon and cursor files: the info header,
// the colour table, the colour rows and an icon's AND mask, read into an Image and written.
#include <cstddef>
#include <cstdint>

#include "formats/image/dib_layout.h"
#include "formats/image/image.h"
#include "formats/image/little_endian.h"

namespace fw::image {

// What a BITMAPINFOHEADER (or a later header that starts with it) says about a DIB.
struct DibHeader {
  std::int32_t width = 0;
  std::int32_t height = 0;  // as stored: negative for top-down rows; twice the image for icons
  std::uint16_t bit_count = 0;
  std::uint32_t compression = kBiRgb;
  std::size_t palette_offset = 0;  // in the reader's window
  std::uint32_t palette_count = 0;
};

// Reads and checks the info header at `offset`. `icon` selects the rules of an icon image:
// bottom-up only, a doubled height, BI_RGB only.
DibHeader ReadDibHeader(const LittleEndianReader& r, std::size_t offset, bool icon);

// The image's height in pixels (an icon image's header counts its mask rows too).
int ImageHeight(const DibHeader& h, bool icon);

// Decodes the colour rows at `bits_offset` into an opaque top-down image. An index past the end
// of a short colour table gives black, as GDI draws it.
Image ReadColorRows(const LittleEndianReader& r, std::size_t bits_offset, const DibHeader& h,
                    int width, int height, bool top_down);

// Reads an icon image's AND mask at `mask_offset` (1 bit per pixel, bottom-up rows padded to 4
// bytes) into `image`: alpha 0 where a bit is set.
void ReadMaskRows(const LittleEndianReader& r, std::size_t mask_offset, Image& image);

// A BITMAPINFOHEADER of BI_RGB pixels with a full colour table. `height` as stored (an icon
// image's counts its mask rows too).
void PutInfoHeader(LittleEndianWriter& out, int width, int height, int bits,
                   std::uint32_t image_bytes, std::uint32_t pixels_per_metre);

}  // namespace fw::image
