// The process's start routine.
#include <windows.h>

#include <new>

#include "app/fatal_error_win.h"
#include "app/frame_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    return ProgramMain(kWindowsFrameSteps);
  } catch (const std::bad_alloc&) {
    FatalError("分配内存");
  }
}
