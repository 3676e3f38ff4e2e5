// The transparent label's seven settings and every drawing decision made from them:
// the DrawTextA format bits, the effect passes and the font record. The window code
// in ui/trans_label_win.cpp only hands these to GDI.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Setting numbers as the label's read and write calls take them.
enum LabelSettingNumber : int {
  kLabelCaption = 0,
  kLabelEffect = 1,
  kLabelFont = 2,
  kLabelTextColor = 3,
  kLabelHorizontalAlign = 4,
  kLabelWordWrap = 5,
  kLabelVerticalAlign = 6,
  kLabelSettingCount = 7,
};

constexpr int kLogFontSize = 60;
using LogFontRecord = std::array<uint8_t, kLogFontSize>;

struct LabelSettings {
  std::string Caption = "透明标签"; // ANSI code page bytes; also the window text
  int32_t Effect = 0;               // 0 none, 1 sunken, 2 raised, 3 shadow
  std::vector<uint8_t> Font;        // used only when exactly one LOGFONTA long
  uint32_t TextColor = 0;           // COLORREF 0x00BBGGRR
  int32_t HorizontalAlign = 0;      // 0 left, 1 centre, 2 right
  int32_t WordWrap = 0;             // 1 wraps; anything else is one line
  int32_t VerticalAlign = 1;        // 0 top, 1 centre, 2 bottom

  bool operator==(const LabelSettings&) const = default;
};

// One setting's value: Caption uses text, Font uses bytes, the rest use number
// (TextColor as the COLORREF's bits). A missing caption is passed as empty text.
struct LabelSettingValue {
  std::string text;
  std::vector<uint8_t> bytes;
  int32_t number = 0;

  bool operator==(const LabelSettingValue&) const = default;
};

// Stores one setting, clamping Effect to 0..3 and the two alignments to 0..2.
// False, with nothing stored, for a number outside 0..6.
bool WriteLabelSetting(LabelSettings& settings, int settingNumber, const LabelSettingValue& value);
// Sets `out` to the stored value, in the member the setting uses and the others
// empty; false, with `out` untouched, for a number outside 0..6.
bool ReadLabelSetting(const LabelSettings& settings, int settingNumber, LabelSettingValue& out);

// DrawTextA format bits, checked against <windows.h> in the window code.
constexpr uint32_t kDtLeft = 0x0;
constexpr uint32_t kDtCenter = 0x1;
constexpr uint32_t kDtRight = 0x2;
constexpr uint32_t kDtTop = 0x0;
constexpr uint32_t kDtVCenter = 0x4;
constexpr uint32_t kDtBottom = 0x8;
constexpr uint32_t kDtWordBreak = 0x10;
constexpr uint32_t kDtSingleLine = 0x20;
constexpr uint32_t kDtExpandTabs = 0x40;
constexpr uint32_t kDtNoClip = 0x100;
constexpr uint32_t kDtNoPrefix = 0x800;

// The format every DrawTextA pass of the label uses. Ampersands stay mnemonics and
// tabs stay unexpanded, so DT_NOPREFIX and DT_EXPANDTABS are never set.
uint32_t LabelDrawFormat(const LabelSettings& settings);

constexpr uint32_t kColorWhite = 0x00FFFFFF;
constexpr uint32_t kColorBlack = 0x00000000;

// One DrawTextA of the whole caption, in `color`, at the client rectangle moved by
// (dx, dy).
struct LabelPass {
  uint32_t color;
  int dx, dy;

  bool operator==(const LabelPass&) const = default;
};
constexpr int kMaxLabelPasses = 2;

// The passes in drawing order: the effect pass (if any) first, the main text in
// TextColor last. Returns how many of `out` it filled (1 or 2).
int LabelPasses(const LabelSettings& settings, LabelPass out[kMaxLabelPasses]);

// Byte offsets of the LOGFONTA fields, checked with offsetof in the window code.
constexpr int kLfHeight = 0;
constexpr int kLfWidth = 4;
constexpr int kLfEscapement = 8;
constexpr int kLfOrientation = 12;
constexpr int kLfWeight = 16;
constexpr int kLfItalic = 20;
constexpr int kLfUnderline = 21;
constexpr int kLfStrikeOut = 22;
constexpr int kLfCharSet = 23;
constexpr int kLfOutPrecision = 24;
constexpr int kLfClipPrecision = 25;
constexpr int kLfQuality = 26;
constexpr int kLfPitchAndFamily = 27;
constexpr int kLfFaceName = 28;
constexpr int kLfFaceNameSize = 32;

constexpr uint8_t kDefaultCharset = 1;
constexpr uint8_t kGb2312Charset = 134;
constexpr uint8_t kOutDefaultPrecis = 0;
constexpr uint8_t kClipDefaultPrecis = 0;
constexpr uint8_t kProofQuality = 2;

// A LOGFONTA record with the four given fields set and everything else 0 (empty face
// name), LONGs little-endian as on Windows.
constexpr LogFontRecord MakeLogFontRecord(int32_t height, int32_t weight, uint8_t underline,
                                          uint8_t charSet) {
  LogFontRecord r{};
  const auto put = [&r](int offset, int32_t v) {
    const auto u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i) {
      r[offset + i] = static_cast<uint8_t>(u >> (8 * i));
    }
  };
  put(kLfHeight, height);
  put(kLfWeight, weight);
  r[kLfUnderline] = underline;
  r[kLfCharSet] = charSet;
  return r;
}

// The stored fonts of the layout: the large digits and the underlined credit line.
constexpr LogFontRecord kDigitsFontRecord = MakeLogFontRecord(-48, 400, 0, kGb2312Charset);
constexpr LogFontRecord kLinkFontRecord = MakeLogFontRecord(-13, 400, 1, kGb2312Charset);

// The record to create the paint font from: the stored one with character set,
// precisions, quality and pitch overridden. False when Font is not exactly one
// LOGFONTA long, and the label then draws in DEFAULT_GUI_FONT.
bool LabelFontRecord(const LabelSettings& settings, LogFontRecord& out);
