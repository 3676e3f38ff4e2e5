#include "ui/png_image.h"

#include <bit>
#include <cstring>
#include <new>
#include <utility>

#include <png.h>

// PNG_FORMAT_BGRA writes bytes B, G, R, A; read as a uint32_t that is 0xAARRGGBB only
// on a little-endian machine, which every target of this program is.
static_assert(std::endian::native == std::endian::little);

namespace {

bool SizeAllowed(png_uint_32 width, png_uint_32 height) {
  return width > 0 && height > 0 && width <= png_uint_32{kMaxPngSide} &&
         height <= png_uint_32{kMaxPngSide} && uint64_t{width} * height <= kMaxPngPixels;
}

// libpng allocates a text chunk's claimed length before reading it, up to 2 GiB for a
// file of a hundred bytes. A chunk claiming more than the file holds marks a damaged
// file anyway, so such files are refused before libpng sees them.
bool ChunksFitInFile(const uint8_t* bytes, size_t size) {
  constexpr size_t kSignatureSize = 8;
  constexpr size_t kChunkHeader = 8;    // length and type, what libpng reads first
  constexpr size_t kChunkOverhead = 12; // header and CRC
  size_t at = kSignatureSize;
  while (at <= size && size - at >= kChunkHeader) {
    const uint32_t length = uint32_t{bytes[at]} << 24 | uint32_t{bytes[at + 1]} << 16 |
                            uint32_t{bytes[at + 2]} << 8 | bytes[at + 3];
    if (uint64_t{length} + kChunkOverhead > size - at) {
      return false;
    }
    if (std::memcmp(bytes + at + 4, "IEND", 4) == 0) {
      break;
    }
    at += kChunkOverhead + length;
  }
  return true;
}

// png_image_free is safe on an image that libpng has already freed after an error.
bool Fail(png_image& png, Image& out) {
  png_image_free(&png);
  out = Image{};
  return false;
}

} // namespace

bool DecodePng(const void* data, size_t size, Image& out) {
  out = Image{};
  if (data == nullptr || size == 0 || !ChunksFitInFile(static_cast<const uint8_t*>(data), size)) {
    return false;
  }
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, data, size)) {
    return Fail(png, out);
  }
  if (!SizeAllowed(png.width, png.height)) {
    return Fail(png, out);
  }
  png.format = PNG_FORMAT_BGRA;
  const auto width = static_cast<int>(png.width);
  const auto height = static_cast<int>(png.height);
  std::vector<uint32_t> pixels;
  try {
    pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
  } catch (const std::bad_alloc&) {
    // A picture that does not fit in memory is one that cannot be decoded.
    return Fail(png, out);
  }
  // The stride counts components, four per pixel; positive means top-down rows.
  const png_int_32 stride = width * 4;
  if (!png_image_finish_read(&png, nullptr, pixels.data(), stride, nullptr)) {
    return Fail(png, out);
  }
  png_image_free(&png);
  out.width = width;
  out.height = height;
  out.pixels = std::move(pixels);
  return true;
}

void BlendOver(Image& image, uint32_t backgroundColorref) {
  const uint32_t bgRed = backgroundColorref & 0xFF;
  const uint32_t bgGreen = (backgroundColorref >> 8) & 0xFF;
  const uint32_t bgBlue = (backgroundColorref >> 16) & 0xFF;
  for (uint32_t& pixel : image.pixels) {
    const uint32_t alpha = pixel >> 24;
    if (alpha == 0xFF) {
      continue;
    }
    const auto mix = [alpha](uint32_t src, uint32_t bg) {
      return (src * alpha + bg * (255 - alpha) + 127) / 255;
    };
    const uint32_t red = mix((pixel >> 16) & 0xFF, bgRed);
    const uint32_t green = mix((pixel >> 8) & 0xFF, bgGreen);
    const uint32_t blue = mix(pixel & 0xFF, bgBlue);
    pixel = 0xFF000000u | (red << 16) | (green << 8) | blue;
  }
}

bool IsOpaque(const Image& image) {
  for (uint32_t pixel : image.pixels) {
    if ((pixel >> 24) != 0xFF) {
      return false;
    }
  }
  return true;
}
