#include "tests/e2e/probe_exe_win.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "tests/e2e/probe_read_win.h"

namespace {

std::wstring Wide(const std::string& utf8) {
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(n, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
  return out;
}

std::string Utf8(const std::wstring& wide) {
  int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

std::string Dotted(DWORD high, DWORD low) {
  char text[64];
  std::snprintf(text, sizeof text, "%lu.%lu.%lu.%lu", static_cast<unsigned long>(HIWORD(high)),
                static_cast<unsigned long>(LOWORD(high)), static_cast<unsigned long>(HIWORD(low)),
                static_cast<unsigned long>(LOWORD(low)));
  return text;
}

const wchar_t* const kBlocks[] = {L"080404b0", L"040904b0"};
const wchar_t* const kKeys[] = {L"ProductName",     L"ProductVersion",  L"FileVersion",
                                L"FileDescription", L"CompanyName",     L"InternalName",
                                L"LegalCopyright",  L"OriginalFilename"};

} // namespace

std::string FileVersion(const std::string& path) {
  std::wstring file = Wide(path);
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
  if (size == 0)
    return "err no-version-resource " + std::to_string(GetLastError());
  std::vector<char> data(size);
  if (!GetFileVersionInfoW(file.c_str(), 0, size, data.data()))
    return "err unreadable";
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(data.data(), L"\\", &value, &length) || length < sizeof(VS_FIXEDFILEINFO))
    return "err no-fixed-part";
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  char head[200];
  std::snprintf(head, sizeof head, "ok signature=%lx fileversion=%s productversion=%s filetype=%lu",
                static_cast<unsigned long>(fixed->dwSignature),
                Dotted(fixed->dwFileVersionMS, fixed->dwFileVersionLS).c_str(),
                Dotted(fixed->dwProductVersionMS, fixed->dwProductVersionLS).c_str(),
                static_cast<unsigned long>(fixed->dwFileType));
  std::string out = head;
  out += " translations=";
  if (VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", &value, &length)) {
    const auto* pairs = static_cast<const WORD*>(value);
    for (UINT i = 0; i + 1 < length / sizeof(WORD); i += 2) {
      char pair[16];
      std::snprintf(pair, sizeof pair, "%s%04x%04x", i ? "," : "", pairs[i], pairs[i + 1]);
      out += pair;
    }
  }
  for (const wchar_t* block : kBlocks)
    for (const wchar_t* key : kKeys) {
      std::wstring query = std::wstring(L"\\StringFileInfo\\") + block + L"\\" + key;
      out += " " + Utf8(block) + "." + Utf8(key) + "=";
      if (VerQueryValueW(data.data(), query.c_str(), &value, &length) && length > 0)
        out += Hex(Utf8(static_cast<const wchar_t*>(value)));
      else
        out += "none";
    }
  return out;
}

std::string ResourceData(const std::string& path, int type, int id) {
  HMODULE module = LoadLibraryExW(Wide(path).c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (!module)
    return "err unloadable " + std::to_string(GetLastError());
  std::string out = "err no-resource";
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(type));
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (bytes) {
    DWORD size = SizeofResource(module, found);
    out = "ok size=" + std::to_string(size) +
          " data=" + Hex(std::string(static_cast<const char*>(bytes), size));
  }
  FreeLibrary(module);
  return out;
}
