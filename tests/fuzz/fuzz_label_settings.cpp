// Arbitrary sequences of setting writes and reads on one label, checking after each
// step that the stored values stay in range, read back as written, and that every
// drawing decision stays well-formed.
#include <climits>
#include <cstdint>
#include <cstdlib>

#include "ui/label_settings.h"

namespace {

void Check(bool ok) {
  if (!ok) {
    abort();
  }
}

struct Input {
  const uint8_t* data;
  size_t size;

  uint8_t Byte() {
    if (size == 0) {
      return 0;
    }
    --size;
    return *data++;
  }
  int32_t Int32() {
    uint32_t u = 0;
    for (int i = 0; i < 4; ++i) {
      u |= uint32_t{Byte()} << (8 * i);
    }
    return static_cast<int32_t>(u);
  }
};

// Mostly the numbers around 0..6, now and then the ends of the int range.
int SettingNumber(uint8_t b) {
  if (b == 0xFF) {
    return INT_MIN;
  }
  if (b == 0xFE) {
    return INT_MAX;
  }
  return static_cast<int>(b % 11) - 2;
}

int32_t Clamped(int32_t v, int32_t top) {
  return v < 0 ? 0 : (v > top ? top : v);
}

void CheckDecisions(const LabelSettings& s) {
  Check(s.Effect >= 0 && s.Effect <= 3);
  Check(s.HorizontalAlign >= 0 && s.HorizontalAlign <= 2);
  Check(s.VerticalAlign >= 0 && s.VerticalAlign <= 2);

  const uint32_t format = LabelDrawFormat(s);
  const uint32_t known =
      kDtCenter | kDtRight | kDtVCenter | kDtBottom | kDtWordBreak | kDtSingleLine | kDtNoClip;
  Check((format & ~known) == 0);
  Check((format & kDtNoClip) != 0);
  Check(((format & kDtWordBreak) != 0) == (s.WordWrap == 1));
  Check(((format & kDtSingleLine) != 0) == (s.WordWrap != 1));
  Check((format & (kDtCenter | kDtRight)) != (kDtCenter | kDtRight));

  LabelPass passes[kMaxLabelPasses];
  const int count = LabelPasses(s, passes);
  Check(count == (s.Effect == 0 ? 1 : 2));
  Check(passes[count - 1].color == s.TextColor);

  LogFontRecord record{};
  const bool usable = LabelFontRecord(s, record);
  Check(usable == (s.Font.size() == static_cast<size_t>(kLogFontSize)));
  if (usable) {
    Check(record[kLfCharSet] == kDefaultCharset && record[kLfQuality] == kProofQuality);
    Check(record[kLfOutPrecision] == 0 && record[kLfClipPrecision] == 0 &&
          record[kLfPitchAndFamily] == 0);
    for (int i = 0; i < kLfCharSet; ++i) {
      Check(record[i] == s.Font[i]);
    }
    for (int i = kLfFaceName; i < kLogFontSize; ++i) {
      Check(record[i] == s.Font[i]);
    }
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input in{data, size};
  LabelSettings s;
  CheckDecisions(s);
  while (in.size > 0) {
    const int number = SettingNumber(in.Byte());
    LabelSettingValue value;
    value.number = in.Int32();
    const size_t length = in.Byte();
    const size_t taken = length < in.size ? length : in.size;
    value.text.assign(reinterpret_cast<const char*>(in.data), taken);
    value.bytes.assign(in.data, in.data + taken);
    in.data += taken;
    in.size -= taken;

    const LabelSettings before = s;
    const bool valid = number >= 0 && number < kLabelSettingCount;
    Check(WriteLabelSetting(s, number, value) == valid);
    LabelSettingValue out;
    out.number = 12345;
    Check(ReadLabelSetting(s, number, out) == valid);
    if (!valid) {
      Check(s == before);
      Check(out.number == 12345 && out.text.empty() && out.bytes.empty());
    } else {
      LabelSettingValue expected;
      switch (number) {
      case kLabelCaption: expected.text = value.text; break;
      case kLabelFont: expected.bytes = value.bytes; break;
      case kLabelEffect: expected.number = Clamped(value.number, 3); break;
      case kLabelHorizontalAlign:
      case kLabelVerticalAlign: expected.number = Clamped(value.number, 2); break;
      default: expected.number = value.number; break;
      }
      Check(out == expected);
    }
    CheckDecisions(s);
  }
  return 0;
}
