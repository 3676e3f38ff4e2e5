#include "ui/layout.h"

const WindowLayout kMainWindowLayout = {
    .title = "",
    .width = 450,
    .height = 228,
    .storedLeft = 50,
    .storedTop = 50,
    .centred = true,
    .minimiseBox = true,
    .moveByDragging = true,
    .escapeCloses = true,
    .alwaysOnTop = false,
    .backColour = kSystemFaceColour,
    .picture = Picture::MainWindowBackground,
};

namespace {

constexpr LabelLayout kDigitsLabel = {&kDigitsFontRecord, Rgb(96, 96, 96), 1, 0, 0, 1};
constexpr ComboBoxLayout kWhiteList = {Rgb(0, 0, 0), Rgb(255, 255, 255), 1, 0, -1, ""};

} // namespace

const ControlLayout kControlLayout[kControlCount] = {
    {.name = Control::透明标签5,
     .nameText = "透明标签5",
     .kind = ControlKind::TransLabel,
     .place = {156, 210, 88, 16},
     .caption = "Quillmere原创",
     .visible = true,
     .pointer = kHandPointer,
     .label = {&kLinkFontRecord, Rgb(0, 0, 255), 0, 0, 0, 1}},
    {.name = Control::选择框2,
     .nameText = "选择框2",
     .kind = ControlKind::CheckBox,
     .place = {144, 8, 80, 24},
     .caption = "是否关机",
     .visible = true,
     .tabStop = true,
     .checkBox = {Picture::PowerOffPicture, Rgb(0, 0, 0), Rgb(0, 0, 0)}},
    {.name = Control::透明标签4,
     .nameText = "透明标签4",
     .kind = ControlKind::TransLabel,
     .place = {416, 200, 32, 20},
     .caption = "退出",
     .visible = true,
     .label = {nullptr, Rgb(192, 192, 192), 0, 0, 0, 1}},
    {.name = Control::选择框1,
     .nameText = "选择框1",
     .kind = ControlKind::CheckBox,
     .place = {16, 8, 56, 24},
     .caption = "置顶",
     .visible = true,
     .tabStop = true,
     .checkBox = {Picture::PinOnTopPicture, Rgb(0, 96, 192), Rgb(22, 22, 22)}},
    {.name = Control::透明标签3,
     .nameText = "透明标签3",
     .kind = ControlKind::TransLabel,
     .place = {300, 92, 48, 52},
     .caption = "0",
     .visible = true,
     .label = kDigitsLabel},
    {.name = Control::透明标签2,
     .nameText = "透明标签2",
     .kind = ControlKind::TransLabel,
     .place = {169, 92, 48, 52},
     .caption = "0",
     .visible = true,
     .label = kDigitsLabel},
    {.name = Control::透明标签1,
     .nameText = "透明标签1",
     .kind = ControlKind::TransLabel,
     .place = {39, 92, 48, 52},
     .caption = "0",
     .visible = true,
     .label = kDigitsLabel},
    {.name = Control::按钮2,
     .nameText = "按钮2",
     .kind = ControlKind::Button,
     .place = {344, 8, 80, 32},
     .caption = "结束",
     .visible = true,
     .tabStop = true},
    {.name = Control::按钮1,
     .nameText = "按钮1",
     .kind = ControlKind::Button,
     .place = {256, 8, 80, 32},
     .caption = "开始",
     .visible = true,
     .tabStop = true},
    {.name = Control::时钟1,
     .nameText = "时钟1",
     .kind = ControlKind::Timer,
     .place = {8, 184, 26, 26},
     .caption = "",
     .visible = false,
     .timer = {0}},
    {.name = Control::组合框1,
     .nameText = "组合框1",
     .kind = ControlKind::ComboBox,
     .place = {40, 56, 48, 20},
     .caption = "",
     .visible = true,
     .tabStop = true,
     .comboBox = {Rgb(0, 0, 0), kSystemFaceColour, 1, 0, -1, ""}},
    {.name = Control::组合框2,
     .nameText = "组合框2",
     .kind = ControlKind::ComboBox,
     .place = {168, 56, 48, 20},
     .caption = "",
     .visible = true,
     .tabStop = true,
     .comboBox = kWhiteList},
    {.name = Control::组合框3,
     .nameText = "组合框3",
     .kind = ControlKind::ComboBox,
     .place = {302, 56, 48, 20},
     .caption = "",
     .visible = true,
     .tabStop = true,
     .comboBox = kWhiteList},
};

const ControlLayout& LayoutOf(Control c) {
  return kControlLayout[ControlIndex(c)];
}

LabelSettings StoredLabelSettings(const ControlLayout& entry) {
  LabelSettings s;
  const LabelLayout& l = entry.label;
  s.Caption = entry.caption ? entry.caption : "";
  if (l.font)
    s.Font.assign(l.font->begin(), l.font->end());
  s.TextColor = l.textColour;
  s.HorizontalAlign = l.horizontalAlign;
  s.Effect = l.effect;
  s.WordWrap = l.wordWrap;
  s.VerticalAlign = l.verticalAlign;
  return s;
}

bool LayoutIsReadable(const WindowLayout& window, const ControlLayout* controls, int count) {
  if (window.width <= 0 || window.height <= 0 || !window.title)
    return false;
  if (!controls || count != kControlCount)
    return false;
  for (int i = 0; i < count; ++i) {
    const ControlLayout& c = controls[i];
    if (ControlIndex(c.name) != i || !c.nameText || !c.caption)
      return false;
    if (c.place.width <= 0 || c.place.height <= 0)
      return false;
    if (c.kind == ControlKind::TransLabel) {
      const LabelLayout& l = c.label;
      if (l.effect < 0 || l.effect > 3 || l.horizontalAlign < 0 || l.horizontalAlign > 2 ||
          l.verticalAlign < 0 || l.verticalAlign > 2)
        return false;
    }
  }
  return true;
}
