// The transparent labels of the real main window, judged by what the screen shows:
// shots of a label's spot against the bare background, glyph boxes from the font's own
// metrics, the pointer over the labels, hit-testing, the settings calls and the GDI
// objects the process holds after many caption writes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>
#include <windows.h>
#include <windowsx.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <iterator>
#include <string>

#include "app/event_binding.h"
#include "app/frame_win.h"
#include "tests/win/support/gdi_objects_win.h"
#include "tests/win/support/screen_probe_win.h"
#include "ui/control_ops.h"
#include "ui/controls_win.h"
#include "ui/layout.h"
#include "ui/picture_win.h"
#include "ui/trans_label_win.h"

namespace {

constexpr COLORREF kDigitColour = RGB(96, 96, 96);
constexpr COLORREF kLinkColour = RGB(0, 0, 255);
constexpr Control kAllLabels[] = {Control::透明标签1, Control::透明标签2, Control::透明标签3,
                                  Control::透明标签4, Control::透明标签5};

RECT ScreenRectOf(Control c) {
  RECT r;
  GetWindowRect(ControlWindow(c), &r);
  return r;
}

RECT Inflated(RECT r, int by) {
  InflateRect(&r, by, by);
  return r;
}

bool Inside(const RECT& r, int x, int y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// The pixels where two shots of the same area differ: how many, and their bounding box.
struct Ink {
  int count = 0;
  RECT box = {INT_MAX, INT_MAX, INT_MIN, INT_MIN};
  int Width() const { return count ? box.right - box.left : 0; }
  int Height() const { return count ? box.bottom - box.top : 0; }
};

Ink InkBetween(const ScreenShot& base, const ScreenShot& shot, const RECT& area) {
  Ink ink;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (shot.At(x, y) != base.At(x, y)) {
        ++ink.count;
        ink.box.left = std::min<LONG>(ink.box.left, x);
        ink.box.top = std::min<LONG>(ink.box.top, y);
        ink.box.right = std::max<LONG>(ink.box.right, x + 1);
        ink.box.bottom = std::max<LONG>(ink.box.bottom, y + 1);
      }
  return ink;
}

// A pixel on the way from the background to the text colour, as anti-aliasing blends.
bool IsBlend(COLORREF pixel, COLORREF background, COLORREF text) {
  auto between = [](int v, int a, int b) {
    return v >= std::min(a, b) - 2 && v <= std::max(a, b) + 2;
  };
  return between(GetRValue(pixel), GetRValue(background), GetRValue(text)) &&
         between(GetGValue(pixel), GetGValue(background), GetGValue(text)) &&
         between(GetBValue(pixel), GetBValue(background), GetBValue(text));
}

// The font the label builds for its paints, made here from the same stored record.
HFONT CreateLabelFont(Control c) {
  LogFontRecord record;
  if (!LabelFontRecord(StoredLabelSettings(LayoutOf(c)), record))
    return nullptr;
  LOGFONTA logFont;
  std::memcpy(&logFont, record.data(), sizeof logFont);
  return CreateFontIndirectA(&logFont);
}

// Where the ink of one character lands, in screen coordinates, when its text cell
// (advance width by ascent plus descent) is centred both ways in the label's box. Taken
// from the font's metrics, not from DrawText.
RECT CentredGlyphInk(Control c, char ch) {
  HDC dc = GetDC(nullptr);
  HFONT font = CreateLabelFont(c);
  HGDIOBJ previous = SelectObject(dc, font);
  TEXTMETRICA metrics;
  GetTextMetricsA(dc, &metrics);
  SIZE cell;
  GetTextExtentPoint32A(dc, &ch, 1, &cell);
  GLYPHMETRICS glyph;
  const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  GetGlyphOutlineA(dc, static_cast<unsigned char>(ch), GGO_METRICS, &glyph, 0, nullptr, &identity);
  SelectObject(dc, previous);
  DeleteObject(font);
  ReleaseDC(nullptr, dc);

  RECT label = ScreenRectOf(c);
  int cellLeft = label.left + (label.right - label.left - cell.cx) / 2;
  int cellTop = label.top + (label.bottom - label.top - metrics.tmHeight) / 2;
  RECT ink;
  ink.left = cellLeft + glyph.gmptGlyphOrigin.x;
  ink.right = ink.left + static_cast<int>(glyph.gmBlackBoxX);
  ink.top = cellTop + metrics.tmAscent - glyph.gmptGlyphOrigin.y;
  ink.bottom = ink.top + static_cast<int>(glyph.gmBlackBoxY);
  return ink;
}

void ExpectBoxNear(const RECT& seen, const RECT& expected, int slack) {
  EXPECT_NEAR(seen.left, expected.left, slack);
  EXPECT_NEAR(seen.top, expected.top, slack);
  EXPECT_NEAR(seen.right, expected.right, slack);
  EXPECT_NEAR(seen.bottom, expected.bottom, slack);
}

// The real main window with its five labels, shown. Events are held back so that no
// handler runs while the test pumps messages and moves the real pointer; the exit
// label's press handler would end the test process.
class TransLabelWindow : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_EQ(LoadMainWindow(), nullptr);
    HoldEvents();
    main = ControlWindow(Control::MainWindow);
    ASSERT_TRUE(IsWindowVisible(main));
    PumpMessages(200);
  }
  void TearDown() override {
    if (IsWindow(main))
      DestroyWindow(main);
    PumpMessages(50);
    ReleaseEvents();
  }

  // The spot of a label and `margin` pixels around it, after the caption is written.
  ScreenShot ShotWith(Control c, const std::string& caption, int margin = 0) {
    SetCaption(c, caption);
    return TakeScreenShot(Inflated(ScreenRectOf(c), margin));
  }

  HWND main = nullptr;
};

TEST_F(TransLabelWindow, CaptionChangeFromTenToNineLeavesNoTraceAndCentresTheNine) {
  const Control c = Control::透明标签3;
  const RECT label = ScreenRectOf(c);
  ASSERT_EQ(label.right - label.left, 48);
  ASSERT_EQ(label.bottom - label.top, 52);
  const int margin = 6;
  const RECT area = Inflated(label, margin);
  ScreenShot bare = ShotWith(c, "", margin);
  ScreenShot ten = ShotWith(c, "10", margin);
  ScreenShot nine = ShotWith(c, "9", margin);

  Ink tenInk = InkBetween(bare, ten, area);
  Ink nineInk = InkBetween(bare, nine, area);
  ASSERT_GT(tenInk.count, 0);
  ASSERT_GT(nineInk.count, 0);

  // Every pixel that differs from the bare background belongs to the "9".
  const RECT expected = CentredGlyphInk(c, '9');
  const RECT nineBox = Inflated(expected, 1);
  int stray = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      stray += nine.At(x, y) != bare.At(x, y) && !Inside(nineBox, x, y);
  EXPECT_EQ(stray, 0) << "pixels beside the 9 that are not background";
  // The "1" lay outside the "9"'s box: all of it is background again.
  int tenOnly = 0, tenLeft = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (ten.At(x, y) != bare.At(x, y) && !Inside(nineBox, x, y)) {
        ++tenOnly;
        tenLeft += nine.At(x, y) != bare.At(x, y);
      }
  EXPECT_GT(tenOnly, 20);
  EXPECT_EQ(tenLeft, 0) << "pixels of the 10 still shown";

  // Centred both ways: the ink sits where the centred text cell puts it, and its middle
  // lies within two pixels of the box's middle.
  ExpectBoxNear(nineInk.box, expected, 1);
  EXPECT_NEAR(nineInk.box.left + nineInk.box.right, label.left + label.right, 4);
  EXPECT_NEAR(nineInk.box.top + nineInk.box.bottom, label.top + label.bottom, 4);

  // The core of the glyph has the text colour; its edges only blend towards it.
  int core = 0, foreign = 0;
  for (int y = nineInk.box.top; y < nineInk.box.bottom; ++y)
    for (int x = nineInk.box.left; x < nineInk.box.right; ++x) {
      COLORREF p = nine.At(x, y);
      if (p == bare.At(x, y))
        continue;
      core += SameColour(p, kDigitColour, 2);
      foreign += !IsBlend(p, bare.At(x, y), kDigitColour);
    }
  EXPECT_GT(core, nineInk.count / 4) << "core pixels of RGB(96,96,96): " << core;
  EXPECT_EQ(foreign, 0) << "glyph pixels of another colour";
}

TEST_F(TransLabelWindow, SameCaptionAgainRepaintsASpoiledSpot) {
  const Control c = Control::透明标签2;
  const HWND hwnd = ControlWindow(c);
  const RECT label = ScreenRectOf(c);
  ScreenShot good = ShotWith(c, "7");

  // Paint over the label's spot without invalidating anything.
  HDC dc = GetDC(hwnd);
  RECT client;
  GetClientRect(hwnd, &client);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(dc, &client, red);
  DeleteObject(red);
  ReleaseDC(hwnd, dc);
  ScreenShot spoiled = TakeScreenShot(label);
  const int area = (label.right - label.left) * (label.bottom - label.top);
  ASSERT_EQ(spoiled.Count(label, [](COLORREF p) { return p == RGB(255, 0, 0); }), area)
      << "the spot should stay spoiled until the label is written";

  SetCaption(c, "7");
  ScreenShot again = TakeScreenShot(label);
  EXPECT_EQ(again.Count(label, [](COLORREF p) { return p == RGB(255, 0, 0); }), 0);
  EXPECT_EQ(again.pixels, good.pixels);
}

TEST_F(TransLabelWindow, CaptionWriteRedrawsATransparentWindowLyingOverTheLabel) {
  // A label of the same class with red eights over the right half of the seconds, on top
  // of every control: the background repaint under the seconds reaches under it too, so the write
  // must redraw it as well, or its eights would vanish.
  const Control c = Control::透明标签3;
  RECT place;
  GetWindowRect(ControlWindow(c), &place);
  MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&place), 2);
  place.left += (place.right - place.left) / 2;
  LabelSettings bars = StoredLabelSettings(LayoutOf(c));
  bars.Caption = "88";
  bars.TextColor = RGB(255, 0, 0);
  HWND over = CreateTransLabel(main, 0, place, false, false, &bars);
  ASSERT_NE(over, nullptr);
  SetWindowPos(over, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  PumpMessages(100);
  RECT spot;
  GetWindowRect(over, &spot);
  auto red = [](COLORREF p) {
    return GetRValue(p) > 200 && GetGValue(p) < 60 && GetBValue(p) < 60;
  };
  const int before = TakeScreenShot(spot).Count(spot, red);
  ASSERT_GT(before, 100) << "the eights were not drawn to begin with";

  for (const char* caption : {"8", "59", ""}) {
    SCOPED_TRACE(caption);
    SetCaption(c, caption);
    // What the write painted, without the seconds' queued second paint, which draws the
    // digits once more over the eights.
    ValidateRect(ControlWindow(c), nullptr);
    // Gone they would leave none; the edges of glyphs drawn once more blend a little redder.
    EXPECT_GT(TakeScreenShot(spot).Count(spot, red), before * 3 / 4);
  }
}

TEST_F(TransLabelWindow, EmptyCaptionShowsOnlyTheBackgroundPicture) {
  Image picture;
  ASSERT_TRUE(LoadPicture(kMainWindowLayout.picture, picture));
  POINT origin = {0, 0};
  ClientToScreen(main, &origin);
  for (Control c : kAllLabels) {
    SCOPED_TRACE(LayoutOf(c).nameText);
    const RECT label = ScreenRectOf(c);
    ScreenShot shot = ShotWith(c, "");
    int differing = 0;
    for (int y = label.top; y < label.bottom; ++y)
      for (int x = label.left; x < label.right; ++x) {
        uint32_t p =
            picture.pixels[static_cast<size_t>(y - origin.y) * picture.width + (x - origin.x)];
        COLORREF expected = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
        differing += shot.At(x, y) != expected;
      }
    EXPECT_EQ(differing, 0);
  }
}

TEST_F(TransLabelWindow, WideCaptionIsCutAtBothEdgesOfTheLabel) {
  const Control c = Control::透明标签1;
  const RECT label = ScreenRectOf(c);
  const int margin = 12;
  const RECT area = Inflated(label, margin);
  ScreenShot bare = ShotWith(c, "", margin);
  ScreenShot wide = ShotWith(c, "88888", margin);

  Ink ink = InkBetween(bare, wide, area);
  ASSERT_GT(ink.count, 0);
  // Glyphs run up to the edges, and nothing is drawn beside the label.
  EXPECT_EQ(ink.box.left, label.left);
  EXPECT_EQ(ink.box.right, label.right);
  int outside = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      outside += !Inside(label, x, y) && wide.At(x, y) != bare.At(x, y);
  EXPECT_EQ(outside, 0);
}

TEST_F(TransLabelWindow, AmpersandUnderlinesTheNextCharacterAndIsNotDrawn) {
  const Control c = Control::透明标签2;
  const RECT label = ScreenRectOf(c);
  ScreenShot bare = ShotWith(c, "");
  ScreenShot five = ShotWith(c, "5");
  ScreenShot marked = ShotWith(c, "&5");
  ScreenShot doubled = ShotWith(c, "&&");

  // "&5" draws the "5" where "5" alone stands; the "&" takes no room.
  Ink fiveInk = InkBetween(bare, five, label);
  ASSERT_GT(fiveInk.count, 0);
  ExpectBoxNear(fiveInk.box, CentredGlyphInk(c, '5'), 1);

  // What "&5" adds to "5" is an underline: a few full rows below the glyph.
  Ink extra = InkBetween(five, marked, label);
  ASSERT_GT(extra.count, 0) << "no underline";
  EXPECT_GE(extra.box.top, fiveInk.box.bottom - 2);
  EXPECT_LE(extra.Height(), 4);
  EXPECT_GE(extra.Width(), fiveInk.Width() * 3 / 4);
  EXPECT_GE(extra.box.left, fiveInk.box.left - 4);
  EXPECT_LE(extra.box.right, fiveInk.box.right + 4);
  int changedAbove = 0;
  for (int y = label.top; y < extra.box.top; ++y)
    for (int x = label.left; x < label.right; ++x)
      changedAbove += marked.At(x, y) != five.At(x, y);
  EXPECT_EQ(changedAbove, 0);

  // "&&" draws a single "&", centred as one character, with no underline.
  Ink ampersand = InkBetween(bare, doubled, label);
  ASSERT_GT(ampersand.count, 0);
  ExpectBoxNear(ampersand.box, CentredGlyphInk(c, '&'), 1);
}

// The first row of the font's underline and its thickness, in a label of `height`
// pixels that centres the text cell vertically.
struct UnderlineRows {
  int top, size;
};

UnderlineRows UnderlineOf(Control c, int height) {
  HDC dc = GetDC(nullptr);
  HFONT font = CreateLabelFont(c);
  HGDIOBJ previous = SelectObject(dc, font);
  TEXTMETRICA metrics;
  GetTextMetricsA(dc, &metrics);
  OUTLINETEXTMETRICA outline[4] = {};
  outline[0].otmSize = sizeof outline;
  const bool known = GetOutlineTextMetricsA(dc, sizeof outline, outline) != 0;
  SelectObject(dc, previous);
  DeleteObject(font);
  ReleaseDC(nullptr, dc);
  if (!known)
    return {height, 0};
  return {(height - metrics.tmHeight) / 2 + metrics.tmAscent - outline[0].otmsUnderscorePosition,
          std::max(1, static_cast<int>(outline[0].otmsUnderscoreSize))};
}

TEST_F(TransLabelWindow, LinkLabelDrawsUnderlinedBlueText) {
  const Control c = Control::透明标签5;
  const RECT label = ScreenRectOf(c);
  const int height = label.bottom - label.top;
  ScreenShot link = ShotWith(c, LayoutOf(c).caption);
  auto blue = [](COLORREF p) { return SameColour(p, kLinkColour, 40); };
  EXPECT_GT(link.Count(label, blue), 30);

  // The underline lies inside the 16-pixel label, as with the system's CJK face on
  // Windows. (Under Wine this needs the prefix's font settings: with WenQuanYi Zen Hei
  // the 17-pixel cell puts the line just below the label, where it is clipped.)
  UnderlineRows underline = UnderlineOf(c, height);
  ASSERT_GT(underline.size, 0) << "no outline metrics for the link font";
  ASSERT_LE(underline.top + underline.size, height) << "the underline falls outside the label";
  ScreenShot bare = ShotWith(c, "");
  link = ShotWith(c, LayoutOf(c).caption);
  Ink ink = InkBetween(bare, link, label);
  ASSERT_GT(ink.count, 0);

  // The underline rows are blue across the text; no other row has such a run.
  auto longestBlueRun = [&](int y) {
    int longest = 0, run = 0;
    for (int x = label.left; x < label.right; ++x) {
      run = blue(link.At(x, y)) ? run + 1 : 0;
      longest = std::max(longest, run);
    }
    return longest;
  };
  // The rows drawn as the underline: within a row of where the font's metrics put it
  // (the rasteriser rounds the position), and inside the label.
  std::vector<int> lineRows;
  for (int row = 0; row < height; ++row) {
    if (longestBlueRun(label.top + row) >= ink.Width() * 3 / 4)
      lineRows.push_back(row);
    else
      EXPECT_LT(longestBlueRun(label.top + row), ink.Width() / 2) << "row " << row;
  }
  ASSERT_FALSE(lineRows.empty()) << "no underline inside the label";
  EXPECT_LE(static_cast<int>(lineRows.size()), underline.size + 1);
  EXPECT_LE(std::abs(lineRows.front() - underline.top), 1)
      << "underline at row " << lineRows.front();
  EXPECT_EQ(lineRows.back() - lineRows.front() + 1, static_cast<int>(lineRows.size()));
}

POINT CentreOf(Control c) {
  RECT r = ScreenRectOf(c);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// The real pointer moves there; the move reaches the window under it as input.
void MovePointerTo(POINT p) {
  SetCursorPos(p.x, p.y);
  PumpMessages(150);
}

HCURSOR ShownCursor() {
  CURSORINFO info = {};
  info.cbSize = sizeof info;
  return GetCursorInfo(&info) ? info.hCursor : nullptr;
}

TEST_F(TransLabelWindow, PointerIsTheHandOverTheLinkAndTheArrowOverADigitLabel) {
  const HCURSOR hand = RecordOf(Control::透明标签5).pointer;
  const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  ASSERT_NE(hand, nullptr);
  ASSERT_NE(hand, arrow);
  // The frame's pointer is the program's hand: hot spot on the raised finger.
  ICONINFO info = {};
  ASSERT_TRUE(GetIconInfo(hand, &info));
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, 6u);
  EXPECT_EQ(info.yHotspot, 1u);
  DeleteObject(info.hbmMask);
  DeleteObject(info.hbmColor);

  MovePointerTo(CentreOf(Control::透明标签5));
  EXPECT_EQ(GetCursor(), hand);
  EXPECT_EQ(ShownCursor(), hand);
  MovePointerTo(CentreOf(Control::透明标签1));
  EXPECT_EQ(GetCursor(), arrow);
  EXPECT_EQ(ShownCursor(), arrow);

  // The same answer straight from the window: it takes the message for the link label
  // and leaves the others to the default handling, which shows their class arrow.
  const LPARAM overClient = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
  EXPECT_TRUE(SendMessageA(
      main, WM_SETCURSOR, reinterpret_cast<WPARAM>(ControlWindow(Control::透明标签5)), overClient));
  EXPECT_EQ(GetCursor(), hand);
  SendMessageA(main, WM_SETCURSOR, reinterpret_cast<WPARAM>(ControlWindow(Control::透明标签1)),
               overClient);
  EXPECT_EQ(GetCursor(), arrow);
}

TEST_F(TransLabelWindow, PressBesideTheGlyphsOfTheExitLabelLandsOnTheLabel) {
  const Control c = Control::透明标签4;
  const HWND hwnd = ControlWindow(c);
  const RECT label = ScreenRectOf(c);
  ASSERT_EQ(label.right - label.left, 32);
  ASSERT_EQ(label.bottom - label.top, 20);
  ScreenShot bare = ShotWith(c, "");
  ScreenShot text = ShotWith(c, LayoutOf(c).caption);
  Ink ink = InkBetween(bare, text, label);
  ASSERT_GT(ink.count, 0);

  // Spots inside the rectangle but clear of the glyphs.
  const POINT spots[] = {{label.left + 1, label.top + 1},
                         {label.right - 2, label.top + 1},
                         {label.right - 2, label.bottom - 2},
                         {label.left + 1, label.bottom - 2}};
  for (POINT p : spots) {
    SCOPED_TRACE(testing::Message() << "at " << p.x - label.left << "," << p.y - label.top);
    ASSERT_FALSE(Inside(Inflated(ink.box, 1), p.x, p.y)) << "spot touches the glyphs";
    EXPECT_EQ(WindowFromPoint(p), hwnd);
    POINT client = p;
    ScreenToClient(main, &client);
    EXPECT_EQ(ChildWindowFromPointEx(main, client, CWP_ALL), hwnd);
    EXPECT_EQ(SendMessageA(hwnd, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), HTCLIENT);
  }

  // A real press there is queued for the label, in its client coordinates.
  const POINT p = spots[1];
  SetCursorPos(p.x, p.y);
  INPUT press[2] = {};
  press[0].type = press[1].type = INPUT_MOUSE;
  press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ASSERT_EQ(SendInput(2, press, sizeof(INPUT)), 2u);
  MSG msg = {};
  bool pressed = false;
  for (DWORD end = GetTickCount() + 1000; !pressed && GetTickCount() < end; Sleep(10))
    pressed = PeekMessageA(&msg, nullptr, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE);
  ASSERT_TRUE(pressed);
  EXPECT_EQ(msg.hwnd, hwnd);
  EXPECT_EQ(GET_X_LPARAM(msg.lParam), p.x - label.left);
  EXPECT_EQ(GET_Y_LPARAM(msg.lParam), p.y - label.top);
  PeekMessageA(&msg, nullptr, WM_LBUTTONUP, WM_LBUTTONUP, PM_REMOVE);
}

TEST_F(TransLabelWindow, DisabledLabelLooksLikeAnEnabledOne) {
  for (Control c : kAllLabels) {
    SCOPED_TRACE(LayoutOf(c).nameText);
    const HWND hwnd = ControlWindow(c);
    ScreenShot enabled = ShotWith(c, LayoutOf(c).caption, 2);
    EnableWindow(hwnd, FALSE);
    ScreenShot disabled = ShotWith(c, LayoutOf(c).caption, 2);
    EnableWindow(hwnd, TRUE);
    EXPECT_EQ(disabled.pixels, enabled.pixels);
  }
}

TEST(GdiObjectCounter, FollowsFontsCreatedAndDeleted) {
  // The first DC of a process loads the display driver, which keeps objects of its own.
  DeleteDC(CreateCompatibleDC(nullptr));
  const int before = CountGdiObjects();
  const int fontsBefore = CountGdiObjectsOfType(kGdiFont);
  ASSERT_GE(before, 0);
  HFONT fonts[100];
  LOGFONTA logFont = {};
  logFont.lfHeight = -20;
  for (HFONT& f : fonts)
    f = CreateFontIndirectA(&logFont);
  EXPECT_EQ(CountGdiObjects(), before + 100);
  EXPECT_EQ(CountGdiObjectsOfType(kGdiFont), fontsBefore + 100);
  for (HFONT f : fonts)
    DeleteObject(f);
  EXPECT_EQ(CountGdiObjects(), before);
  EXPECT_EQ(CountGdiObjectsOfType(kGdiFont), fontsBefore);
  // Other types are told apart: a memory DC counts as a DC, not as a font.
  const int dcsBefore = CountGdiObjectsOfType(kGdiDc);
  HDC memory = CreateCompatibleDC(nullptr);
  EXPECT_EQ(CountGdiObjectsOfType(kGdiDc), dcsBefore + 1);
  EXPECT_EQ(CountGdiObjectsOfType(kGdiFont), fontsBefore);
  DeleteDC(memory);
  EXPECT_EQ(CountGdiObjects(), before);
}

TEST_F(TransLabelWindow, TenThousandCaptionWritesLeaveNoGdiObjectBehind) {
  const Control c = Control::透明标签3;
  // Let the first paints make whatever they keep for good before counting.
  for (int i = 0; i < 50; ++i)
    SetCaption(c, ToText(i));
  PumpMessages(100);
  const int before = CountGdiObjects();
  const GdiObjectType types[] = {kGdiDc, kGdiRegion, kGdiBitmap, kGdiFont, kGdiBrush};
  int beforeByType[std::size(types)];
  for (size_t t = 0; t < std::size(types); ++t)
    beforeByType[t] = CountGdiObjectsOfType(types[t]);

  // Each write repaints at once; under Wine that costs about 5 ms (two synchronous
  // paints and a walk over the window's visible children, each call a server round
  // trip), so the loop takes the better part of a minute there.
  for (int i = 0; i < 10000; ++i) {
    SetCaption(c, ToText(i % 60));
    if (i % 500 == 499)
      PumpMessages(0);
  }
  PumpMessages(100);
  EXPECT_LE(CountGdiObjects(), before);
  for (size_t t = 0; t < std::size(types); ++t)
    EXPECT_LE(CountGdiObjectsOfType(types[t]), beforeByType[t]) << "type " << int{types[t]};
}

TEST_F(TransLabelWindow, SettingsThroughTheWindowAreClampedAndChecked) {
  const HWND hwnd = ControlWindow(Control::透明标签1);
  struct Case {
    int setting;
    int32_t written;
    int32_t readBack;
  };
  const Case cases[] = {
      {kLabelEffect, 7, 3},          {kLabelEffect, -1, 0},
      {kLabelHorizontalAlign, 5, 2}, {kLabelVerticalAlign, -3, 0},
      {kLabelWordWrap, 2, 2},        {kLabelTextColor, 0x00123456, 0x00123456},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << "setting " << k.setting << " written " << k.written);
    LabelSettingValue value;
    value.number = k.written;
    ASSERT_TRUE(WriteLabelSetting(hwnd, k.setting, value));
    LabelSettingValue out;
    ASSERT_TRUE(ReadLabelSetting(hwnd, k.setting, out));
    EXPECT_EQ(out.number, k.readBack);
  }

  LabelSettingValue caption;
  caption.text = "42";
  ASSERT_TRUE(WriteLabelSetting(hwnd, kLabelCaption, caption));
  LabelSettingValue out;
  ASSERT_TRUE(ReadLabelSetting(hwnd, kLabelCaption, out));
  EXPECT_EQ(out.text, "42");
  char windowText[16] = {};
  GetWindowTextA(hwnd, windowText, sizeof windowText);
  EXPECT_STREQ(windowText, "42");

  LabelSettingValue font;
  font.bytes.assign(59, 0x5a);
  ASSERT_TRUE(WriteLabelSetting(hwnd, kLabelFont, font));
  ASSERT_TRUE(ReadLabelSetting(hwnd, kLabelFont, out));
  EXPECT_EQ(out.bytes, font.bytes);

  // Unknown numbers and windows that are no labels are refused: nothing is stored, the
  // window text stays, and `out` is left alone.
  LabelSettingValue refused;
  refused.text = "refused";
  LabelSettingValue untouched;
  untouched.number = 99;
  for (int number : {7, -1, kLabelSettingCount + 100}) {
    LabelSettingValue probe = untouched;
    EXPECT_FALSE(ReadLabelSetting(hwnd, number, probe)) << number;
    EXPECT_EQ(probe, untouched);
    EXPECT_FALSE(WriteLabelSetting(hwnd, number, refused)) << number;
  }
  GetWindowTextA(hwnd, windowText, sizeof windowText);
  EXPECT_STREQ(windowText, "42");

  // A window of another class is refused even when its user data looks like a label's.
  LabelSettings decoy;
  const HWND impostor = CreateWindowExA(0, "STATIC", "impostor", WS_CHILD, 0, 0, 10, 10, main,
                                        nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(impostor, nullptr);
  SetWindowLongPtrA(impostor, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&decoy));
  const HWND button = ControlWindow(Control::按钮1);
  for (HWND other : {main, button, impostor, static_cast<HWND>(nullptr)}) {
    LabelSettingValue probe = untouched;
    EXPECT_FALSE(ReadLabelSetting(other, kLabelCaption, probe));
    EXPECT_EQ(probe, untouched);
    EXPECT_FALSE(WriteLabelSetting(other, kLabelCaption, refused));
  }
  EXPECT_EQ(decoy, LabelSettings{});
  DestroyWindow(impostor);
  char buttonText[16] = {};
  GetWindowTextA(button, buttonText, sizeof buttonText);
  EXPECT_STREQ(buttonText, LayoutOf(Control::按钮1).caption);
}

} // namespace
