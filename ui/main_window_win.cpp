#include "ui/main_window_win.h"

#include <new>

#include "app/event_binding.h"
#include "app/fatal_error_win.h"
#include "ui/window_class_win.h"
#include "ui/controls_win.h"
#include "ui/picture_win.h"
#include "ui/timer_win.h"
#include "ui/trans_label_win.h"
#include "ui/window_place.h"

namespace {

// The decoded picture as a bitmap, selected into a memory device context kept for the
// window's life: every caption write repaints the background under its label, and a
// context made for each paint costs more than the copy itself.
struct Background {
  bool tried = false;
  HBITMAP bitmap = nullptr;
  HDC memory = nullptr;
  HGDIOBJ previous = nullptr;
  int width = 0;
  int height = 0;
};

Background background;
bool eventLoopRunning = false;
// DefWindowProc keeps no font for a window of our own class.
HFONT windowFont = nullptr;

void OnMainWindowPaint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT clip;
  if (GetClipBox(dc, &clip) != NULLREGION)
    PaintBackground(hwnd, dc, clip);
  EndPaint(hwnd, &ps);
}

LRESULT OnControlColour(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (HBRUSH brush =
          ControlColourAnswer(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)))
    return reinterpret_cast<LRESULT>(brush);
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

void OnCommand(WPARAM wParam, LPARAM lParam) {
  int index = LOWORD(wParam) - kControlIdBase;
  if (HIWORD(wParam) != BN_CLICKED || index < 0 || index >= kControlCount || !lParam)
    return;
  ControlKind kind = kControlLayout[index].kind;
  if (kind == ControlKind::Button || kind == ControlKind::CheckBox)
    RaiseEvent(static_cast<Control>(index), kMainEvent);
}

LRESULT OnSetCursor(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  Control c;
  if (LOWORD(lParam) == HTCLIENT && ControlOfWindow(reinterpret_cast<HWND>(wParam), c) &&
      RecordOf(c).pointer) {
    SetCursor(RecordOf(c).pointer);
    return TRUE;
  }
  return DefWindowProcA(hwnd, WM_SETCURSOR, wParam, lParam);
}

// A child the frame did not make, or one going away, leaves the table's stacking
// incomplete: the label repaint walks the window manager's list again from then on.
void OnParentNotify(WPARAM wParam) {
  if (LOWORD(wParam) == WM_CREATE || LOWORD(wParam) == WM_DESTROY)
    MarkControlsStacked(nullptr);
}

void OnMainWindowDestroy() {
  if (eventLoopRunning)
    PostQuitMessage(0);
}

void OnMainWindowNcDestroy() {
  if (background.memory) {
    SelectObject(background.memory, background.previous);
    DeleteDC(background.memory);
  }
  if (background.bitmap)
    DeleteObject(background.bitmap);
  background = Background{};
  for (int i = 0; i < kControlCount; ++i)
    ReleaseControlRecord(static_cast<Control>(i));
  RecordOf(Control::MainWindow) = ControlRecord{};
}

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    switch (message) {
    case WM_PAINT: OnMainWindowPaint(hwnd); return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: return OnControlColour(hwnd, message, wParam, lParam);
    case WM_COMMAND: OnCommand(wParam, lParam); return 0;
    case WM_SETCURSOR: return OnSetCursor(hwnd, wParam, lParam);
    case WM_SETFONT: windowFont = reinterpret_cast<HFONT>(wParam); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(windowFont);
    case WM_QUERYENDSESSION: return TRUE;
    case WM_PARENTNOTIFY: OnParentNotify(wParam); return 0;
    case WM_DESTROY: OnMainWindowDestroy(); return 0;
    case WM_NCDESTROY:
      OnMainWindowNcDestroy();
      return DefWindowProcA(hwnd, message, wParam, lParam);
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
    }
  } catch (const std::bad_alloc&) {
    FatalError("分配内存");
  }
}

bool RegisterMainWindowClass() {
  return RegisterWindowClass(kMainWindowClass, MainWindowProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                             LoadCursorA(nullptr, IDC_ARROW),
                             static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
}

void SetIcons(HWND hwnd) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  auto load = [instance](int sizeMetric) {
    int size = GetSystemMetrics(sizeMetric);
    return reinterpret_cast<LPARAM>(
        LoadImageA(instance, "DEFAULT_ICON", IMAGE_ICON, size, size, LR_SHARED));
  };
  SendMessageA(hwnd, WM_SETICON, ICON_BIG, load(SM_CXICON));
  SendMessageA(hwnd, WM_SETICON, ICON_SMALL, load(SM_CXSMICON));
}

HWND CreateControl(HWND window, const ControlLayout& entry) {
  switch (entry.kind) {
  case ControlKind::Button: return CreateButtonControl(window, entry);
  case ControlKind::CheckBox: return CreateCheckBoxControl(window, entry);
  case ControlKind::ComboBox: return CreateComboBoxControl(window, entry);
  case ControlKind::Timer: return CreateTimerControl(window, entry);
  case ControlKind::TransLabel: {
    RECT place = {entry.place.left, entry.place.top, entry.place.left + entry.place.width,
                  entry.place.top + entry.place.height};
    LabelSettings stored = StoredLabelSettings(entry);
    HWND hwnd = CreateTransLabel(window, kControlIdBase + ControlIndex(entry.name), place,
                                 entry.disabled, entry.tabStop, &stored);
    RecordOf(entry.name).hwnd = hwnd;
    return hwnd;
  }
  }
  return nullptr;
}

} // namespace

void SetEventLoopRunning(bool running) {
  eventLoopRunning = running;
}

HWND CreateMainWindow(const WindowLayout& layout) {
  if (!RegisterMainWindowClass())
    return nullptr;
  WindowPlace place = CentredPlace(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                   layout.width, layout.height);
  DWORD style = WS_CLIPCHILDREN | (layout.minimiseBox ? WS_MINIMIZEBOX : 0);
  HWND hwnd =
      CreateWindowExA(0, kMainWindowClass, layout.title, style, place.left, place.top, layout.width,
                      layout.height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!hwnd)
    return nullptr;
  RecordOf(Control::MainWindow).hwnd = hwnd;
  MarkControlsStacked(nullptr);
  // Windows gives a top-level window that is no pop-up a title bar; take it (and the
  // border with it) away again.
  LONG_PTR current = GetWindowLongPtrA(hwnd, GWL_STYLE);
  SetWindowLongPtrA(hwnd, GWL_STYLE, (current & ~WS_CAPTION) | (style & WS_MINIMIZEBOX));
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT outer;
  GetWindowRect(hwnd, &outer);
  if (outer.right - outer.left != layout.width || outer.bottom - outer.top != layout.height)
    SetWindowPos(hwnd, nullptr, place.left, place.top, layout.width, layout.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  SetIcons(hwnd);
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return hwnd;
}

const char* CreateLayoutControls(HWND window) {
  for (int i = kControlCount - 1; i >= 0; --i)
    if (!CreateControl(window, kControlLayout[i]))
      return "创建控件";
  HWND above = HWND_TOP;
  for (int i = 0; i < kControlCount; ++i) {
    HWND hwnd = g_controls[i].hwnd;
    SetWindowPos(hwnd, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    above = hwnd;
  }
  MarkControlsStacked(window);
  return nullptr;
}

void PaintBackground(HWND window, HDC dc, const RECT& clip) {
  if (!background.tried) {
    background.tried = true;
    Image image;
    if (LoadPicture(kMainWindowLayout.picture, image)) {
      BlendOver(image, ResolveColour(kMainWindowLayout.backColour));
      background.bitmap = CreateDeviceBitmap(image);
      background.width = image.width;
      background.height = image.height;
    }
    if (background.bitmap) {
      background.memory = CreateCompatibleDC(dc);
      background.previous =
          background.memory ? SelectObject(background.memory, background.bitmap) : nullptr;
    }
  }
  if (!background.memory) {
    HBRUSH brush = CreateSolidBrush(ResolveColour(kMainWindowLayout.backColour));
    FillRect(dc, &clip, brush);
    DeleteObject(brush);
    return;
  }
  RECT client;
  GetClientRect(window, &client);
  for (int y = 0; y < client.bottom; y += background.height)
    for (int x = 0; x < client.right; x += background.width) {
      RECT tile = {x, y, x + background.width, y + background.height}, part;
      if (IntersectRect(&part, &tile, &clip))
        BitBlt(dc, part.left, part.top, part.right - part.left, part.bottom - part.top,
               background.memory, part.left - x, part.top - y, SRCCOPY);
    }
}
