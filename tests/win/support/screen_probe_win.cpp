#include "tests/win/support/screen_probe_win.h"

#include <cstdlib>

COLORREF ScreenShot::At(int x, int y) const {
  int cx = x - left, cy = y - top;
  if (cx < 0 || cy < 0 || cx >= width || cy >= height)
    return CLR_INVALID;
  uint32_t p = pixels[static_cast<size_t>(cy) * width + cx];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

int ScreenShot::Count(const RECT& area, const std::function<bool(COLORREF)>& test) const {
  int n = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) {
      COLORREF c = At(x, y);
      if (c != CLR_INVALID && test(c))
        ++n;
    }
  return n;
}

void PumpMessages(int ms) {
  DWORD end = GetTickCount() + ms;
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(10);
  } while (static_cast<int>(end - GetTickCount()) > 0);
}

ScreenShot TakeScreenShot(const RECT& area) {
  PumpMessages(100);
  ScreenShot shot;
  shot.left = area.left;
  shot.top = area.top;
  shot.width = area.right - area.left;
  shot.height = area.bottom - area.top;
  shot.pixels.assign(static_cast<size_t>(shot.width) * shot.height, 0);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = shot.width;
  info.bmiHeader.biHeight = -shot.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, dib);
  BitBlt(memory, 0, 0, shot.width, shot.height, screen, area.left, area.top, SRCCOPY);
  GdiFlush();
  const uint32_t* p = static_cast<const uint32_t*>(bits);
  for (size_t i = 0; i < shot.pixels.size(); ++i)
    shot.pixels[i] = p[i] & 0xFFFFFF;
  SelectObject(memory, previous);
  DeleteObject(dib);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return shot;
}

ScreenShot TakeWindowShot(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  return TakeScreenShot(r);
}

bool SameColour(COLORREF a, COLORREF b, int tolerance) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
         std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}
