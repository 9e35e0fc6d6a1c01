// The Linux build's drawing device: the soft rasterizer with FreeType text.
#include <memory>

#include "platform/gdi.h"
#include "platform/soft/raster/soft_device.h"
#include "platform/soft/text/soft_text.h"

namespace fw {

std::unique_ptr<GdiDevice> CreatePlatformGdiDevice() {
  return std::make_unique<soft::SoftGdiDevice>(std::make_shared<soft::FreeTypeTextRenderer>());
}

}  // namespace fw
