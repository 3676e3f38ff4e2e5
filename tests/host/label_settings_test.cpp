#include "ui/label_settings.h"

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

LabelSettingValue Number(int32_t n) {
  LabelSettingValue v;
  v.number = n;
  return v;
}
LabelSettingValue Text(const std::string& s) {
  LabelSettingValue v;
  v.text = s;
  return v;
}
LabelSettingValue Bytes(size_t length, uint8_t fill) {
  LabelSettingValue v;
  v.bytes.assign(length, fill);
  return v;
}

LabelSettingValue Read(const LabelSettings& s, int number) {
  LabelSettingValue v;
  EXPECT_TRUE(ReadLabelSetting(s, number, v)) << "setting " << number;
  return v;
}

int32_t Long(const LogFontRecord& r, int offset) {
  uint32_t u = 0;
  for (int i = 3; i >= 0; --i) {
    u = (u << 8) | r[offset + i];
  }
  return static_cast<int32_t>(u);
}

TEST(LabelSettingsDefaults, AreTheDocumentedValues) {
  const LabelSettings s;
  // "透明标签" must reach the window as GBK bytes.
  EXPECT_EQ(s.Caption, "\xCD\xB8\xC3\xF7\xB1\xEA\xC7\xA9");
  EXPECT_EQ(Read(s, kLabelCaption), Text(s.Caption));
  EXPECT_EQ(Read(s, kLabelEffect), Number(0));
  EXPECT_EQ(Read(s, kLabelFont), LabelSettingValue{});
  EXPECT_EQ(Read(s, kLabelTextColor), Number(0));
  EXPECT_EQ(Read(s, kLabelHorizontalAlign), Number(0));
  EXPECT_EQ(Read(s, kLabelWordWrap), Number(0));
  EXPECT_EQ(Read(s, kLabelVerticalAlign), Number(1));
  LogFontRecord record{};
  EXPECT_FALSE(LabelFontRecord(s, record));
}

struct WriteCase {
  const char* name;
  int setting;
  LabelSettingValue written;
  LabelSettingValue readBack;
};

TEST(WriteLabelSetting, StoresClampsAndTouchesNothingElse) {
  const WriteCase cases[] = {
      {"effect 7 clamps to shadow", kLabelEffect, Number(7), Number(3)},
      {"effect -1 clamps to none", kLabelEffect, Number(-1), Number(0)},
      {"effect 2 kept", kLabelEffect, Number(2), Number(2)},
      {"effect INT_MIN", kLabelEffect, Number(INT_MIN), Number(0)},
      {"effect INT_MAX", kLabelEffect, Number(INT_MAX), Number(3)},
      {"halign 5 clamps to right", kLabelHorizontalAlign, Number(5), Number(2)},
      {"halign -1 clamps to left", kLabelHorizontalAlign, Number(-1), Number(0)},
      {"halign 1 kept", kLabelHorizontalAlign, Number(1), Number(1)},
      {"valign -3 clamps to top", kLabelVerticalAlign, Number(-3), Number(0)},
      {"valign 9 clamps to bottom", kLabelVerticalAlign, Number(9), Number(2)},
      {"valign 2 kept", kLabelVerticalAlign, Number(2), Number(2)},
      {"word wrap 2 unchanged", kLabelWordWrap, Number(2), Number(2)},
      {"word wrap -5 unchanged", kLabelWordWrap, Number(-5), Number(-5)},
      {"text colour unchanged", kLabelTextColor, Number(0x00603060), Number(0x00603060)},
      {"text colour high byte kept", kLabelTextColor, Number(-1), Number(-1)},
      {"caption copied", kLabelCaption, Text("Quillmere原创"), Text("Quillmere原创")},
      {"empty caption", kLabelCaption, Text(""), Text("")},
      {"font of 59 bytes stored", kLabelFont, Bytes(59, 7), Bytes(59, 7)},
      {"font of 60 bytes stored", kLabelFont, Bytes(60, 9), Bytes(60, 9)},
      {"font of 200 bytes stored", kLabelFont, Bytes(200, 1), Bytes(200, 1)},
  };
  const LabelSettings defaults;
  for (const WriteCase& c : cases) {
    SCOPED_TRACE(c.name);
    LabelSettings s;
    ASSERT_TRUE(WriteLabelSetting(s, c.setting, c.written));
    EXPECT_EQ(Read(s, c.setting), c.readBack);
    for (int other = 0; other < kLabelSettingCount; ++other) {
      if (other != c.setting) {
        EXPECT_EQ(Read(s, other), Read(defaults, other)) << "setting " << other;
      }
    }
  }
}

TEST(WriteLabelSetting, FontOfLengthZeroEmptiesIt) {
  LabelSettings s;
  ASSERT_TRUE(WriteLabelSetting(s, kLabelFont, Bytes(60, 3)));
  ASSERT_TRUE(WriteLabelSetting(s, kLabelFont, LabelSettingValue{}));
  EXPECT_TRUE(s.Font.empty());
  LogFontRecord record{};
  EXPECT_FALSE(LabelFontRecord(s, record));
}

TEST(WriteLabelSetting, ReadValueCarriesOnlyThatSetting) {
  LabelSettings s;
  s.Font.assign(60, 1);
  LabelSettingValue v = Text("stale");
  v.bytes = {1, 2, 3};
  v.number = 99;
  ASSERT_TRUE(ReadLabelSetting(s, kLabelEffect, v));
  EXPECT_EQ(v, Number(0));
}

TEST(LabelSettingNumbers, OutsideZeroToSixFailAndChangeNothing) {
  for (int number : {7, -1, 8, INT_MIN, INT_MAX}) {
    SCOPED_TRACE(number);
    LabelSettings s;
    s.Caption = "9";
    const LabelSettings before = s;
    LabelSettingValue value = Text("x");
    value.bytes.assign(60, 1);
    value.number = 2;
    EXPECT_FALSE(WriteLabelSetting(s, number, value));
    EXPECT_EQ(s, before);
    LabelSettingValue out = Number(42);
    EXPECT_FALSE(ReadLabelSetting(s, number, out));
    EXPECT_EQ(out, Number(42));
  }
}

struct FormatCase {
  int32_t horizontalAlign, wordWrap, verticalAlign;
  uint32_t format;
};

TEST(LabelDrawFormat, FollowsAlignmentAndWrap) {
  const FormatCase cases[] = {
      {1, 0, 1, 0x125}, // the digit labels
      {0, 0, 1, 0x124}, // the exit and link labels
      {2, 0, 1, 0x126},
      {0, 0, 0, 0x120},
      {1, 0, 0, 0x121},
      {2, 0, 0, 0x122},
      {0, 0, 2, 0x128},
      {1, 0, 2, 0x129},
      {2, 0, 2, 0x12A},
      // Wrapping ignores VerticalAlign.
      {0, 1, 0, 0x114},
      {0, 1, 2, 0x114},
      {1, 1, 1, 0x115},
      {2, 1, 2, 0x116},
      // Any WordWrap other than 1 is one line.
      {1, 2, 1, 0x125},
      {0, -1, 2, 0x128},
      {2, INT_MAX, 0, 0x122},
      // Values the write path never stores still give a defined format.
      {7, 0, 1, 0x124},
      {-4, 0, -4, 0x120},
      {1, 0, 3, 0x121},
  };
  for (const FormatCase& c : cases) {
    LabelSettings s;
    s.HorizontalAlign = c.horizontalAlign;
    s.WordWrap = c.wordWrap;
    s.VerticalAlign = c.verticalAlign;
    EXPECT_EQ(LabelDrawFormat(s), c.format)
        << "h " << c.horizontalAlign << " wrap " << c.wordWrap << " v " << c.verticalAlign;
  }
}

TEST(LabelDrawFormat, NeverHidesAmpersandsOrExpandsTabs) {
  for (int32_t h = -1; h <= 3; ++h) {
    for (int32_t wrap = -1; wrap <= 2; ++wrap) {
      for (int32_t v = -1; v <= 3; ++v) {
        LabelSettings s;
        s.HorizontalAlign = h;
        s.WordWrap = wrap;
        s.VerticalAlign = v;
        const uint32_t format = LabelDrawFormat(s);
        EXPECT_EQ(format & (kDtNoPrefix | kDtExpandTabs), 0u);
        EXPECT_EQ(format & kDtNoClip, kDtNoClip);
      }
    }
  }
}

struct PassCase {
  int32_t effect;
  int count;
  LabelPass passes[kMaxLabelPasses];
};

TEST(LabelPasses, EffectPassLiesUnderTheMainText) {
  constexpr uint32_t kGrey = 0x00606060;
  const PassCase cases[] = {
      {0, 1, {{kGrey, 0, 0}}},
      {1, 2, {{0xFFFFFF, 1, 1}, {kGrey, 0, 0}}},
      {2, 2, {{0xFFFFFF, 0, 0}, {kGrey, 1, 1}}},
      {3, 2, {{0x000000, 2, 2}, {kGrey, 0, 0}}},
      {4, 1, {{kGrey, 0, 0}}},
      {-1, 1, {{kGrey, 0, 0}}},
  };
  for (const PassCase& c : cases) {
    SCOPED_TRACE(c.effect);
    LabelSettings s;
    s.Effect = c.effect;
    s.TextColor = kGrey;
    LabelPass out[kMaxLabelPasses] = {};
    ASSERT_EQ(LabelPasses(s, out), c.count);
    for (int i = 0; i < c.count; ++i) {
      EXPECT_EQ(out[i], c.passes[i]) << "pass " << i;
    }
  }
}

TEST(StoredFontRecords, HoldTheLayoutFields) {
  static_assert(kDigitsFontRecord[kLfCharSet] == kGb2312Charset, "built at compile time");
  struct {
    const char* name;
    const LogFontRecord& record;
    int32_t height;
    uint8_t underline;
  } const fonts[] = {{"digits", kDigitsFontRecord, -48, 0}, {"link", kLinkFontRecord, -13, 1}};
  for (const auto& f : fonts) {
    SCOPED_TRACE(f.name);
    LogFontRecord expected{};
    expected[kLfUnderline] = f.underline;
    expected[kLfCharSet] = 134;
    // Little-endian LONGs: lfHeight and lfWeight = 400 = 0x190.
    std::memcpy(expected.data() + kLfWeight, "\x90\x01\x00\x00", 4);
    LogFontRecord record = f.record;
    EXPECT_EQ(Long(record, kLfHeight), f.height);
    std::memset(record.data() + kLfHeight, 0, 4);
    EXPECT_EQ(record, expected);
  }
  EXPECT_EQ(kDigitsFontRecord[0], 0xD0); // -48 low byte first
  EXPECT_EQ(kDigitsFontRecord[3], 0xFF);
}

TEST(LabelFontRecord, OverridesFiveFieldsAndKeepsTheRest) {
  LabelSettings s;
  s.Font.resize(kLogFontSize);
  for (int i = 0; i < kLogFontSize; ++i) {
    s.Font[i] = static_cast<uint8_t>(0xA0 + i);
  }
  std::memcpy(s.Font.data() + kLfFaceName, "Face\0", 5);
  LogFontRecord out{};
  ASSERT_TRUE(LabelFontRecord(s, out));
  EXPECT_EQ(out[kLfCharSet], 1);
  EXPECT_EQ(out[kLfOutPrecision], 0);
  EXPECT_EQ(out[kLfClipPrecision], 0);
  EXPECT_EQ(out[kLfQuality], 2);
  EXPECT_EQ(out[kLfPitchAndFamily], 0);
  for (int i = 0; i < kLogFontSize; ++i) {
    if (i < kLfCharSet || i > kLfPitchAndFamily) {
      EXPECT_EQ(out[i], s.Font[i]) << "byte " << i;
    }
  }
  EXPECT_STREQ(reinterpret_cast<const char*>(out.data() + kLfFaceName), "Face");

  s.Font.assign(kLinkFontRecord.begin(), kLinkFontRecord.end());
  ASSERT_TRUE(LabelFontRecord(s, out));
  EXPECT_EQ(Long(out, kLfHeight), -13);
  EXPECT_EQ(Long(out, kLfWeight), 400);
  EXPECT_EQ(out[kLfUnderline], 1);
  EXPECT_EQ(out[kLfCharSet], kDefaultCharset);
  EXPECT_EQ(out[kLfQuality], kProofQuality);
}

TEST(LabelFontRecord, OnlyARecordOfSixtyBytesIsUsed) {
  for (size_t length : {0, 1, 59, 61, 120}) {
    SCOPED_TRACE(length);
    LabelSettings s;
    ASSERT_TRUE(WriteLabelSetting(s, kLabelFont, Bytes(length, 5)));
    LogFontRecord out{};
    out.fill(0xEE);
    EXPECT_FALSE(LabelFontRecord(s, out));
  }
}

} // namespace
