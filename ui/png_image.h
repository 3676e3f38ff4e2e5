// Decoding of the program's PNG pictures into 32-bit pixels ready for a top-down
// Windows DIB, and the blend of their transparent pixels over a background colour.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Pixels are 0xAARRGGBB (bytes B, G, R, A in memory), rows from the top, no padding.
struct Image {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
};

// Larger pictures are refused before any pixel memory is taken, so that damaged or
// hostile bytes cannot make the decoder allocate more than 64 MiB.
constexpr int kMaxPngSide = 16384;
constexpr uint64_t kMaxPngPixels = uint64_t{4096} * 4096;

// Decodes a whole PNG file held in memory. False on any failure, with `out` empty.
bool DecodePng(const void* data, size_t size, Image& out);

// Blends every pixel that is not fully opaque over `backgroundColorref`, a COLORREF
// (0x00BBGGRR) like every colour of the layout, in proportion to its alpha; the
// result is opaque.
void BlendOver(Image& image, uint32_t backgroundColorref);

// True when every pixel has alpha 255 (so for an empty image too).
bool IsOpaque(const Image& image);
