#include "tests/e2e/probe_read_win.h"

#include <cstdlib>
#include <vector>

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char b : bytes) {
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out;
}

std::string Unhex(const std::string& hex) {
  std::string out;
  for (size_t i = 0; i + 1 < hex.size(); i += 2)
    out += static_cast<char>(std::strtol(hex.substr(i, 2).c_str(), nullptr, 16));
  return out;
}

std::string Convert(const std::string& text, UINT from, UINT to) {
  if (text.empty())
    return text;
  int wide = MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring w(wide, L'\0');
  MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), w.data(), wide);
  int narrow = WideCharToMultiByte(to, 0, w.data(), wide, nullptr, 0, nullptr, nullptr);
  std::string out(narrow, '\0');
  WideCharToMultiByte(to, 0, w.data(), wide, out.data(), narrow, nullptr, nullptr);
  return out;
}

bool Ask(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutA(hwnd, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerWaitMs, &answer))
    return false;
  result = static_cast<LRESULT>(answer);
  return true;
}

std::string TextOf(HWND hwnd) {
  LRESULT length = 0;
  if (!Ask(hwnd, WM_GETTEXTLENGTH, 0, 0, length))
    return "timeout";
  std::vector<char> buffer(length + 2, '\0');
  LRESULT got = 0;
  if (!Ask(hwnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()), got))
    return "timeout";
  return Hex(Convert(std::string(buffer.data()), kAnsiCodePage, CP_UTF8));
}

// Read as UTF-16: Wine truncates the ANSI form of CB_GETLBTEXT sent across processes
// ("23" arrives as "2").
std::string ItemOf(HWND combo, int index) {
  LRESULT length = 0;
  if (!Ask(combo, CB_GETLBTEXTLEN, index, 0, length))
    return "timeout";
  if (length == CB_ERR)
    return "none";
  std::vector<wchar_t> buffer(length + 16, L'\0');
  DWORD_PTR got = 0;
  if (!SendMessageTimeoutW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buffer.data()),
                           SMTO_ABORTIFHUNG, kAnswerWaitMs, &got))
    return "timeout";
  std::wstring text(buffer.data());
  int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                 nullptr, nullptr);
  std::string out(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return Hex(out);
}

std::string Number(LRESULT value) {
  return std::to_string(static_cast<long long>(value));
}
