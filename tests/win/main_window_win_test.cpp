// The main window as the program builds it: its frame, place, class, icons and font,
// every control's place, class and styles, the stacking order, the drop-down boxes, and
// what the screen shows (colours around the controls, the pictures, the tiles).
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <iterator>
#include <vector>

#include "app/event_binding.h"
#include "app/frame_win.h"
#include "tests/win/support/loaded_window_win.h"
#include "tests/win/support/screen_probe_win.h"
#include "ui/controls_win.h"
#include "ui/layout.h"
#include "ui/main_window_win.h"
#include "ui/picture_win.h"

namespace {

bool RunningUnderWine() {
  return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

std::string WindowText(HWND hwnd) {
  char text[256] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

std::string ClassOf(HWND hwnd) {
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

// A window's outer rectangle in the client coordinates of `window`.
RECT RectIn(HWND window, HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

RECT LayoutRect(const ControlLayout& entry) {
  return {entry.place.left, entry.place.top, entry.place.left + entry.place.width,
          entry.place.top + entry.place.height};
}

COLORREF ImageColour(const Image& image, int x, int y) {
  uint32_t p = image.pixels[static_cast<size_t>(y) * image.width + x];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

int Brightest(COLORREF c) {
  return std::max({GetRValue(c), GetGValue(c), GetBValue(c)});
}

// The window as the frame loads it (built with events held, lists filled, shown); it is
// destroyed after each test.
class MainWindowTest : public LoadedWindowTest {
protected:
  // The screen, with client coordinates of the window.
  struct ClientShot {
    ScreenShot shot;
    POINT origin;
    COLORREF At(int x, int y) const { return shot.At(origin.x + x, origin.y + y); }
    int Count(RECT area, const std::function<bool(COLORREF)>& test) const {
      OffsetRect(&area, origin.x, origin.y);
      return shot.Count(area, test);
    }
  };

  ClientShot Shoot() {
    PumpMessages(300);
    ClientShot s{TakeWindowShot(window_), {0, 0}};
    ClientToScreen(window_, &s.origin);
    return s;
  }
};

// ---- The window itself --------------------------------------------------------------

TEST_F(MainWindowTest, HasNoFrameAndOnlyTheMinimiseBox) {
  DWORD style = static_cast<DWORD>(GetWindowLongA(window_, GWL_STYLE));
  for (DWORD bit :
       std::initializer_list<DWORD>{WS_CLIPCHILDREN, WS_CLIPSIBLINGS, WS_MINIMIZEBOX, WS_VISIBLE})
    EXPECT_EQ(style & bit, bit) << std::hex << "style " << style << " lacks " << bit;
  for (DWORD bit : std::initializer_list<DWORD>{WS_POPUP, WS_CHILD, WS_CAPTION, WS_BORDER,
                                                WS_DLGFRAME, WS_SYSMENU, WS_THICKFRAME,
                                                WS_MAXIMIZEBOX, WS_MINIMIZE, WS_MAXIMIZE})
    EXPECT_EQ(style & bit, 0u) << std::hex << "style " << style << " has " << bit;
  // No extended style, not even the window edge that came with the caption at creation.
  EXPECT_EQ(GetWindowLongA(window_, GWL_EXSTYLE), 0);
  EXPECT_EQ(GetWindow(window_, GW_OWNER), nullptr);
  EXPECT_EQ(GetParent(window_), nullptr);
  EXPECT_EQ(GetAncestor(window_, GA_PARENT), GetDesktopWindow());
  EXPECT_EQ(GetWindowTextLengthA(window_), 0);
  EXPECT_FALSE(IsIconic(window_));
  EXPECT_FALSE(IsZoomed(window_));
}

TEST_F(MainWindowTest, IsCentredAtItsSize) {
  RECT outer, client;
  GetWindowRect(window_, &outer);
  GetClientRect(window_, &client);
  EXPECT_EQ(outer.right - outer.left, 450);
  EXPECT_EQ(outer.bottom - outer.top, 228);
  EXPECT_EQ(client.right, 450);
  EXPECT_EQ(client.bottom, 228);
  EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 450) / 2);
  EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 228) / 2);
  // The test screen is 1024 x 768.
  ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
  EXPECT_EQ(outer.left, 287);
  EXPECT_EQ(outer.top, 270);
}

TEST_F(MainWindowTest, ClassDrawsNoBackgroundOfItsOwn) {
  EXPECT_EQ(static_cast<UINT>(GetClassLongPtrA(window_, GCL_STYLE)),
            static_cast<UINT>(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW));
  // Erasing draws nothing: the window paints its whole background itself.
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(GetClassLongPtrA(window_, GCLP_HBRBACKGROUND)),
            GetStockObject(NULL_BRUSH));
  EXPECT_EQ(GetClassLongPtrA(window_, GCLP_HICON), 0);
  EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrA(window_, GCLP_HCURSOR)),
            LoadCursorA(nullptr, IDC_ARROW));
}

TEST_F(MainWindowTest, ShowsTheProgramIcon) {
  HICON big = reinterpret_cast<HICON>(SendMessageA(window_, WM_GETICON, ICON_BIG, 0));
  HICON small = reinterpret_cast<HICON>(SendMessageA(window_, WM_GETICON, ICON_SMALL, 0));
  ASSERT_NE(big, nullptr);
  ASSERT_NE(small, nullptr);
  // Shared icons of the module: loading DEFAULT_ICON at the same size gives the same one.
  HINSTANCE instance = GetModuleHandleA(nullptr);
  int cx = GetSystemMetrics(SM_CXICON), cxSmall = GetSystemMetrics(SM_CXSMICON);
  EXPECT_EQ(big, LoadImageA(instance, "DEFAULT_ICON", IMAGE_ICON, cx, cx, LR_SHARED));
  EXPECT_EQ(small, LoadImageA(instance, "DEFAULT_ICON", IMAGE_ICON, cxSmall, cxSmall, LR_SHARED));
}

TEST_F(MainWindowTest, WindowFontIsTheDefaultGuiFont) {
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(window_, WM_GETFONT, 0, 0)),
            GetStockObject(DEFAULT_GUI_FONT));
}

// ---- Controls -----------------------------------------------------------------------

TEST_F(MainWindowTest, EveryControlStandsAtItsLayoutPlace) {
  TEXTMETRICA metrics = {};
  HDC dc = GetDC(window_);
  HGDIOBJ previous = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, previous);
  ReleaseDC(window_, dc);

  for (const ControlLayout& entry : kControlLayout) {
    if (entry.kind == ControlKind::Timer)
      continue; // nothing to show: its place has no effect
    SCOPED_TRACE(entry.nameText);
    HWND hwnd = ControlWindow(entry.name);
    ASSERT_NE(hwnd, nullptr);
    RECT r = RectIn(window_, hwnd);
    EXPECT_EQ(r.left, entry.place.left);
    EXPECT_EQ(r.top, entry.place.top);
    EXPECT_EQ(r.right - r.left, entry.place.width);
    if (entry.kind != ControlKind::ComboBox) {
      EXPECT_EQ(r.bottom - r.top, entry.place.height);
      continue;
    }
    // The closed box is as tall as Windows makes it for its font: the edit field's
    // height and the frame, neither the stored 20 nor the 160 it was created with.
    int editHeight =
        static_cast<int>(SendMessageA(hwnd, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    EXPECT_GE(editHeight, metrics.tmHeight);
    int frame = (r.bottom - r.top) - editHeight;
    EXPECT_GE(frame, 4);
    EXPECT_LE(frame, 6);
  }
}

TEST_F(MainWindowTest, ControlsHaveTheClassesAndStylesOfTheirKinds) {
  HGDIOBJ guiFont = GetStockObject(DEFAULT_GUI_FONT);
  for (const ControlLayout& entry : kControlLayout) {
    SCOPED_TRACE(entry.nameText);
    HWND hwnd = ControlWindow(entry.name);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(GetParent(hwnd), window_);
    LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    LONG exStyle = GetWindowLongA(hwnd, GWL_EXSTYLE);
    EXPECT_EQ(style & WS_CHILD, WS_CHILD);
    EXPECT_EQ(style & WS_DISABLED, 0);
    EXPECT_EQ(IsWindowVisible(hwnd) != FALSE, entry.visible);
    EXPECT_EQ((style & WS_TABSTOP) != 0, entry.tabStop);
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(hwnd, WM_GETFONT, 0, 0));
    switch (entry.kind) {
    case ControlKind::Button:
      EXPECT_EQ(ClassOf(hwnd), "Button");
      EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON);
      EXPECT_EQ(style & BS_CENTER, BS_CENTER);
      EXPECT_EQ(style & BS_VCENTER, BS_VCENTER);
      EXPECT_EQ(style & BS_MULTILINE, BS_MULTILINE);
      EXPECT_EQ(style & WS_CLIPSIBLINGS, WS_CLIPSIBLINGS);
      EXPECT_EQ(WindowText(hwnd), entry.caption);
      EXPECT_EQ(font, guiFont);
      break;
    case ControlKind::CheckBox: {
      EXPECT_EQ(ClassOf(hwnd), "Button");
      EXPECT_EQ(style & BS_TYPEMASK, BS_AUTOCHECKBOX);
      EXPECT_EQ(style & BS_BITMAP, BS_BITMAP);
      EXPECT_EQ(style & BS_CENTER, BS_LEFT);
      EXPECT_EQ(style & BS_VCENTER, BS_VCENTER);
      EXPECT_EQ(style & BS_MULTILINE, BS_MULTILINE);
      EXPECT_EQ(style & (BS_PUSHLIKE | BS_FLAT | BS_LEFTTEXT), 0);
      EXPECT_EQ(style & WS_CLIPSIBLINGS, WS_CLIPSIBLINGS);
      EXPECT_EQ(WindowText(hwnd), entry.caption);
      EXPECT_EQ(font, guiFont);
      EXPECT_EQ(SendMessageA(hwnd, BM_GETCHECK, 0, 0), BST_UNCHECKED);
      // The picture at its natural size.
      HBITMAP picture = reinterpret_cast<HBITMAP>(SendMessageA(hwnd, BM_GETIMAGE, IMAGE_BITMAP, 0));
      ASSERT_NE(picture, nullptr);
      BITMAP info = {};
      ASSERT_NE(GetObjectA(picture, sizeof info, &info), 0);
      Image image;
      ASSERT_TRUE(LoadPicture(entry.checkBox.picture, image));
      EXPECT_EQ(info.bmWidth, image.width);
      EXPECT_EQ(info.bmHeight, image.height);
      break;
    }
    case ControlKind::ComboBox:
      EXPECT_EQ(ClassOf(hwnd), "ComboBox");
      EXPECT_EQ(style & 3, CBS_DROPDOWN);
      EXPECT_EQ(style & CBS_AUTOHSCROLL, CBS_AUTOHSCROLL);
      {
        // The box hands WS_VSCROLL on to its list and keeps none itself; the list shows
        // it once its items overflow, as the filled lists here do.
        COMBOBOXINFO info = {};
        info.cbSize = sizeof info;
        ASSERT_TRUE(GetComboBoxInfo(hwnd, &info));
        EXPECT_EQ(GetWindowLongA(info.hwndList, GWL_STYLE) & WS_VSCROLL, WS_VSCROLL);
      }
      EXPECT_EQ(style & (CBS_SORT | CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS |
                         CBS_NOINTEGRALHEIGHT),
                0);
      EXPECT_EQ(style & WS_CLIPSIBLINGS, WS_CLIPSIBLINGS);
      EXPECT_EQ(font, guiFont);
      break;
    case ControlKind::TransLabel:
      EXPECT_EQ(ClassOf(hwnd), "TransLabel");
      EXPECT_EQ(exStyle & WS_EX_TRANSPARENT, WS_EX_TRANSPARENT);
      EXPECT_EQ(WindowText(hwnd), entry.caption);
      break;
    case ControlKind::Timer: EXPECT_FALSE(IsWindowVisible(hwnd)); break;
    }
  }
}

TEST_F(MainWindowTest, StackingOrderFollowsTheLayoutList) {
  std::vector<HWND> stacked;
  for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    stacked.push_back(child);
  std::vector<HWND> listed;
  for (const ControlLayout& entry : kControlLayout)
    listed.push_back(ControlWindow(entry.name));
  EXPECT_EQ(stacked, listed);

  // The table stands in for the window manager's list in the label repaint until a child
  // the frame did not make comes or goes.
  HWND table[kControlCount];
  ASSERT_TRUE(StackedChildren(window_, table));
  EXPECT_EQ(std::vector<HWND>(std::begin(table), std::end(table)), listed);
  HWND stranger = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 8, 8, window_, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(stranger, nullptr);
  EXPECT_FALSE(StackedChildren(window_, table));
  EXPECT_FALSE(StackedChildren(ControlWindow(Control::按钮1), table));
}

// ---- Drop-down boxes ----------------------------------------------------------------

TEST_F(MainWindowTest, DropDownListsAreOneLineTallerThanTheFontMakesThem) {
  // A plain box of the same kind and font shows what Windows would choose alone.
  HWND plain = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWN | WS_VSCROLL, 0, 0, 48,
                               160, window_, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(plain, nullptr);
  SendMessageA(plain, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
  LRESULT plainHeight = SendMessageA(plain, CB_GETITEMHEIGHT, 0, 0);
  DestroyWindow(plain);
  ASSERT_GT(plainHeight, 0);
  // Windows takes CB_SETITEMHEIGHT for the list items of any box; Wine only for owner-drawn
  // ones, so under Wine the items keep the height the font gives them.
  LRESULT expected = RunningUnderWine() ? plainHeight : plainHeight + 1;
  for (Control list : {Control::组合框1, Control::组合框2, Control::组合框3}) {
    SCOPED_TRACE(LayoutOf(list).nameText);
    EXPECT_EQ(SendMessageA(ControlWindow(list), CB_GETITEMHEIGHT, 0, 0), expected);
  }
}

TEST_F(MainWindowTest, OpenedListHangsUpTo160PixelsBelowTheBox) {
  for (Control list : {Control::组合框1, Control::组合框2, Control::组合框3}) {
    SCOPED_TRACE(LayoutOf(list).nameText);
    HWND hwnd = ControlWindow(list);
    RECT box;
    GetWindowRect(hwnd, &box);
    // The room the box was given for its list: Windows answers the 160 pixels from
    // the box's top; Wine answers 136 (160 less the height it took off the box, 24).
    RECT room = {};
    SendMessageA(hwnd, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&room));
    EXPECT_EQ(room.left, box.left);
    EXPECT_EQ(room.top, box.top);
    EXPECT_EQ(room.right - room.left, LayoutOf(list).place.width);
    EXPECT_GE(room.bottom - room.top, 130);
    EXPECT_LE(room.bottom - room.top, 160);

    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(hwnd, &info));
    SendMessageA(hwnd, CB_SHOWDROPDOWN, TRUE, 0);
    PumpMessages(50);
    RECT opened;
    GetWindowRect(info.hwndList, &opened);
    bool shown = IsWindowVisible(info.hwndList);
    SendMessageA(hwnd, CB_SHOWDROPDOWN, FALSE, 0);
    PumpMessages(20);
    ASSERT_TRUE(shown);
    int itemHeight = static_cast<int>(SendMessageA(hwnd, CB_GETITEMHEIGHT, 0, 0));
    EXPECT_EQ(opened.top, box.bottom) << "the list opens below the box";
    // Whole items fill the room: at most one item less than 160 pixels from the top.
    EXPECT_LE(opened.bottom - box.top, 160)
        << "the opened list is " << opened.bottom - opened.top << " pixels tall";
    EXPECT_GE(opened.bottom - box.top, 160 - 2 * itemHeight)
        << "the opened list is " << opened.bottom - opened.top << " pixels tall";
  }
}

// ---- What the screen shows ----------------------------------------------------------

TEST_F(MainWindowTest, DropDownEditFieldsShowTheirBackgroundColours) {
  ClientShot s = Shoot();
  struct Case {
    Control list;
    COLORREF colour;
  };
  for (const Case& c :
       {Case{Control::组合框1, GetSysColor(COLOR_BTNFACE)},
        Case{Control::组合框2, RGB(255, 255, 255)}, Case{Control::组合框3, RGB(255, 255, 255)}}) {
    SCOPED_TRACE(LayoutOf(c.list).nameText);
    HWND hwnd = ControlWindow(c.list);
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(hwnd, &info));
    RECT field = info.rcItem;
    MapWindowPoints(hwnd, window_, reinterpret_cast<POINT*>(&field), 2);
    int area = (field.right - field.left) * (field.bottom - field.top);
    ASSERT_GT(area, 0);
    // Everything but the digit's strokes.
    int painted = s.Count(field, [&](COLORREF p) { return p == c.colour; });
    EXPECT_GE(painted * 10, area * 7) << painted << " of " << area << " pixels";
  }
}

TEST_F(MainWindowTest, CheckBoxesShowSquareAndPictureOnTheirBackground) {
  ClientShot s = Shoot();
  for (Control c : {Control::选择框1, Control::选择框2}) {
    const ControlLayout& entry = LayoutOf(c);
    SCOPED_TRACE(entry.nameText);
    Image picture;
    ASSERT_TRUE(LoadPicture(entry.checkBox.picture, picture));
    BlendOver(picture, ResolveColour(entry.checkBox.backColour));
    COLORREF pictureBack = ImageColour(picture, picture.width - 1, 0);
    RECT box = LayoutRect(entry);
    int boxWidth = box.right - box.left, boxHeight = box.bottom - box.top;

    // Where the picture lies: the offset at which the most of its text matches the screen.
    int bestMatched = -1, bestInk = 0, bestX = 0;
    for (int dx = 0; dx < boxWidth / 2; ++dx)
      for (int dy = -2; dy <= 2; ++dy) {
        int ink = 0, matched = 0;
        for (int y = 0; y < picture.height; ++y)
          for (int x = 0; x < picture.width && dx + x < boxWidth; ++x) {
            COLORREF p = ImageColour(picture, x, y);
            if (p == pictureBack || dy + y < 0 || dy + y >= boxHeight)
              continue;
            ++ink;
            matched += SameColour(s.At(box.left + dx + x, box.top + dy + y), p, 8);
          }
        if (matched > bestMatched) {
          bestMatched = matched;
          bestInk = ink;
          bestX = dx;
        }
      }
    ASSERT_GT(bestInk, 20);
    EXPECT_GE(bestMatched * 100, bestInk * 95) << bestMatched << " of " << bestInk;
    // Beside the square, which Windows draws 13 pixels wide, and vertically centred.
    EXPECT_GE(bestX, 13);
    EXPECT_LE(bestX, 24);

    // Above and below the square lies the box's own background colour.
    COLORREF back = ResolveColour(entry.checkBox.backColour);
    for (int y : {0, 1, 2, 3, boxHeight - 4, boxHeight - 3, boxHeight - 2, boxHeight - 1})
      for (int x = 0; x < bestX; ++x)
        EXPECT_TRUE(SameColour(s.At(box.left + x, box.top + y), back, 2))
            << "at " << x << ", " << y << ": " << std::hex << s.At(box.left + x, box.top + y);

    // No caption text: nothing in the caption's text colour unless the picture has it.
    COLORREF textColour = ResolveColour(entry.checkBox.textColour);
    if (textColour != back) {
      EXPECT_EQ(s.Count(box, [&](COLORREF p) { return SameColour(p, textColour, 40); }), 0);
    }
  }
}

TEST_F(MainWindowTest, DigitLabelsLetTheDarkTilesShowThrough) {
  ClientShot s = Shoot();
  Image background;
  ASSERT_TRUE(LoadPicture(kMainWindowLayout.picture, background));
  for (Control c : {Control::透明标签1, Control::透明标签2, Control::透明标签3}) {
    SCOPED_TRACE(LayoutOf(c).nameText);
    RECT label = LayoutRect(LayoutOf(c));
    int area = 0, tile = 0, dark = 0;
    for (int y = label.top; y < label.bottom; ++y)
      for (int x = label.left; x < label.right; ++x) {
        ++area;
        COLORREF shown = s.At(x, y);
        if (!SameColour(shown, ImageColour(background, x, y), 6))
          continue; // a digit's stroke
        ++tile;
        dark += Brightest(shown) <= 70;
      }
    EXPECT_GE(tile * 10, area * 7) << tile << " of " << area << " pixels show the picture";
    EXPECT_GE(dark * 100, tile * 95) << dark << " of " << tile << " picture pixels are dark";
    // The corners of the label are tile, never the window's background colour.
    for (POINT p : {POINT{label.left + 1, label.top + 1}, POINT{label.right - 2, label.bottom - 2}})
      EXPECT_LE(Brightest(s.At(p.x, p.y)), 70) << "at " << p.x << ", " << p.y;
  }
}

TEST_F(MainWindowTest, TopBandIsCharcoalWhereNoControlStands) {
  ClientShot s = Shoot();
  int checked = 0;
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 450; ++x) {
      POINT p = {x, y};
      bool covered = false;
      for (const ControlLayout& entry : kControlLayout) {
        RECT r = LayoutRect(entry);
        covered |= entry.visible && PtInRect(&r, p);
      }
      if (covered)
        continue;
      ++checked;
      COLORREF shown = s.At(x, y);
      if (!SameColour(shown, RGB(22, 22, 22), 1)) {
        ADD_FAILURE() << "at " << x << ", " << y << ": " << std::hex << shown;
        return;
      }
    }
  EXPECT_GT(checked, 450 * 48 / 2);
}

// ---- Before the lists are filled ----------------------------------------------------

// The window and its controls as the layout builds them, before the created event.
class BuiltWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    HoldEvents();
    window_ = CreateMainWindow(kMainWindowLayout);
    ASSERT_NE(window_, nullptr);
    ASSERT_EQ(CreateLayoutControls(window_), nullptr);
  }
  void TearDown() override {
    if (window_)
      DestroyWindow(window_);
    ReleaseEvents();
  }
  HWND window_ = nullptr;
};

TEST_F(BuiltWindowTest, StartsHiddenWithEmptyListsAndNothingChecked) {
  EXPECT_FALSE(IsWindowVisible(window_));
  for (Control list : {Control::组合框1, Control::组合框2, Control::组合框3}) {
    SCOPED_TRACE(LayoutOf(list).nameText);
    HWND hwnd = ControlWindow(list);
    EXPECT_EQ(SendMessageA(hwnd, CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessageA(hwnd, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(WindowText(hwnd), "");
  }
  for (Control box : {Control::选择框1, Control::选择框2})
    EXPECT_EQ(SendMessageA(ControlWindow(box), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_FALSE(RecordOf(Control::时钟1).timerRunning);
  EXPECT_EQ(GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

} // namespace
