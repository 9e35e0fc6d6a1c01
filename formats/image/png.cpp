#include <zlib.h>

#include <array>
#include <cctype>
#include <fstream>
#include <istream>
#include <ostream>
#include <sstream>

#include "fileio/output_files.h"
#include "formats/image/image.h"

namespace fw::image {

Image FromDibPixels(int width, int height, const std::vector<std::uint32_t>& dib) {
  Image image{width, height, {}};
  image.pixels.reserve(dib.size());
  for (std::uint32_t v : dib) {
    image.pixels.push_back({static_cast<std::uint8_t>((v >> 16) & 0xFF),
                            static_cast<std::uint8_t>((v >> 8) & 0xFF),
                            static_cast<std::uint8_t>(v & 0xFF), 255});
  }
  return image;
}

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

void PutBigEndian(std::vector<unsigned char>& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<unsigned char>(v >> shift));
}

void WriteChunk(std::ostream& out, const char* type, const std::vector<unsigned char>& data) {
  std::vector<unsigned char> chunk;
  PutBigEndian(chunk, static_cast<std::uint32_t>(data.size()));
  chunk.insert(chunk.end(), type, type + 4);
  chunk.insert(chunk.end(), data.begin(), data.end());
  const uLong crc =
      crc32(crc32(0L, Z_NULL, 0), chunk.data() + 4, static_cast<uInt>(data.size() + 4));
  PutBigEndian(chunk, static_cast<std::uint32_t>(crc));
  out.write(reinterpret_cast<const char*>(chunk.data()),
            static_cast<std::streamsize>(chunk.size()));
}

bool HasTransparency(const Image& image) {
  for (const Rgba& p : image.pixels) {
    if (p.a != 255) return true;
  }
  return false;
}

}  // namespace

void WritePng(const Image& image, std::ostream& out) {
  static constexpr std::array<unsigned char, 8> kSignature = {0x89, 'P',  'N',  'G',
                                                              '\r', '\n', 0x1A, '\n'};
  out.write(reinterpret_cast<const char*>(kSignature.data()), kSignature.size());
  const bool alpha = HasTransparency(image);
  std::vector<unsigned char> header;
  PutBigEndian(header, static_cast<std::uint32_t>(image.width));
  PutBigEndian(header, static_cast<std::uint32_t>(image.height));
  header.insert(header.end(), {8, static_cast<unsigned char>(alpha ? 6 : 2), 0, 0, 0});
  WriteChunk(out, "IHDR", header);

  std::vector<unsigned char> raw;
  for (int y = 0; y < image.height; ++y) {
    raw.push_back(0);  // filter type None
    for (int x = 0; x < image.width; ++x) {
      const Rgba& p = image.At(x, y);
      raw.insert(raw.end(), {p.r, p.g, p.b});
      if (alpha) raw.push_back(p.a);
    }
  }
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::vector<unsigned char> packed(size);
  if (compress2(packed.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 9) != Z_OK) {
    throw ImageError("PNG: compression failed");
  }
  packed.resize(size);
  WriteChunk(out, "IDAT", packed);
  WriteChunk(out, "IEND", {});
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

std::string EncodeImageFile(const Image& image, const std::filesystem::path& path) {
  const std::filesystem::path extension = path.extension();
  if (extension != ".ppm" && extension != ".png") {
    throw ImageError(path.string() + ": unknown image type (use .ppm or .png)");
  }
  std::ostringstream out(std::ios::binary);
  if (extension == ".ppm") {
    WritePpm(image, out);
  } else {
    WritePng(image, out);
  }
  return std::move(out).str();
}

void WriteImageFile(const Image& image, const std::filesystem::path& path) {
  const std::string bytes = EncodeImageFile(image, path);
  try {
    OutputFiles files;
    files.Stage(path, bytes);
    files.Commit();
  } catch (const OutputError& error) {
    throw ImageError(error.what());
  }
}

Image ReadPpmFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ImageError(path.string() + ": cannot open");
  return ReadPpm(in, path.string());
}

}  // namespace fw::image
