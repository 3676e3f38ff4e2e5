// The floor of the start-up and memory figures: the least a Win32 program can be that
// shows a borderless 450 x 228 window centred on the screen and closes on Esc.
// Optional arguments "X Y" put the window there instead, so that it can run beside
// other windows without being covered by them.
#include <windows.h>

#include "bench/baseline_place_win.h"

namespace {

constexpr char kFloorClass[] = "BenchFloorWindow";

LRESULT CALLBACK FloorWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_DESTROY: PostQuitMessage(0); return 0;
  default: return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = FloorWindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = CreateSolidBrush(RGB(22, 22, 22));
  wc.lpszClassName = kFloorClass;
  if (!RegisterClassA(&wc))
    return 1;

  POINT place = BaselinePlace(commandLine);
  HWND window =
      CreateWindowExA(0, kFloorClass, "", WS_POPUP | WS_MINIMIZEBOX, place.x, place.y,
                      kBaselineWidth, kBaselineHeight, nullptr, nullptr, instance, nullptr);
  if (!window)
    return 1;
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
