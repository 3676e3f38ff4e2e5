// The window built from resources whose three pictures cannot be decoded (this program
// links tests/win/damaged_pictures.rc in place of the program's resources): the window
// shows its background colour, the check boxes their captions, and nothing breaks.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>

#include "app/frame_win.h"
#include "tests/win/support/loaded_window_win.h"
#include "tests/win/support/screen_probe_win.h"
#include "ui/control_ops.h"
#include "ui/controls_win.h"
#include "ui/layout.h"
#include "ui/picture_win.h"

namespace {

RECT LayoutRect(const ControlLayout& entry) {
  return {entry.place.left, entry.place.top, entry.place.left + entry.place.width,
          entry.place.top + entry.place.height};
}

class DamagedPicturesTest : public LoadedWindowTest {
protected:
  // Pixels of a client rectangle that pass `test`, on the screen as it is now.
  int CountShown(RECT area, const std::function<bool(COLORREF)>& test) {
    PumpMessages(300);
    ScreenShot shot = TakeWindowShot(window_);
    POINT origin = {0, 0};
    ClientToScreen(window_, &origin);
    OffsetRect(&area, origin.x, origin.y);
    return shot.Count(area, test);
  }
};

TEST_F(DamagedPicturesTest, TheResourcesReallyAreDamaged) {
  Image image;
  for (Picture p :
       {Picture::MainWindowBackground, Picture::PinOnTopPicture, Picture::PowerOffPicture})
    EXPECT_FALSE(LoadPicture(p, image)) << static_cast<int>(p);
  // The icon is the program's own.
  EXPECT_NE(SendMessageA(window_, WM_GETICON, ICON_BIG, 0), 0);
}

TEST_F(DamagedPicturesTest, WindowShowsItsBackgroundColourWhereNoControlStands) {
  ASSERT_TRUE(IsWindowVisible(window_));
  COLORREF face = GetSysColor(COLOR_BTNFACE);
  PumpMessages(300);
  ScreenShot shot = TakeWindowShot(window_);
  POINT origin = {0, 0};
  ClientToScreen(window_, &origin);
  int checked = 0;
  for (int y = 0; y < 228; ++y)
    for (int x = 0; x < 450; ++x) {
      POINT p = {x, y};
      bool covered = false;
      for (const ControlLayout& entry : kControlLayout) {
        // Where the control really stands: the drop-down boxes are as tall as their font
        // makes them.
        RECT r;
        GetWindowRect(ControlWindow(entry.name), &r);
        MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&r), 2);
        covered |= entry.visible && PtInRect(&r, p);
      }
      if (covered)
        continue;
      ++checked;
      COLORREF shown = shot.At(origin.x + x, origin.y + y);
      if (shown != face) {
        ADD_FAILURE() << "at " << x << ", " << y << ": " << std::hex << shown << " instead of "
                      << face;
        return;
      }
    }
  EXPECT_GT(checked, 450 * 228 / 2);
}

TEST_F(DamagedPicturesTest, LabelRepaintsOverTheBackgroundColour) {
  // A caption write repaints the background under the label: here the plain colour.
  COLORREF face = GetSysColor(COLOR_BTNFACE);
  const ControlLayout& entry = LayoutOf(Control::透明标签2);
  RECT label = LayoutRect(entry);
  int area = entry.place.width * entry.place.height;
  for (const char* caption : {"8", "59", ""}) {
    SetCaption(Control::透明标签2, caption);
    int plain = CountShown(label, [face](COLORREF p) { return p == face; });
    EXPECT_GE(plain * 10, area * 5) << '"' << caption << "\": " << plain << " of " << area;
    if (*caption == '\0') {
      EXPECT_EQ(plain, area);
    }
  }
  EXPECT_TRUE(IsWindowVisible(window_));
}

TEST_F(DamagedPicturesTest, CheckBoxesDropThePictureAndKeepTheirCaption) {
  for (Control c : {Control::选择框1, Control::选择框2}) {
    const ControlLayout& entry = LayoutOf(c);
    SCOPED_TRACE(entry.nameText);
    HWND hwnd = ControlWindow(c);
    ASSERT_NE(hwnd, nullptr);
    DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    EXPECT_EQ(style & BS_BITMAP, 0u);
    EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_AUTOCHECKBOX));
    EXPECT_EQ(style & BS_CENTER, static_cast<DWORD>(BS_LEFT));
    EXPECT_EQ(style & BS_VCENTER, static_cast<DWORD>(BS_VCENTER));
    EXPECT_EQ(style & WS_TABSTOP, static_cast<DWORD>(WS_TABSTOP));
    EXPECT_EQ(SendMessageA(hwnd, BM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    EXPECT_EQ(RecordOf(c).picture, nullptr);
    char text[32] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    EXPECT_STREQ(text, entry.caption);
    EXPECT_EQ(SendMessageA(hwnd, WM_GETFONT, 0, 0),
              reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT)));
  }
}

TEST_F(DamagedPicturesTest, CheckBoxCaptionsShowInTheirColoursOnTheirBackground) {
  // Wine draws the caption in the colour the box's colour answer sets. Windows draws a
  // themed check box's caption in the theme's colour instead.
  for (Control c : {Control::选择框1, Control::选择框2}) {
    const ControlLayout& entry = LayoutOf(c);
    SCOPED_TRACE(entry.nameText);
    RECT box = LayoutRect(entry);
    int area = entry.place.width * entry.place.height;
    COLORREF back = ResolveColour(entry.checkBox.backColour);
    COLORREF text = ResolveColour(entry.checkBox.textColour);
    int backShown = CountShown(box, [back](COLORREF p) { return p == back; });
    // Everything but the square and the caption's strokes.
    EXPECT_GE(backShown * 2, area) << backShown << " of " << area;
    if (text != back) {
      int textShown = CountShown(box, [text](COLORREF p) { return SameColour(p, text, 24); });
      EXPECT_GE(textShown, 20) << "caption strokes in the text colour";
    }
    // 选择框2's caption is black on black, as its colours say: seen only as the
    // background, which the strokes leave alone.
  }
}

} // namespace
