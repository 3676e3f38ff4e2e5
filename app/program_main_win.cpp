// The process's start routine.
#include <windows.h>

#include <cstdlib>
#include <new>

#include "app/fatal_error_win.h"
#include "app/frame_win.h"

// A GUI program has no console for the default handler's demangled message, and the
// demangler it brings is a tenth of the program's size: end quietly instead, as abort
// does after the message.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
  std::abort();
}
} // namespace __gnu_cxx

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    return ProgramMain(kWindowsFrameSteps);
  } catch (const std::bad_alloc&) {
    FatalError("分配内存");
  }
}
