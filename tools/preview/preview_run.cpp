#include "tools/preview/preview_run.h"

#include <optional>
#include <ostream>
#include <stdexcept>

#include "fileio/output_files.h"
#include "formats/image/image_file.h"
#include "tools/preview/container_bag.h"
#include "tools/preview/control_adapter.h"
#include "tools/preview/gallery.h"
#include "tools/preview/picture_files.h"
#include "tools/preview/preview_options.h"
#include "tools/preview/render.h"
#include "tools/preview/whole_file.h"

namespace fw::preview {
namespace {

constexpr const char* kProgram = "ferrowind-preview: ";

// Everything the command line asks to write, made before any of it is written.
struct Outputs {
  std::string dump;
  std::optional<PropertyBag> bag;
  std::optional<image::Image> image;
  std::optional<image::Image> gallery;
};

Outputs MakeOutputs(const PreviewOptions& options) {
  const ControlAdapter* control = FindPreviewedControl(options.control);
  if (control == nullptr) throw std::logic_error("no control is named " + options.control);
  std::optional<SavedControl> saved;
  if (!options.load.empty()) saved = ReadSavedControl(options.load);
  const ControlRecipe recipe = RecipeFromOptions(options, saved ? &saved->bag : nullptr,
                                                 saved ? saved->extent_twips : std::nullopt);
  const auto device = CreatePlatformGdiDevice();
  PictureFiles pictures;
  Outputs outputs;
  try {
    const ColorRef parent = options.parent.value_or(kDefaultParent);
    ControlPreview preview(*control, *device, recipe, pictures, parent);
    if (options.dump) outputs.dump = preview.Dump(pictures);
    if (!options.save.empty()) outputs.bag = preview.Save();
    if (!options.out.empty()) outputs.image = preview.Capture(parent);
    if (!options.gallery.empty()) {
      outputs.gallery = BuildGallery(*control, *device, recipe, pictures,
                                     options.parent.value_or(kGalleryBackground));
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
    return kExitBadInput;
  }
  if (options.help) {
    out << PreviewUsage();
    return kExitDone;
  }
  // Bad input (exit 2) is everything found before any output is made; a failure to write one
  // (exit 1) is the environment's. Either way nothing is left behind.
  Outputs outputs;
  try {
    outputs = MakeOutputs(options);
  } catch (const UsageError& error) {
    // Found only once the control is made: a gallery too large for its --size.
    err << kProgram << error.what() << "\n";
    return kExitBadInput;
  } catch (const FileError& error) {
    err << kProgram << error.what() << "\n";
    return kExitBadInput;
  } catch (const std::exception& error) {
    err << kProgram << error.what() << "\n";
    return kExitWriteFailed;
  }
  try {
    OutputFiles files;
    if (outputs.bag) files.Stage(options.save, SavedControlText(*outputs.bag));
    if (outputs.image) {
      files.Stage(options.out, image::EncodeImageFile(*outputs.image, options.out));
    }
    if (outputs.gallery) {
      files.Stage(options.gallery, image::EncodeImageFile(*outputs.gallery, options.gallery));
    }
    files.Commit();
  } catch (const std::exception& error) {
    err << kProgram << error.what() << "\n";
    return kExitWriteFailed;
  }
  // The dump comes last, so that a failed file leaves no dump that looks like success.
  out << outputs.dump;
  out.flush();
  if (!out) {
    err << kProgram << "writing to standard output failed\n";
    return kExitWriteFailed;
  }
  return kExitDone;
}

}  // namespace fw::preview
