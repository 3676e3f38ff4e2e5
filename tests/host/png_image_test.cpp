#include "ui/png_image.h"

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

namespace {

using Bytes = std::vector<uint8_t>;

// A PNG file made by libpng's simplified writer from 8-bit samples in `format`.
Bytes EncodePng(int width, int height, png_uint_32 format, const void* samples,
                const void* colormap = nullptr, int colormapEntries = 0) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(width);
  png.height = static_cast<png_uint_32>(height);
  png.format = format;
  png.colormap_entries = static_cast<png_uint_32>(colormapEntries);
  png_alloc_size_t size = 0;
  EXPECT_TRUE(png_image_write_to_memory(&png, nullptr, &size, 0, samples, 0, colormap));
  Bytes file(size);
  EXPECT_TRUE(png_image_write_to_memory(&png, file.data(), &size, 0, samples, 0, colormap));
  file.resize(size);
  return file;
}

void PutBig32(Bytes& b, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) {
    b.push_back(static_cast<uint8_t>(v >> shift));
  }
}

// Appends one chunk with a correct CRC.
void PutChunk(Bytes& file, const char* type, const Bytes& data) {
  PutBig32(file, static_cast<uint32_t>(data.size()));
  const size_t typeAt = file.size();
  file.insert(file.end(), type, type + 4);
  file.insert(file.end(), data.begin(), data.end());
  PutBig32(file, static_cast<uint32_t>(crc32(0, file.data() + typeAt, file.size() - typeAt)));
}

// A well-formed signature and IHDR for an 8-bit RGB picture of any claimed size,
// followed by a tiny IDAT and IEND.
Bytes HeaderOnlyPng(uint32_t width, uint32_t height) {
  Bytes file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes ihdr;
  PutBig32(ihdr, width);
  PutBig32(ihdr, height);
  ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});
  PutChunk(file, "IHDR", ihdr);
  PutChunk(file, "IDAT", {0x78, 0x9C, 0x63, 0x00, 0x00});
  PutChunk(file, "IEND", {});
  return file;
}

// Offset of the first byte of the named chunk's data.
size_t ChunkData(const Bytes& file, const char* type) {
  for (size_t at = 8; at + 8 <= file.size();) {
    const uint32_t length = (uint32_t{file[at]} << 24) | (uint32_t{file[at + 1]} << 16) |
                            (uint32_t{file[at + 2]} << 8) | file[at + 3];
    if (std::memcmp(&file[at + 4], type, 4) == 0) {
      return at + 8;
    }
    at += 12 + length;
  }
  ADD_FAILURE() << "no chunk " << type;
  return 0;
}

Image Decoded(const Bytes& file) {
  Image image;
  EXPECT_TRUE(DecodePng(file.data(), file.size(), image));
  return image;
}

TEST(DecodePng, RgbPixelsComeOutAsOpaqueDibRowsFromTheTop) {
  const uint8_t rgb[] = {255, 0,  0,  0, 255, 0, 0,   0,   255, // top row
                         16,  32, 48, 0, 0,   0, 255, 255, 255};
  const Image image = Decoded(EncodePng(3, 2, PNG_FORMAT_RGB, rgb));
  EXPECT_EQ(image.width, 3);
  EXPECT_EQ(image.height, 2);
  const std::vector<uint32_t> expected = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF,
                                          0xFF102030, 0xFF000000, 0xFFFFFFFF};
  EXPECT_EQ(image.pixels, expected);
  EXPECT_TRUE(IsOpaque(image));
  // Bytes in memory are B, G, R, A, as a 32-bit DIB wants them.
  uint8_t first[4];
  std::memcpy(first, image.pixels.data() + 3, 4);
  EXPECT_EQ(first[0], 48);
  EXPECT_EQ(first[1], 32);
  EXPECT_EQ(first[2], 16);
  EXPECT_EQ(first[3], 255);
}

TEST(DecodePng, RgbaKeepsStraightAlpha) {
  const uint8_t rgba[] = {255, 0, 0, 128, 10, 20, 30, 0, 1, 2, 3, 255, 200, 100, 50, 1};
  const Image image = Decoded(EncodePng(2, 2, PNG_FORMAT_RGBA, rgba));
  const std::vector<uint32_t> expected = {0x80FF0000, 0x000A141E, 0xFF010203, 0x01C86432};
  EXPECT_EQ(image.pixels, expected);
  EXPECT_FALSE(IsOpaque(image));
}

TEST(DecodePng, GreyAndPalettePicturesWidenToBgra) {
  const uint8_t grey[] = {0, 100, 200, 255};
  EXPECT_EQ(Decoded(EncodePng(2, 2, PNG_FORMAT_GRAY, grey)).pixels,
            (std::vector<uint32_t>{0xFF000000, 0xFF646464, 0xFFC8C8C8, 0xFFFFFFFF}));

  const uint8_t greyAlpha[] = {90, 0, 90, 255};
  EXPECT_EQ(Decoded(EncodePng(2, 1, PNG_FORMAT_GA, greyAlpha)).pixels,
            (std::vector<uint32_t>{0x005A5A5A, 0xFF5A5A5A}));

  const uint8_t colormap[] = {22, 22, 22, 255, 157, 183, 187, 255, 0, 0, 0, 0};
  const uint8_t indices[] = {0, 1, 2, 1, 0, 0};
  const Image palette = Decoded(EncodePng(3, 2, PNG_FORMAT_RGBA_COLORMAP, indices, colormap, 3));
  EXPECT_EQ(palette.width, 3);
  EXPECT_EQ(palette.pixels, (std::vector<uint32_t>{0xFF161616, 0xFF9DB7BB, 0x00000000, 0xFF9DB7BB,
                                                   0xFF161616, 0xFF161616}));
}

TEST(DecodePng, DamagedFilesFailAndLeaveTheImageEmpty) {
  std::vector<uint8_t> rgb(8 * 8 * 3);
  for (size_t i = 0; i < rgb.size(); ++i) {
    rgb[i] = static_cast<uint8_t>(i * 37);
  }
  const Bytes good = EncodePng(8, 8, PNG_FORMAT_RGB, rgb.data());
  ASSERT_EQ(Decoded(good).width, 8);
  const size_t idat = ChunkData(good, "IDAT");

  // libpng would allocate the claimed gigabyte before finding the file too short.
  Bytes hugeText(good.begin(), good.begin() + idat - 8);
  hugeText.insert(hugeText.end(), {0x3B, 0x9A, 0xCA, 0x00, 'i', 'T', 'X', 't', 'k', 0, 0});
  hugeText.insert(hugeText.end(), good.begin() + idat - 8, good.end());
  // The same chunk's header alone, as the last eight bytes of the file.
  Bytes hugeTextHeaderAtEnd(hugeText.begin(), hugeText.begin() + idat);

  struct Case {
    const char* name;
    Bytes file;
  };
  std::vector<Case> cases = {
      {"empty", {}},
      {"signature only", Bytes(good.begin(), good.begin() + 8)},
      {"cut inside IHDR", Bytes(good.begin(), good.begin() + 20)},
      {"cut inside IDAT", Bytes(good.begin(), good.begin() + idat + 10)},
      {"wrong signature", good},
      {"IHDR CRC", good},
      {"IDAT CRC", good},
      {"claims 100000 x 100000", HeaderOnlyPng(100000, 100000)},
      {"claims 0 x 10", HeaderOnlyPng(0, 10)},
      {"claims 2^31 x 1", HeaderOnlyPng(0x80000000u, 1)},
      {"text", Bytes{'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g'}},
      {"iTXt claiming a gigabyte", hugeText},
      {"iTXt header at the end", hugeTextHeaderAtEnd},
      {"7 bytes of signature", Bytes(good.begin(), good.begin() + 7)},
  };
  cases[4].file[1] = 'Q';
  cases[5].file[8 + 8 + 13] ^= 0x01; // first CRC byte after the 13 IHDR data bytes
  cases[6].file[idat + 2] ^= 0x40;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Image image;
    image.width = 5;
    image.height = 5;
    image.pixels.assign(25, 0xFFFFFFFF);
    EXPECT_FALSE(DecodePng(c.file.data(), c.file.size(), image));
    EXPECT_EQ(image.width, 0);
    EXPECT_EQ(image.height, 0);
    EXPECT_TRUE(image.pixels.empty());
  }
  Image image;
  EXPECT_FALSE(DecodePng(nullptr, 100, image));
}

TEST(DecodePng, BytesAfterTheEndChunkAreIgnored) {
  const uint8_t grey[] = {1, 2, 3, 4};
  Bytes file = EncodePng(2, 2, PNG_FORMAT_GRAY, grey);
  file.insert(file.end(), {0xFF, 0xFF, 0xFF, 0xFF, 'j', 'u', 'n', 'k', 0, 0, 0, 0, 1});
  EXPECT_EQ(Decoded(file).pixels,
            (std::vector<uint32_t>{0xFF010101, 0xFF020202, 0xFF030303, 0xFF040404}));
}

TEST(DecodePng, RefusesPicturesBeyondTheSizeLimits) {
  struct Case {
    int width, height;
    bool accepted;
  };
  const Case cases[] = {
      {kMaxPngSide, 1, true},    {kMaxPngSide + 1, 1, false}, {1, kMaxPngSide + 1, false},
      {kMaxPngSide, 1024, true}, {kMaxPngSide, 1025, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    const std::vector<uint8_t> grey(static_cast<size_t>(c.width) * c.height, 77);
    const Bytes file = EncodePng(c.width, c.height, PNG_FORMAT_GRAY, grey.data());
    Image image;
    ASSERT_EQ(DecodePng(file.data(), file.size(), image), c.accepted);
    if (c.accepted) {
      EXPECT_EQ(image.pixels.size(), grey.size());
      EXPECT_EQ(image.pixels.back(), 0xFF4D4D4Du);
    } else {
      EXPECT_TRUE(image.pixels.empty());
    }
  }
}

TEST(BlendOver, MixesByAlphaOverAColorref) {
  struct Case {
    const char* name;
    uint32_t pixel;
    uint32_t backgroundColorref;
    uint32_t blended;
  };
  const Case cases[] = {
      // Half-transparent red over blue, RGB(0, 0, 255) = COLORREF 0x00FF0000.
      {"half red over blue", 0x80FF0000, 0x00FF0000, 0xFF80007F},
      // Fully transparent shows the background, with the COLORREF's red in the low byte.
      {"transparent", 0x00123456, 0x00332211, 0xFF112233},
      {"opaque untouched", 0xFF123456, 0x00FFFFFF, 0xFF123456},
      {"alpha 1 white over black", 0x01FFFFFF, 0x00000000, 0xFF010101},
      {"alpha 254 white over black", 0xFEFFFFFF, 0x00000000, 0xFFFEFEFE},
      // 200 * 200 / 255 = 156.9 rounds to 157, not down to 156.
      {"rounds to nearest", 0xC8C8C8C8, 0x00000000, 0xFF9D9D9D},
      {"COLORREF high byte ignored", 0x00000000, 0xFF161616, 0xFF161616},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Image image;
    image.width = 1;
    image.height = 1;
    image.pixels = {c.pixel};
    BlendOver(image, c.backgroundColorref);
    EXPECT_EQ(image.pixels[0], c.blended);
    EXPECT_TRUE(IsOpaque(image));
  }
}

TEST(BlendOver, DecodedPictureBlendsOnlyItsTransparentPixels) {
  const uint8_t rgba[] = {255, 0, 0, 128, 1, 2, 3, 255, 9, 9, 9, 0, 40, 50, 60, 255};
  Image image = Decoded(EncodePng(4, 1, PNG_FORMAT_RGBA, rgba));
  BlendOver(image, 0x00FF0000);
  EXPECT_EQ(image.pixels, (std::vector<uint32_t>{0xFF80007F, 0xFF010203, 0xFF0000FF, 0xFF28323C}));
  EXPECT_TRUE(IsOpaque(image));

  Image empty;
  BlendOver(empty, 0x00FFFFFF);
  EXPECT_TRUE(empty.pixels.empty());
  EXPECT_TRUE(IsOpaque(empty));
}

} // namespace
