#include "tools/preview/picture_files.h"

#include "formats/text/ascii_case.h"
#include "platform/picture.h"
#include "tools/preview/ansi_text.h"
#include "tools/preview/whole_file.h"

namespace fw::preview {

std::string_view PictureTypeOfFileName(std::string_view file_name) {
  const std::size_t dot = file_name.rfind('.');
  if (dot == std::string_view::npos) return {};
  const std::string extension = ToAsciiLower(file_name.substr(dot + 1));
  for (const std::string_view type : {"bmp", "ico", "cur"}) {
    if (extension == type) return type;
  }
  return {};
}

bool IsNoPictureText(std::string_view text) {
  return text.empty() || text == "(none)";
}

PicturePtr PictureFiles::Load(const std::string& file_name) {
  if (const auto found = by_file_.find(file_name); found != by_file_.end()) return found->second;
  const std::string_view type = PictureTypeOfFileName(file_name);
  if (type.empty()) {
    throw FileError(file_name + ": not a picture file name (.bmp, .ico or .cur)");
  }
  const std::vector<std::uint8_t> bytes = ReadWholeFile(file_name);
  try {
    auto picture = std::make_shared<const Picture>(LoadPicture(bytes, type));
    by_file_.emplace(file_name, picture);
    return picture;
  } catch (const PictureError& error) {
    throw FileError(file_name + ": " + error.what());
  }
}

std::string PictureFiles::Describe(const PicturePtr& picture) const {
  if (!picture) return "(none)";
  for (const auto& [file_name, loaded] : by_file_) {
    if (loaded == picture) return file_name;
  }
  if (picture->from_resource()) return "(resource " + AnsiToOutput(picture->resource_name()) + ")";
  return "(saved " + picture->file_type() + ", " + std::to_string(picture->file_bytes().size()) +
         " bytes)";
}

}  // namespace fw::preview
