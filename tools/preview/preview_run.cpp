#include "tools/preview/preview_run.h"

#include <optional>
#include <ostream>

#include "tools/image/image.h"
#include "tools/preview/container_bag.h"
#include "tools/preview/gallery.h"
#include "tools/preview/picture_files.h"
#include "tools/preview/preview_options.h"
#include "tools/preview/render.h"
#include "tools/preview/vbbutton_gallery.h"
#include "tools/preview/vbbutton_render.h"
#include "tools/preview/whole_file.h"

namespace fw::preview {
namespace {

constexpr const char* kProgram = "ferrowind-preview: ";
// The colour behind a single preview when none is named.
constexpr ColorRef kDefaultParent = 0xFFFFFF;

// Everything the command line asks to write, made before any of it is written.
struct Outputs {
  std::string dump;
  std::optional<PropertyBag> bag;
  std::optional<image::Image> image;
  std::optional<image::Image> gallery;
};

Outputs MakeOutputs(const PreviewOptions& options) {
  std::optional<SavedControl> saved;
  if (!options.load.empty()) saved = ReadSavedControl(options.load);
  const ControlRecipe recipe = RecipeFromOptions(options, saved ? &saved->bag : nullptr,
                                                 saved ? saved->extent_twips : std::nullopt);
  const auto device = CreatePlatformGdiDevice();
  PictureFiles pictures;
  Outputs outputs;
  try {
    if (options.control == kVbButtonControl) {
      const ColorRef parent = options.parent.value_or(kDefaultParent);
      VbButtonPreview preview(*device, recipe, pictures, parent);
      if (options.dump) outputs.dump = DumpVbButtonProperties(preview.button(), pictures);
      if (!options.save.empty()) outputs.bag = preview.Save();
      if (!options.out.empty()) outputs.image = preview.Capture(parent);
      if (!options.gallery.empty()) {
        outputs.gallery = BuildVbButtonGallery(*device, recipe, pictures,
                                               options.parent.value_or(kGalleryBackground));
      }
      return outputs;
    }
    ButtonPreview preview(*device, recipe, pictures);
    if (options.dump) outputs.dump = DumpProperties(preview.button(), pictures);
    if (!options.save.empty()) outputs.bag = preview.Save();
    if (!options.out.empty())
      outputs.image = preview.Capture(options.parent.value_or(kDefaultParent));
    if (!options.gallery.empty()) {
      outputs.gallery =
          BuildGallery(*device, recipe, pictures, options.parent.value_or(kGalleryBackground));
    }
  } catch (const PropertyBagError& error) {
    // Only loading reads a bag: the saved data does not suit the control.
    if (options.load.empty()) throw;
    throw FileError(options.load + ": " + error.what());
  }
  return outputs;
}

}  // namespace

int RunPreview(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  PreviewOptions options;
  try {
    options = ParsePreviewOptions(args);
  } catch (const UsageError& error) {
    err << kProgram << error.what() << "\n" << PreviewUsage();
    return kExitUsage;
  }
  if (options.help) {
    out << PreviewUsage();
    return kExitDone;
  }
  try {
    Outputs outputs = MakeOutputs(options);
    out << outputs.dump;
    out.flush();
    if (outputs.bag) WriteSavedControl(*outputs.bag, options.save);
    if (outputs.image) image::WriteImageFile(*outputs.image, options.out);
    if (outputs.gallery) image::WriteImageFile(*outputs.gallery, options.gallery);
    if (!out) {
      err << kProgram << "writing to standard output failed\n";
      return kExitFileError;
    }
  } catch (const std::exception& error) {
    err << kProgram << error.what() << "\n";
    return kExitFileError;
  }
  return kExitDone;
}

}  // namespace fw::preview
