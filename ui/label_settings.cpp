#include "ui/label_settings.h"

#include <algorithm>
#include <cstring>

namespace {

int32_t Clamp(int32_t value, int32_t top) {
  return std::clamp<int32_t>(value, 0, top);
}

} // namespace

bool WriteLabelSetting(LabelSettings& settings, int settingNumber, const LabelSettingValue& value) {
  switch (settingNumber) {
  case kLabelCaption: settings.Caption = value.text; return true;
  case kLabelEffect: settings.Effect = Clamp(value.number, 3); return true;
  case kLabelFont: settings.Font = value.bytes; return true;
  case kLabelTextColor: settings.TextColor = static_cast<uint32_t>(value.number); return true;
  case kLabelHorizontalAlign: settings.HorizontalAlign = Clamp(value.number, 2); return true;
  case kLabelWordWrap: settings.WordWrap = value.number; return true;
  case kLabelVerticalAlign: settings.VerticalAlign = Clamp(value.number, 2); return true;
  default: return false;
  }
}

bool ReadLabelSetting(const LabelSettings& settings, int settingNumber, LabelSettingValue& out) {
  if (settingNumber < 0 || settingNumber >= kLabelSettingCount) {
    return false;
  }
  out = LabelSettingValue{};
  switch (settingNumber) {
  case kLabelCaption: out.text = settings.Caption; return true;
  case kLabelEffect: out.number = settings.Effect; return true;
  case kLabelFont: out.bytes = settings.Font; return true;
  case kLabelTextColor: out.number = static_cast<int32_t>(settings.TextColor); return true;
  case kLabelHorizontalAlign: out.number = settings.HorizontalAlign; return true;
  case kLabelWordWrap: out.number = settings.WordWrap; return true;
  case kLabelVerticalAlign: out.number = settings.VerticalAlign; return true;
  default: return false;
  }
}

uint32_t LabelDrawFormat(const LabelSettings& settings) {
  uint32_t format = kDtNoClip;
  switch (settings.HorizontalAlign) {
  case 1: format |= kDtCenter; break;
  case 2: format |= kDtRight; break;
  default: format |= kDtLeft; break;
  }
  if (settings.WordWrap == 1) {
    // DrawTextA centres only single lines, so wrapped text starts at the top anyway.
    return format | kDtWordBreak | kDtVCenter;
  }
  format |= kDtSingleLine;
  switch (settings.VerticalAlign) {
  case 1: format |= kDtVCenter; break;
  case 2: format |= kDtBottom; break;
  default: format |= kDtTop; break;
  }
  return format;
}

int LabelPasses(const LabelSettings& settings, LabelPass out[kMaxLabelPasses]) {
  const uint32_t main = settings.TextColor;
  switch (settings.Effect) {
  case 1: // sunken: a white edge below and right of the text
    out[0] = {kColorWhite, 1, 1};
    out[1] = {main, 0, 0};
    return 2;
  case 2: // raised: the text itself moves down and right off its white edge
    out[0] = {kColorWhite, 0, 0};
    out[1] = {main, 1, 1};
    return 2;
  case 3: // shadow
    out[0] = {kColorBlack, 2, 2};
    out[1] = {main, 0, 0};
    return 2;
  default: out[0] = {main, 0, 0}; return 1;
  }
}

bool LabelFontRecord(const LabelSettings& settings, LogFontRecord& out) {
  if (settings.Font.size() != static_cast<size_t>(kLogFontSize)) {
    return false;
  }
  std::memcpy(out.data(), settings.Font.data(), kLogFontSize);
  // Whatever the record asks, the label takes the system's default character set and
  // proof quality, and leaves precision and pitch to the font mapper.
  out[kLfCharSet] = kDefaultCharset;
  out[kLfOutPrecision] = kOutDefaultPrecis;
  out[kLfClipPrecision] = kClipDefaultPrecis;
  out[kLfQuality] = kProofQuality;
  out[kLfPitchAndFamily] = 0;
  return true;
}
