#include "ui/controls_win.h"

#include <algorithm>

#include <commctrl.h>

#include "ui/picture_win.h"

ControlRecord g_controls[kControlCount + 1];

namespace {

HWND stackedParent = nullptr;

HMENU IdOf(const ControlLayout& entry) {
  return reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlIdBase + ControlIndex(entry.name)));
}

DWORD CommonStyle(const ControlLayout& entry) {
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  if (entry.tabStop)
    style |= WS_TABSTOP;
  if (entry.disabled)
    style |= WS_DISABLED;
  return style;
}

HWND CreateChild(HWND parent, const ControlLayout& entry, const char* windowClass, DWORD style,
                 int height) {
  return CreateWindowExA(0, windowClass, entry.caption, CommonStyle(entry) | style,
                         entry.place.left, entry.place.top, entry.place.width, height, parent,
                         IdOf(entry), GetModuleHandleA(nullptr), nullptr);
}

void SetDefaultFont(HWND hwnd) {
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

void SetColours(ControlRecord& record, LayoutColour text, LayoutColour back) {
  record.textColour = ResolveColour(text);
  record.backColour = ResolveColour(back);
  record.brush = CreateSolidBrush(record.backColour);
}

// Version 6 of the common controls opens the list to CB_SETMINVISIBLE items (30 by
// default) whatever height the box was created with; ask for as many items as fit in
// the created height below the closed box.
void LimitVisibleItems(HWND combo, int createdHeight) {
  RECT closed;
  GetWindowRect(combo, &closed);
  LRESULT itemHeight = SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0);
  if (itemHeight <= 0)
    return;
  int room = createdHeight - (closed.bottom - closed.top) - 2;
  SendMessageA(combo, CB_SETMINVISIBLE, std::max<LRESULT>(1, room / itemHeight), 0);
}

} // namespace

COLORREF ResolveColour(LayoutColour colour) {
  return colour == kSystemFaceColour ? GetSysColor(COLOR_BTNFACE) : static_cast<COLORREF>(colour);
}

bool ControlOfWindow(HWND hwnd, Control& out) {
  if (!hwnd)
    return false;
  for (int i = 0; i < kControlCount; ++i) {
    HWND own = g_controls[i].hwnd;
    if (!own)
      continue;
    bool match = own == hwnd || IsChild(own, hwnd);
    if (!match && kControlLayout[i].kind == ControlKind::ComboBox) {
      // The opened list of a drop-down box is a pop-up of its own, not a child.
      COMBOBOXINFO info = {};
      info.cbSize = sizeof info;
      match = GetComboBoxInfo(own, &info) && (info.hwndList == hwnd || info.hwndItem == hwnd);
    }
    if (match) {
      out = static_cast<Control>(i);
      return true;
    }
  }
  return false;
}

HWND CreateButtonControl(HWND parent, const ControlLayout& entry) {
  HWND hwnd =
      CreateChild(parent, entry, "BUTTON", BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE,
                  entry.place.height);
  if (!hwnd)
    return nullptr;
  SetDefaultFont(hwnd);
  RecordOf(entry.name).hwnd = hwnd;
  return hwnd;
}

HWND CreateCheckBoxControl(HWND parent, const ControlLayout& entry) {
  ControlRecord& record = RecordOf(entry.name);
  SetColours(record, entry.checkBox.textColour, entry.checkBox.backColour);
  // The picture is made before the box; a picture that cannot be had leaves the box
  // showing its caption instead.
  Image image;
  if (LoadPicture(entry.checkBox.picture, image)) {
    BlendOver(image, record.backColour);
    record.picture = CreateDeviceBitmap(image);
  }
  DWORD style = BS_AUTOCHECKBOX | BS_LEFT | BS_VCENTER | BS_MULTILINE;
  if (record.picture)
    style |= BS_BITMAP;
  HWND hwnd = CreateChild(parent, entry, "BUTTON", style, entry.place.height);
  if (!hwnd)
    return nullptr;
  record.hwnd = hwnd;
  SetDefaultFont(hwnd);
  if (record.picture)
    SendMessageA(hwnd, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(record.picture));
  SendMessageA(hwnd, BM_SETCHECK, BST_UNCHECKED, 0);
  return hwnd;
}

HWND CreateComboBoxControl(HWND parent, const ControlLayout& entry) {
  const ComboBoxLayout& combo = entry.comboBox;
  // The height given at creation is that of the opened list; Windows sizes the closed
  // box from its font.
  constexpr int kListHeight = 160;
  int height = std::max(entry.place.height, kListHeight);
  HWND hwnd =
      CreateChild(parent, entry, "COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL, height);
  if (!hwnd)
    return nullptr;
  ControlRecord& record = RecordOf(entry.name);
  record.hwnd = hwnd;
  SetColours(record, combo.textColour, combo.backColour);
  SetDefaultFont(hwnd);
  LRESULT itemHeight = SendMessageA(hwnd, CB_GETITEMHEIGHT, 0, 0);
  if (itemHeight != CB_ERR)
    SendMessageA(hwnd, CB_SETITEMHEIGHT, 0, (itemHeight + combo.lineSpacing) & 0xFFFF);
  LimitVisibleItems(hwnd, height);
  SendMessageA(hwnd, CB_LIMITTEXT, combo.maxTextLength, 0);
  SendMessageA(hwnd, CB_SETCURSEL, static_cast<WPARAM>(combo.selection), 0);
  SetWindowTextA(hwnd, combo.content);
  SendMessageA(hwnd, CB_SETEDITSEL, 0, MAKELPARAM(0, 0));
  return hwnd;
}

void MarkControlsStacked(HWND parent) {
  stackedParent = parent;
}

bool StackedChildren(HWND parent, HWND (&out)[kControlCount]) {
  if (!parent || parent != stackedParent || parent != ControlWindow(Control::MainWindow))
    return false;
  for (int i = 0; i < kControlCount; ++i)
    out[i] = g_controls[i].hwnd;
  return true;
}

HBRUSH ControlColourAnswer(HWND control, HDC dc) {
  Control c;
  if (!ControlOfWindow(control, c))
    return nullptr;
  const ControlRecord& record = RecordOf(c);
  if (!record.brush)
    return nullptr;
  SetTextColor(dc, record.textColour);
  SetBkColor(dc, record.backColour);
  return record.brush;
}

void ReleaseControlRecord(Control c) {
  ControlRecord& record = RecordOf(c);
  if (record.brush)
    DeleteObject(record.brush);
  if (record.picture)
    DeleteObject(record.picture);
  if (record.pointer)
    DestroyCursor(record.pointer);
  record = ControlRecord{};
}
