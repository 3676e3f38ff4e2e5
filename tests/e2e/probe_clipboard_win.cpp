#include "tests/e2e/probe_clipboard_win.h"

#include <windows.h>

std::string SetClipboardText(const std::string& text) {
  // The clipboard needs an owner window for SetClipboardData; the probe keeps one hidden
  // window for as long as it lives, so that the text stays there until it is pasted.
  static HWND owner = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
  int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (n + 1) * sizeof(wchar_t));
  if (!owner || !memory)
    return "err no-memory";
  auto* wide = static_cast<wchar_t*>(GlobalLock(memory));
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide, n);
  wide[n] = L'\0';
  GlobalUnlock(memory);
  if (!OpenClipboard(owner)) {
    GlobalFree(memory);
    return "err open-clipboard";
  }
  EmptyClipboard();
  bool set = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  CloseClipboard();
  if (!set) {
    GlobalFree(memory);
    return "err set-clipboard";
  }
  return "ok";
}
