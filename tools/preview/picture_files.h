#pragma once
// Pictures the preview loads from files named on its command line, and how it names a picture
// when it prints one: the file it came from, or what a saved property bag held.
#include <map>
#include <string>
#include <string_view>

#include "platform/property_bag.h"

namespace fw::preview {

// The picture type a file name announces by its extension, in any case: "bmp", "ico" or "cur";
// empty for any other name.
std::string_view PictureTypeOfFileName(std::string_view file_name);

// Whether a picture value's text asks for no picture: empty or "(none)".
bool IsNoPictureText(std::string_view text);

class PictureFiles {
 public:
  // The picture in `file_name`, read once and then shared. Throws FileError naming the file
  // when it cannot be read or is not a picture of the type its extension names.
  PicturePtr Load(const std::string& file_name);

  // "(none)", the file a picture was loaded from, or for a picture from elsewhere (a saved
  // property bag) "(resource NAME)" or "(saved bmp, N bytes)".
  std::string Describe(const PicturePtr& picture) const;

 private:
  std::map<std::string, PicturePtr> by_file_;
};

}  // namespace fw::preview
