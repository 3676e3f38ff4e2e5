#include "ui/picture_win.h"

bool LoadPicture(Picture picture, Image& out) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(static_cast<int>(picture)), RT_RCDATA);
  if (!found)
    return false;
  HGLOBAL loaded = LoadResource(module, found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data)
    return false;
  return DecodePng(data, SizeofResource(module, found), out);
}

HBITMAP CreateDeviceBitmap(const Image& image) {
  if (image.width <= 0 || image.height <= 0)
    return nullptr;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = image.width;
  info.bmiHeader.biHeight = -image.height; // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap =
      CreateDIBitmap(screen, &info.bmiHeader, CBM_INIT, image.pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return bitmap;
}
