// Registration of the program's own window classes.
#pragma once

#include <windows.h>

// Registers the class once; a second call for the same name reuses the registration.
inline bool RegisterWindowClass(const char* name, WNDPROC procedure, UINT style, HCURSOR cursor,
                                HBRUSH background) {
  WNDCLASSA wc = {};
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (GetClassInfoA(instance, name, &wc))
    return true;
  wc.style = style;
  wc.lpfnWndProc = procedure;
  wc.hInstance = instance;
  wc.hCursor = cursor;
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  return RegisterClassA(&wc) != 0;
}
