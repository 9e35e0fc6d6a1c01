#include "formats/image/ppm.h"

#include <cctype>
#include <istream>
#include <ostream>
#include <vector>

namespace fw::image {

void WritePpm(const Image& image, std::ostream& out) {
  out << "P6\n" << image.width << ' ' << image.height << "\n255\n";
  std::vector<char> row;
  for (const Rgba& p : image.pixels) {
    row.push_back(static_cast<char>(p.r));
    row.push_back(static_cast<char>(p.g));
    row.push_back(static_cast<char>(p.b));
  }
  out.write(row.data(), static_cast<std::streamsize>(row.size()));
}

namespace {

// Reads one header token of a PNM file, skipping whitespace and comments.
std::string PnmToken(std::istream& in) {
  std::string token;
  int c = in.get();
  while (c != EOF) {
    if (c == '#') {
      while (c != EOF && c != '\n') c = in.get();
    } else if (std::isspace(c) != 0) {
      if (!token.empty()) break;
    } else {
      token.push_back(static_cast<char>(c));
    }
    c = in.get();
  }
  return token;
}

int PnmNumber(std::istream& in, const std::string& name, const char* what) {
  const std::string token = PnmToken(in);
  int value = 0;
  for (char ch : token) {
    if (ch < '0' || ch > '9' || value > 100000) {
      throw ImageError(name + ": bad PPM " + what + " '" + token + "'");
    }
    value = value * 10 + (ch - '0');
  }
  if (token.empty()) throw ImageError(name + ": PPM header ends before the " + what);
  return value;
}

}  // namespace

Image ReadPpm(std::istream& in, const std::string& name) {
  if (PnmToken(in) != "P6") throw ImageError(name + ": not a binary PPM (P6) file");
  Image image;
  image.width = PnmNumber(in, name, "width");
  image.height = PnmNumber(in, name, "height");
  if (PnmNumber(in, name, "maximum value") != 255) {
    throw ImageError(name + ": only 8-bit PPM (maximum 255) is read");
  }
  const std::size_t count =
      static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
  std::vector<char> bytes(count * 3);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (static_cast<std::size_t>(in.gcount()) != bytes.size()) {
    throw ImageError(name + ": PPM pixel data is truncated");
  }
  image.pixels.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    image.pixels[i] = {static_cast<std::uint8_t>(bytes[i * 3]),
                       static_cast<std::uint8_t>(bytes[i * 3 + 1]),
                       static_cast<std::uint8_t>(bytes[i * 3 + 2]), 255};
  }
  return image;
}

}  // namespace fw::image
