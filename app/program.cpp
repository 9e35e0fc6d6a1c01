#include "app/program.h"

#include <stdexcept>
#include <string>

#include "controls/button/button.h"
#include "platform/resource_pictures.h"
#include "platform/resources.h"

namespace fw::app {
namespace {

constexpr std::string_view kForm1DesignResource = "form1.json";

FormDesign LoadForm1Design() {
  const auto bytes = ResourceBytes(kForm1DesignResource);
  if (!bytes) {
    throw std::runtime_error("the program's resources hold no " +
                             std::string(kForm1DesignResource));
  }
  const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
  return ParseFormDesign(text, ResourcePicture);
}

}  // namespace

const FormDesign& Form1Design() {
  // Read on first use: the design is constant data, parsed once per process.
  static const FormDesign design = LoadForm1Design();
  return design;
}

std::unique_ptr<ControlHandlers> MakeUserControl(std::string_view class_name, UserControl& window,
                                                 UserControlSite& site) {
  if (class_name == kButtonClassName) return std::make_unique<Button>(window, site);
  return nullptr;
}

PicturePtr ResourcePicture(std::string_view name) {
  return LoadResourcePictureNamed(name);
}

}  // namespace fw::app
