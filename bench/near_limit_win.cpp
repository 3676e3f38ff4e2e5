// The near limit of the program's figures: a plain Win32 program with the same kinds of
// controls in the same places (three drop-down boxes filled with 24, 60 and 60 items
// before the window shows, two buttons, two check boxes, five static texts) on a
// borderless 450 x 228 window, and a timer that writes the hours, minutes and seconds of
// a running count into three of the texts once a second, as a plain program would.
// It carries the program's manifest, so its controls are the same themed ones.
// Optional arguments "X Y" put the window there instead of the centre of the screen.
#include <windows.h>

#include "bench/baseline_place_win.h"

namespace {

constexpr char kNearLimitClass[] = "BenchNearLimitWindow";
constexpr UINT_PTR kTickTimer = 1;
constexpr int kFirstId = 100;

struct ChildSpec {
  const char* className;
  const char* text;
  DWORD style;
  int left, top, width, height;
};

// The program's places; the drop-down boxes get the program's 160-pixel list height.
constexpr DWORD kCombo = CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kDigits = SS_CENTER | SS_CENTERIMAGE;
const ChildSpec kChildren[] = {
    {"COMBOBOX", "", kCombo, 40, 56, 48, 160},
    {"COMBOBOX", "", kCombo, 168, 56, 48, 160},
    {"COMBOBOX", "", kCombo, 302, 56, 48, 160},
    {"BUTTON", "开始", kButton, 256, 8, 80, 32},
    {"BUTTON", "结束", kButton, 344, 8, 80, 32},
    {"BUTTON", "置顶", kCheck, 16, 8, 56, 24},
    {"BUTTON", "是否关机", kCheck, 144, 8, 80, 24},
    {"STATIC", "0", kDigits, 39, 92, 48, 52},
    {"STATIC", "0", kDigits, 169, 92, 48, 52},
    {"STATIC", "0", kDigits, 300, 92, 48, 52},
    {"STATIC", "退出", SS_LEFT, 416, 200, 32, 20},
    {"STATIC", "Quillmere原创", SS_LEFT, 156, 210, 88, 16},
};
constexpr int kChildCount = sizeof kChildren / sizeof kChildren[0];
constexpr int kFirstDigits = 7;
constexpr int kListItems[3] = {24, 60, 60};

HWND children[kChildCount];
HBRUSH backBrush;
HFONT digitsFont;
int remaining = 23 * 3600 + 59 * 60 + 59;

void OnTick() {
  const int parts[3] = {remaining / 3600, remaining % 3600 / 60, remaining % 60};
  for (int k = 0; k < 3; ++k) {
    char text[16];
    wsprintfA(text, "%d", parts[k]);
    SetWindowTextA(children[kFirstDigits + k], text);
  }
  if (remaining > 0)
    --remaining;
}

LRESULT OnStaticColour(HWND control, HDC dc) {
  bool digits = false;
  for (int k = 0; k < 3; ++k)
    digits = digits || control == children[kFirstDigits + k];
  SetTextColor(dc, digits ? RGB(96, 96, 96) : RGB(192, 192, 192));
  SetBkColor(dc, RGB(22, 22, 22));
  return reinterpret_cast<LRESULT>(backBrush);
}

LRESULT CALLBACK NearLimitWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_TIMER: OnTick(); return 0;
  case WM_CTLCOLORSTATIC:
  case WM_CTLCOLORBTN:
    return OnStaticColour(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
  case WM_DESTROY: PostQuitMessage(0); return 0;
  default: return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

bool CreateChildren(HWND window, HINSTANCE instance) {
  HGDIOBJ guiFont = GetStockObject(DEFAULT_GUI_FONT);
  digitsFont = CreateFontA(-48, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, "");
  for (int i = 0; i < kChildCount; ++i) {
    const ChildSpec& c = kChildren[i];
    children[i] = CreateWindowExA(
        0, c.className, c.text, WS_CHILD | WS_VISIBLE | c.style, c.left, c.top, c.width, c.height,
        window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstId + i)), instance, nullptr);
    if (!children[i])
      return false;
    bool digits = i >= kFirstDigits && i < kFirstDigits + 3;
    SendMessageA(children[i], WM_SETFONT,
                 reinterpret_cast<WPARAM>(digits && digitsFont ? digitsFont : guiFont), FALSE);
  }
  for (int list = 0; list < 3; ++list) {
    for (int item = 0; item < kListItems[list]; ++item) {
      char text[16];
      wsprintfA(text, "%d", item);
      SendMessageA(children[list], CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    SendMessageA(children[list], CB_SETCURSEL, 0, 0);
  }
  return true;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  backBrush = CreateSolidBrush(RGB(22, 22, 22));
  WNDCLASSA wc = {};
  wc.lpfnWndProc = NearLimitWindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = backBrush;
  wc.lpszClassName = kNearLimitClass;
  if (!RegisterClassA(&wc))
    return 1;

  POINT place = BaselinePlace(commandLine);
  HWND window = CreateWindowExA(0, kNearLimitClass, "", WS_POPUP | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                                place.x, place.y, kBaselineWidth, kBaselineHeight, nullptr, nullptr,
                                instance, nullptr);
  if (!window || !CreateChildren(window, instance))
    return 1;
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
               FALSE);
  SetTimer(window, kTickTimer, 1000, nullptr);
  ShowWindow(window, SW_SHOW);

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
      SendMessageA(window, WM_CLOSE, 0, 0);
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
