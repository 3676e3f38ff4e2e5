#include "app/frame_win.h"

#include <windows.h>
#include <ole2.h>

#include <cfenv>
#include <cstring>

#include "app/event_binding.h"
#include "app/fatal_error_win.h"
#include "countdown/countdown_state.h"
#include "ui/control_ops.h"
#include "ui/controls_win.h"
#include "ui/layout.h"
#include "ui/main_window_win.h"
#include "ui/trans_label_win.h"

namespace {

void (*endRoutine)() = nullptr;
bool oleInitialised = false;
DWORD uiThread = 0;

void InitialiseFrame() {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length > 0 && length < MAX_PATH) {
    if (char* slash = std::strrchr(path, '\\')) {
      *slash = '\0';
      SetCurrentDirectoryA(path);
    }
  }
  oleInitialised = SUCCEEDED(OleInitialize(nullptr));
  uiThread = GetCurrentThreadId();
}

bool ReadLayout() {
  return LayoutIsReadable(kMainWindowLayout, kControlLayout, kControlCount);
}

void ResetFloatingPoint() {
  std::fesetenv(FE_DFL_ENV);
}

void SetEndRoutine(void (*routine)()) {
  endRoutine = routine;
}

void EndFrame(bool runEndRoutine) {
  HoldEvents();
  if (runEndRoutine && endRoutine)
    endRoutine();
  endRoutine = nullptr;
  // The icons are shared resources of the module; what the frame made itself are the
  // controls' pointers, released with their controls.
  if (oleInitialised) {
    OleUninitialize();
    oleInitialised = false;
  }
}

void ShowFatalError(const char* message) {
  MessageBoxA(nullptr, message, "倒计时关机", MB_OK | MB_ICONERROR);
}

void ExitWithCode(int exitCode) {
  ExitProcess(static_cast<UINT>(exitCode));
}

void ProcessWaitingMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// A label has ended: release the pointer the frame made for it.
void OnLabelEnded(HWND label) {
  Control c;
  for (int i = 0; i < kControlCount; ++i)
    if (g_controls[i].hwnd == label) {
      c = static_cast<Control>(i);
      if (RecordOf(c).pointer)
        DestroyCursor(RecordOf(c).pointer);
      RecordOf(c).pointer = nullptr;
    }
}

void MakePointers() {
  for (const ControlLayout& entry : kControlLayout)
    if (entry.pointer == kHandPointer)
      RecordOf(entry.name).pointer = static_cast<HCURSOR>(
          LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kHandCursorResource), IMAGE_CURSOR,
                     0, 0, LR_DEFAULTSIZE));
}

void RaiseFocusGained(HWND window) {
  HWND focus = GetFocus();
  if (!focus || (focus != window && !IsChild(window, focus)))
    return;
  Control c = Control::MainWindow;
  ControlOfWindow(focus, c);
  RaiseEvent(c, kFocusGained);
}

} // namespace

const FrameSteps kWindowsFrameSteps = {
    .initialiseFrame = InitialiseFrame,
    .readLayout = ReadLayout,
    .resetFloatingPoint = ResetFloatingPoint,
    .initialiseCountdown = InitCountdownState,
    .setEndRoutine = SetEndRoutine,
    .loadMainWindow = LoadMainWindow,
    .runEventLoop = RunEventLoop,
    .endFrame = EndFrame,
    .showFatalError = ShowFatalError,
    .exitProcess = ExitWithCode,
};

const char* LoadMainWindow() {
  ProcessWaitingMessages();
  HoldEvents();
  HWND window = CreateMainWindow(kMainWindowLayout);
  if (!window)
    return "创建主窗口";
  SetLabelEndedCallback(OnLabelEnded);
  if (const char* failed = CreateLayoutControls(window))
    return failed;
  MakePointers();
  for (const ControlLayout& entry : kControlLayout)
    if (entry.visible && entry.kind != ControlKind::Timer)
      ShowWindow(ControlWindow(entry.name), SW_SHOWNA);
  ProcessWaitingMessages();
  ReleaseEvents();

  // The lists are filled here, before the user first sees the window.
  RaiseEvent(Control::MainWindow, kMainEvent);
  if (!IsWindow(window))
    return nullptr;
  ShowWindow(window, SW_SHOW);
  HWND focus = GetFocus();
  RaiseFocusGained(window);
  if (focus && IsWindow(focus))
    SetFocus(focus);
  return nullptr;
}

void EndProgram(int exitCode) {
  EndFrame(true);
  ExitProcess(static_cast<UINT>(exitCode));
}

void FatalError(const char* failedStep) {
  FailFatally(kWindowsFrameSteps, failedStep);
  ExitProcess(static_cast<UINT>(-1));
}
