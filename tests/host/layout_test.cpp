#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "ui/label_settings.h"
#include "ui/layout.h"
#include "ui/png_image.h"

namespace {

constexpr Control kDigitLabels[3] = {Control::透明标签1, Control::透明标签2, Control::透明标签3};

int32_t LongAt(const std::vector<uint8_t>& record, int offset) {
  uint32_t u = 0;
  for (int i = 0; i < 4; ++i)
    u |= uint32_t{record[offset + i]} << (8 * i);
  return static_cast<int32_t>(u);
}

// The LOGFONTA fields the layout sets; every other byte of the record must be 0.
struct FontFields {
  int32_t height, weight;
  uint8_t underline, charSet;
};

void ExpectFontRecord(const std::vector<uint8_t>& record, FontFields want) {
  ASSERT_EQ(record.size(), 60u);
  EXPECT_EQ(LongAt(record, kLfHeight), want.height);
  EXPECT_EQ(LongAt(record, kLfWeight), want.weight);
  EXPECT_EQ(record[kLfUnderline], want.underline);
  EXPECT_EQ(record[kLfCharSet], want.charSet);
  for (int i = 0; i < 60; ++i) {
    bool setField = (i >= kLfHeight && i < kLfHeight + 4) ||
                    (i >= kLfWeight && i < kLfWeight + 4) || i == kLfUnderline || i == kLfCharSet;
    if (!setField) {
      EXPECT_EQ(record[i], 0) << "byte " << i;
    }
  }
}

double CentreX(const LayoutRect& r) {
  return r.left + r.width / 2.0;
}
double CentreY(const LayoutRect& r) {
  return r.top + r.height / 2.0;
}

} // namespace

TEST(LayoutTable, EveryControlSitsAtItsOwnIndex) {
  ASSERT_EQ(std::size(kControlLayout), 13u);
  ASSERT_EQ(kControlCount, 13);
  for (int i = 0; i < kControlCount; ++i) {
    EXPECT_EQ(ControlIndex(kControlLayout[i].name), i);
    EXPECT_EQ(&LayoutOf(kControlLayout[i].name), &kControlLayout[i]);
  }
}

// The control list as the window is stacked, first entry on top: names, kinds,
// captions and flags are the point here, so they are written out.
TEST(LayoutTable, ControlListInStackingOrder) {
  struct Row {
    const char* name;
    ControlKind kind;
    const char* caption;
    bool visible, tabStop;
  } const rows[kControlCount] = {
      {"透明标签5", ControlKind::TransLabel, "Quillmere原创", true, false},
      {"选择框2", ControlKind::CheckBox, "是否关机", true, true},
      {"透明标签4", ControlKind::TransLabel, "退出", true, false},
      {"选择框1", ControlKind::CheckBox, "置顶", true, true},
      {"透明标签3", ControlKind::TransLabel, "0", true, false},
      {"透明标签2", ControlKind::TransLabel, "0", true, false},
      {"透明标签1", ControlKind::TransLabel, "0", true, false},
      {"按钮2", ControlKind::Button, "结束", true, true},
      {"按钮1", ControlKind::Button, "开始", true, true},
      {"时钟1", ControlKind::Timer, "", false, false},
      {"组合框1", ControlKind::ComboBox, "", true, true},
      {"组合框2", ControlKind::ComboBox, "", true, true},
      {"组合框3", ControlKind::ComboBox, "", true, true},
  };
  for (int i = 0; i < kControlCount; ++i) {
    const ControlLayout& c = kControlLayout[i];
    SCOPED_TRACE(i);
    ASSERT_NE(c.nameText, nullptr);
    ASSERT_NE(c.caption, nullptr);
    EXPECT_STREQ(c.nameText, rows[i].name);
    EXPECT_EQ(c.kind, rows[i].kind);
    EXPECT_STREQ(c.caption, rows[i].caption);
    EXPECT_EQ(c.visible, rows[i].visible);
    EXPECT_EQ(c.tabStop, rows[i].tabStop);
    // Nothing starts disabled and every tab-order value is the same, so the cycle
    // follows the list.
    EXPECT_FALSE(c.disabled);
    EXPECT_EQ(c.tabOrder, 0);
  }
  EXPECT_EQ(LayoutOf(Control::时钟1).timer.periodMs, 0);
}

// The window has nothing covered twice and nothing outside its client area, so every
// press and every repaint of a visible control lands on that control alone.
TEST(LayoutTable, VisibleControlsLieInsideTheWindowWithoutOverlap) {
  for (const ControlLayout& a : kControlLayout) {
    if (!a.visible)
      continue;
    SCOPED_TRACE(a.nameText);
    const LayoutRect& r = a.place;
    EXPECT_GE(r.left, 0);
    EXPECT_GE(r.top, 0);
    EXPECT_LE(r.left + r.width, kMainWindowLayout.width);
    EXPECT_LE(r.top + r.height, kMainWindowLayout.height);
    for (const ControlLayout& b : kControlLayout) {
      if (&a == &b || !b.visible)
        continue;
      const LayoutRect& s = b.place;
      bool apart = r.left + r.width <= s.left || s.left + s.width <= r.left ||
                   r.top + r.height <= s.top || s.top + s.height <= r.top;
      EXPECT_TRUE(apart) << "overlaps " << b.nameText;
    }
  }
}

// The flip-clock tiles of the background: left edges 29, 159, 289, top 80, about
// 69 x 76. Each digit label's centre lies on its tile's centre.
TEST(LayoutTable, DigitLabelsAreCentredOnTheTiles) {
  const LayoutRect tiles[3] = {{29, 80, 69, 76}, {159, 80, 69, 76}, {289, 80, 69, 76}};
  for (int k = 0; k < 3; ++k) {
    const LayoutRect& label = LayoutOf(kDigitLabels[k]).place;
    SCOPED_TRACE(k);
    EXPECT_LE(std::abs(CentreX(label) - CentreX(tiles[k])), 1.0);
    EXPECT_LE(std::abs(CentreY(label) - CentreY(tiles[k])), 1.0);
    // The digits' box fits inside the tile.
    EXPECT_GE(label.left, tiles[k].left);
    EXPECT_LE(label.left + label.width, tiles[k].left + tiles[k].width);
  }
}

// The same, measured on the picture the program carries: on a row of the upper leaf the
// tile is lighter than the charcoal around it, and its split is the darkest row.
TEST(LayoutTable, DigitLabelsAreCentredOnTheTilesOfThePicture) {
  const auto file = std::filesystem::path(__FILE__).parent_path() / "../../resources" /
                    "main_window_background.png";
  std::ifstream in(file, std::ios::binary);
  ASSERT_TRUE(in) << file;
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
  Image picture;
  ASSERT_TRUE(DecodePng(bytes.data(), bytes.size(), picture));
  ASSERT_EQ(picture.width, kMainWindowLayout.width);
  ASSERT_EQ(picture.height, kMainWindowLayout.height);
  const auto grey = [&](int x, int y) {
    return (picture.pixels[y * picture.width + x] >> 8) & 0xFF;
  };
  const auto onTile = [&](int x, int y) { return grey(x, y) >= 30; };

  const int row = 100; // above the split and the floor, clear of the hinge knobs
  for (Control c : kDigitLabels) {
    const LayoutRect& label = LayoutOf(c).place;
    SCOPED_TRACE(LayoutOf(c).nameText);
    const int cx = label.left + label.width / 2;
    ASSERT_TRUE(onTile(cx, row));
    int left = cx, right = cx, top = row;
    while (left > 0 && onTile(left - 1, row))
      --left;
    while (right < picture.width - 1 && onTile(right + 1, row))
      ++right;
    while (top > 0 && onTile(cx, top - 1))
      --top;
    int split = top;
    for (int y = top; y < top + 76; ++y)
      if (grey(cx, y) < grey(cx, split))
        split = y;
    EXPECT_LE(std::abs(CentreX(label) - (left + right + 1) / 2.0), 1.5);
    EXPECT_LE(std::abs(CentreY(label) - (split + 0.5)), 1.5);
  }
}

TEST(LayoutTable, CheckBoxColoursAndPictures) {
  EXPECT_EQ(Rgb(1, 2, 3), 0x00030201u); // COLORREF order: red in the low byte
  const CheckBoxLayout& pin = LayoutOf(Control::选择框1).checkBox;
  EXPECT_EQ(pin.picture, Picture::PinOnTopPicture);
  EXPECT_EQ(pin.textColour, Rgb(0, 96, 192));
  EXPECT_EQ(pin.backColour, Rgb(22, 22, 22));
  const CheckBoxLayout& power = LayoutOf(Control::选择框2).checkBox;
  EXPECT_EQ(power.picture, Picture::PowerOffPicture);
  EXPECT_EQ(power.textColour, Rgb(0, 0, 0));
  EXPECT_EQ(power.backColour, Rgb(0, 0, 0));
}

TEST(LayoutTable, ListSettings) {
  // The system colour can be told apart from every RGB value.
  EXPECT_NE(kSystemFaceColour & 0xFF000000u, 0u);
  const struct {
    Control list;
    LayoutColour back;
  } lists[] = {{Control::组合框1, kSystemFaceColour},
               {Control::组合框2, Rgb(255, 255, 255)},
               {Control::组合框3, Rgb(255, 255, 255)}};
  for (const auto& l : lists) {
    const ComboBoxLayout& box = LayoutOf(l.list).comboBox;
    SCOPED_TRACE(LayoutOf(l.list).nameText);
    EXPECT_EQ(box.backColour, l.back);
    EXPECT_EQ(box.textColour, Rgb(0, 0, 0));
    EXPECT_EQ(box.lineSpacing, 1);
    EXPECT_EQ(box.maxTextLength, 0);
    EXPECT_EQ(box.selection, -1);
    ASSERT_NE(box.content, nullptr);
    EXPECT_STREQ(box.content, "");
  }
}

// What each label starts with, as the label reads it from its layout entry.
TEST(LayoutTable, StoredLabelSettingsGiveEachLabelItsLook) {
  const struct {
    Control label;
    uint32_t textColour;
    int32_t align;
    uint32_t drawFormat;
  } labels[] = {
      {Control::透明标签1, Rgb(96, 96, 96), 1, 0x125},
      {Control::透明标签2, Rgb(96, 96, 96), 1, 0x125},
      {Control::透明标签3, Rgb(96, 96, 96), 1, 0x125},
      {Control::透明标签4, Rgb(192, 192, 192), 0, 0x124},
      {Control::透明标签5, Rgb(0, 0, 255), 0, 0x124},
  };
  for (const auto& l : labels) {
    const ControlLayout& entry = LayoutOf(l.label);
    SCOPED_TRACE(entry.nameText);
    LabelSettings s = StoredLabelSettings(entry);
    EXPECT_EQ(s.Caption, entry.caption);
    EXPECT_EQ(s.TextColor, l.textColour);
    EXPECT_EQ(s.HorizontalAlign, l.align);
    EXPECT_EQ(s.Effect, 0);
    EXPECT_EQ(s.WordWrap, 0);
    EXPECT_EQ(s.VerticalAlign, 1);
    EXPECT_EQ(LabelDrawFormat(s), l.drawFormat);
  }
}

TEST(LayoutTable, LabelFontsAreTheStoredLogFontRecords) {
  for (Control c : kDigitLabels) {
    SCOPED_TRACE(LayoutOf(c).nameText);
    ExpectFontRecord(StoredLabelSettings(LayoutOf(c)).Font, {-48, 400, 0, 134});
  }
  ExpectFontRecord(StoredLabelSettings(LayoutOf(Control::透明标签5)).Font, {-13, 400, 1, 134});
  // The exit label has none and draws in the default GUI font.
  LabelSettings exit = StoredLabelSettings(LayoutOf(Control::透明标签4));
  EXPECT_TRUE(exit.Font.empty());
  LogFontRecord unused{};
  EXPECT_FALSE(LabelFontRecord(exit, unused));
  // LONGs little-endian as Windows lays them out: -48 is D0 FF FF FF.
  EXPECT_EQ(kDigitsFontRecord[0], 0xD0);
  EXPECT_EQ(kDigitsFontRecord[3], 0xFF);
}

TEST(LayoutTable, HandPointerOnlyOnTheLink) {
  EXPECT_EQ(kHandPointer, 32649);
  EXPECT_EQ(kHandCursorResource, IDC_HAND_POINTER);
  for (const ControlLayout& c : kControlLayout) {
    SCOPED_TRACE(c.nameText);
    EXPECT_EQ(c.pointer, c.name == Control::透明标签5 ? kHandPointer : 0);
  }
}

TEST(LayoutTable, WindowSettings) {
  const WindowLayout& w = kMainWindowLayout;
  ASSERT_NE(w.title, nullptr);
  EXPECT_STREQ(w.title, "");
  EXPECT_EQ(w.width, 450);
  EXPECT_EQ(w.height, 228);
  EXPECT_TRUE(w.centred);
  EXPECT_TRUE(w.minimiseBox);
  EXPECT_TRUE(w.moveByDragging);
  EXPECT_TRUE(w.escapeCloses);
  EXPECT_FALSE(w.alwaysOnTop);
  EXPECT_EQ(w.backColour, kSystemFaceColour);
  EXPECT_EQ(w.picture, Picture::MainWindowBackground);
}

// The pictures are found by resource id, so the layout's ids must be the resource
// script's.
TEST(LayoutTable, PictureIdsAreTheResourceIds) {
  EXPECT_EQ(static_cast<int>(Picture::MainWindowBackground), IDR_MAIN_WINDOW_BACKGROUND);
  EXPECT_EQ(static_cast<int>(Picture::PinOnTopPicture), IDR_PIN_ON_TOP_PICTURE);
  EXPECT_EQ(static_cast<int>(Picture::PowerOffPicture), IDR_POWER_OFF_PICTURE);
}

TEST(LayoutReadable, TheProgramsTableIsReadable) {
  EXPECT_TRUE(LayoutIsReadable(kMainWindowLayout, kControlLayout, kControlCount));
}

TEST(LayoutReadable, BrokenCopiesAreRefused) {
  using Controls = std::array<ControlLayout, kControlCount>;
  const auto label = [](Controls& t) -> LabelLayout& {
    return t[ControlIndex(Control::透明标签3)].label;
  };
  const struct {
    const char* what;
    std::function<void(WindowLayout&, Controls&, int&)> breakIt;
  } cases[] = {
      {"a wrong name at an index",
       [](WindowLayout&, Controls& t, int&) { t[4].name = Control::组合框1; }},
      {"a zero width", [](WindowLayout&, Controls& t, int&) { t[7].place.width = 0; }},
      {"a negative height", [](WindowLayout&, Controls& t, int&) { t[0].place.height = -16; }},
      {"a null caption", [](WindowLayout&, Controls& t, int&) { t[2].caption = nullptr; }},
      {"a null name text", [](WindowLayout&, Controls& t, int&) { t[12].nameText = nullptr; }},
      {"a label with effect 9", [&](WindowLayout&, Controls& t, int&) { label(t).effect = 9; }},
      {"a label with effect -1", [&](WindowLayout&, Controls& t, int&) { label(t).effect = -1; }},
      {"a label aligned 3",
       [&](WindowLayout&, Controls& t, int&) { label(t).horizontalAlign = 3; }},
      {"a label aligned -1 vertically",
       [&](WindowLayout&, Controls& t, int&) { label(t).verticalAlign = -1; }},
      {"a count of 12", [](WindowLayout&, Controls&, int& n) { n = 12; }},
      {"a count of 14", [](WindowLayout&, Controls&, int& n) { n = 14; }},
      {"a window of width 0", [](WindowLayout& w, Controls&, int&) { w.width = 0; }},
      {"a window with a null title", [](WindowLayout& w, Controls&, int&) { w.title = nullptr; }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WindowLayout window = kMainWindowLayout;
    // One spare entry, so that a count of 14 reads memory of the copy.
    std::array<ControlLayout, kControlCount + 1> storage{};
    Controls controls;
    std::copy(std::begin(kControlLayout), std::end(kControlLayout), controls.begin());
    int count = kControlCount;
    c.breakIt(window, controls, count);
    std::copy(controls.begin(), controls.end(), storage.begin());
    EXPECT_FALSE(LayoutIsReadable(window, storage.data(), count));
  }
  EXPECT_FALSE(LayoutIsReadable(kMainWindowLayout, nullptr, kControlCount));
}
