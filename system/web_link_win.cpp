// The web link over the real Windows calls. Links with shell32 (ShellExecuteA) and
// user32 (FindWindowExA).
#include <windows.h>
#include <shellapi.h>

#include "system/web_link.h"
#include "ui/control_ops.h"

static_assert(kShowNormal == SW_SHOWNORMAL);

namespace {

void* FindOwnerWindow(void* parent, void* childAfter, const char* className, const char* title) {
  return FindWindowExA(static_cast<HWND>(parent), static_cast<HWND>(childAfter), className, title);
}

void ShellOpen(void* owner, const char* verb, const char* file, const char* parameters,
               const char* directory, int show) {
  // The result (greater than 32 on success) is not looked at: the shell shows its own errors.
  ShellExecuteA(static_cast<HWND>(owner), verb, file, parameters, directory, show);
}

const ShellApi kWindowsShellApi = {FindOwnerWindow, ShellOpen};

} // namespace

void OpenWebPage(const char* address) {
  OpenWebPage(kWindowsShellApi, address);
}
