#include "tools/assets/assets.h"

#include "formats/image/bmp.h"
#include "formats/image/ico.h"
#include "formats/image/palette.h"
#include "tools/assets/app_icon_art.h"
#include "tools/assets/hand_cursor_art.h"
#include "tools/assets/message_icon_art.h"
#include "tools/assets/padlock_art.h"
#include "tools/assets/preview_sheet.h"

namespace fw::assets {
namespace {

// What a 256-colour entry shows: the palette colours, with the AND mask's holes.
image::Image AsStored8Bit(const image::Image& image) {
  const image::IndexedImage indexed = image::Quantize(image);
  image::Image out{image.width, image.height, {}};
  for (std::size_t i = 0; i < indexed.indices.size(); ++i) {
    image::Rgba p = indexed.palette[indexed.indices[i]];
    if (indexed.transparent[i]) p.a = 0;
    out.pixels.push_back(p);
  }
  return out;
}

}  // namespace

std::vector<AssetFile> MakeAssets() {
  std::vector<AssetFile> files;
  // The sizes Windows asks for, largest first; 256-colour copies of the small ones for old
  // displays.
  std::vector<image::IconFileImage> icon;
  for (const int size : kAppIconSizes) icon.push_back({AppIconImage(size), 32});
  for (const int size : {32, 16}) icon.push_back({AppIconImage(size), 8});
  files.push_back({"ferrowind.ico", image::EncodeIcon(icon)});
  files.push_back({"padlock_closed.bmp", image::EncodeBmp24(ClosedPadlockBitmap())});
  files.push_back({"padlock_open.bmp", image::EncodeBmp24(OpenPadlockBitmap())});
  files.push_back({"hand.cur", image::EncodeMonochromeCursor(HandCursorImage(), 0, 0)});
  files.push_back({"msgbox_error.ico", image::EncodeIcon({{ErrorIconImage(), 32}})});
  files.push_back({"msgbox_exclamation.ico", image::EncodeIcon({{ExclamationIconImage(), 32}})});
  files.push_back({"msgbox_information.ico", image::EncodeIcon({{InformationIconImage(), 32}})});
  return files;
}

std::vector<Preview> MakePreviews() {
  std::vector<Preview> previews;
  PreviewSheet icons;
  for (const int size : {256, 128, 48, 32, 16}) icons.Add(AppIconImage(size), 1);
  icons.NewRow();
  for (const int size : {48, 32, 16}) icons.Add(AppIconImage(size), 256 / size);
  icons.NewRow();
  for (const int size : {32, 16}) icons.Add(AsStored8Bit(AppIconImage(size)), 256 / size);
  previews.push_back({"icon.png", icons.Render()});
  PreviewSheet padlocks;
  padlocks.Add(ClosedPadlockBitmap(), 1);
  padlocks.Add(OpenPadlockBitmap(), 1);
  padlocks.Add(ClosedPadlockBitmap(), 6);
  padlocks.Add(OpenPadlockBitmap(), 6);
  previews.push_back({"padlocks.png", padlocks.Render()});
  PreviewSheet hand;
  hand.Add(HandCursorImage(), 1);
  hand.Add(HandCursorImage(), 2);
  hand.Add(HandCursorImage(), 10);
  previews.push_back({"hand.png", hand.Render()});
  PreviewSheet message_icons;
  for (const int scale : {1, 8}) {
    message_icons.Add(ErrorIconImage(), scale);
    message_icons.Add(ExclamationIconImage(), scale);
    message_icons.Add(InformationIconImage(), scale);
  }
  previews.push_back({"message_icons.png", message_icons.Render()});
  return previews;
}

}  // namespace fw::assets
