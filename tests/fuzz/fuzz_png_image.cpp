// Arbitrary bytes through the picture decoder and the blend: no crash, no huge
// allocation, and a decoded picture is consistent and opaque after blending.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include <zlib.h>

#include "ui/png_image.h"

namespace {

// Mutated chunks nearly always fail their CRC before libpng looks inside them, so each
// input is also tried with every complete chunk's CRC made right.
std::vector<uint8_t> WithCrcsRepaired(const uint8_t* data, size_t size) {
  std::vector<uint8_t> file(data, data + size);
  size_t at = 8;
  while (at + 12 <= file.size()) {
    const uint64_t length = uint64_t{file[at]} << 24 | uint64_t{file[at + 1]} << 16 |
                            uint64_t{file[at + 2]} << 8 | file[at + 3];
    if (length > file.size() - at - 12) {
      break;
    }
    const size_t crcAt = at + 8 + static_cast<size_t>(length);
    const auto crc =
        static_cast<uint32_t>(crc32(0, file.data() + at + 4, static_cast<uInt>(length + 4)));
    for (int i = 0; i < 4; ++i) {
      file[crcAt + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
    }
    at = crcAt + 4;
  }
  return file;
}

void DecodeAndBlend(const uint8_t* data, size_t size) {
  Image image;
  if (!DecodePng(data, size, image)) {
    if (image.width != 0 || image.height != 0 || !image.pixels.empty()) {
      abort();
    }
    return;
  }
  if (image.width <= 0 || image.height <= 0 || image.width > kMaxPngSide ||
      image.height > kMaxPngSide ||
      image.pixels.size() != static_cast<size_t>(image.width) * image.height ||
      image.pixels.size() > kMaxPngPixels) {
    abort();
  }
  // The last bytes pick the background, so that every colour gets its turn.
  const uint32_t background =
      size >= 3 ? data[size - 1] | data[size - 2] << 8 | data[size - 3] << 16 : 0x00161616;
  const std::vector<uint32_t> before = image.pixels;
  BlendOver(image, background);
  if (!IsOpaque(image)) {
    abort();
  }
  for (size_t i = 0; i < before.size(); ++i) {
    const uint32_t alpha = before[i] >> 24;
    const bool unchanged = image.pixels[i] == before[i];
    if ((alpha == 0xFF && !unchanged) ||
        (alpha == 0 && image.pixels[i] != (0xFF000000u | (background & 0xFF) << 16 |
                                           (background & 0xFF00) | (background >> 16 & 0xFF)))) {
      abort();
    }
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  DecodeAndBlend(data, size);
  const std::vector<uint8_t> repaired = WithCrcsRepaired(data, size);
  if (!repaired.empty() && !std::equal(repaired.begin(), repaired.end(), data)) {
    DecodeAndBlend(repaired.data(), repaired.size());
  }
  return 0;
}
