#include "tests/e2e/probe_ticks_win.h"
#include "tests/win/support/gdi_table_win.h"

#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "tests/e2e/probe_read_win.h"
#include "ui/timer_win.h"

namespace {

// A digit caption is a few bytes; WM_GETTEXT with a deadline, as every question.
bool ReadCaption(HWND label, std::string& out) {
  char buffer[32] = {};
  LRESULT got = 0;
  if (!Ask(label, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer), got))
    return false;
  out = buffer;
  return true;
}

struct Display {
  std::string parts[3];
};

// The display a tick that finds `count` left must show: the plain split, worked out here
// in integers, apart from the program's own arithmetic.
Display Wanted(int count) {
  if (count <= 0)
    return {{"0", "0", "0"}};
  return {{std::to_string(count / 3600), std::to_string(count % 3600 / 60),
           std::to_string(count % 60)}};
}

bool ReadDisplay(const HWND digits[3], Display& out) {
  for (int k = 0; k < 3; ++k)
    if (!ReadCaption(digits[k], out.parts[k]))
      return false;
  return true;
}

bool Same(const Display& a, const Display& b) {
  return a.parts[0] == b.parts[0] && a.parts[1] == b.parts[1] && a.parts[2] == b.parts[2];
}

std::string Shown(const Display& d) {
  return d.parts[0] + ":" + d.parts[1] + ":" + d.parts[2];
}

std::string Failed(int tick, const char* why, const Display& shown, const Display& wanted) {
  return "err tick=" + std::to_string(tick) + " " + why + " shown=" + Shown(shown) +
         " wanted=" + Shown(wanted);
}

// The process's handles counted in the system's handle list. Wine answers 0 to
// GetProcessHandleCount for another process; the list names each handle's owner.
struct SystemHandle {
  ULONG ownerPid;
  BYTE objectType;
  BYTE flags;
  USHORT value;
  void* object;
  ULONG access;
};

bool CountHandles(DWORD pid, DWORD& out) {
  using Query = LONG(WINAPI*)(SYSTEM_INFORMATION_CLASS, void*, ULONG, ULONG*);
  auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
  constexpr auto kSystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
  constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);
  if (!query)
    return false;
  std::vector<uint8_t> buffer(1 << 16);
  LONG status;
  ULONG needed = 0;
  while ((status = query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
                         &needed)) == kInfoLengthMismatch)
    buffer.resize(std::max<size_t>(buffer.size() * 2, needed + 4096));
  if (status != 0)
    return false;
  ULONG count;
  std::memcpy(&count, buffer.data(), sizeof count);
  // The entries start after the count, aligned for their pointer member.
  const size_t first = alignof(SystemHandle);
  if (first + static_cast<size_t>(count) * sizeof(SystemHandle) > buffer.size())
    return false;
  out = 0;
  for (ULONG i = 0; i < count; ++i) {
    SystemHandle entry;
    std::memcpy(&entry, buffer.data() + first + i * sizeof(SystemHandle), sizeof entry);
    out += entry.ownerPid == pid;
  }
  return true;
}

} // namespace

std::string PostTicks(HWND timer, const HWND digits[3], int first, int count) {
  if (!timer || count < 1 || first - (count - 1) < 0)
    return "err bad-range";
  Display before;
  if (!ReadDisplay(digits, before))
    return "err timeout before the first tick";
  if (Same(before, Wanted(first)))
    return "err the display already shows " + Shown(before);
  DWORD start = GetTickCount();
  for (int j = 0; j < count; ++j) {
    Display wanted = Wanted(first - j);
    if (!PostMessageA(timer, WM_TIMER, kSystemTimerId, 0))
      return "err tick=" + std::to_string(j) + " post-failed";
    DWORD posted = GetTickCount();
    // The seconds caption is written last: where the tick changes it, its change alone
    // says that the tick has been handled (one read a round, as the program is busy
    // painting). Otherwise the whole display must differ from the one before.
    bool secondsChange = wanted.parts[2] != before.parts[2];
    Display shown = before;
    for (;;) {
      if (!(secondsChange ? ReadCaption(digits[2], shown.parts[2]) : ReadDisplay(digits, shown)))
        return "err tick=" + std::to_string(j) + " timeout";
      if (secondsChange ? shown.parts[2] != before.parts[2] : !Same(shown, before))
        break;
      if (GetTickCount() - posted > kAnswerWaitMs)
        return Failed(j, "no-change", shown, wanted);
    }
    // Read again as a whole: a read of the round above may predate the tick.
    if (!ReadDisplay(digits, shown))
      return "err tick=" + std::to_string(j) + " timeout";
    if (!Same(shown, wanted))
      return Failed(j, "wrong", shown, wanted);
    before = shown;
  }
  return "ok ticks=" + std::to_string(count) + " ms=" + std::to_string(GetTickCount() - start);
}

std::string ProcessUsage(HWND window) {
  DWORD pid = 0;
  if (!window || !GetWindowThreadProcessId(window, &pid))
    return "err no-window";
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (!process)
    return "err open-process";
  GdiTally gdi;
  bool gdiRead = TallyGdiObjects(process, pid, gdi);
  DWORD handles = 0;
  bool handlesRead = CountHandles(pid, handles);
  PROCESS_MEMORY_COUNTERS_EX memory = {};
  memory.cb = sizeof memory;
  bool memoryRead = GetProcessMemoryInfo(
      process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
  CloseHandle(process);
  if (!gdiRead || !handlesRead || !memoryRead)
    return std::string("err unreadable") + (gdiRead ? "" : " gdi") +
           (handlesRead ? "" : " handles") + (memoryRead ? "" : " memory");
  char line[300];
  std::snprintf(line, sizeof line,
                "ok gdi=%d fonts=%d brushes=%d bitmaps=%d dcs=%d regions=%d handles=%lu "
                "private=%llu workingset=%llu",
                gdi.total, gdi.fonts, gdi.brushes, gdi.bitmaps, gdi.dcs, gdi.regions,
                static_cast<unsigned long>(handles),
                static_cast<unsigned long long>(memory.PrivateUsage),
                static_cast<unsigned long long>(memory.WorkingSetSize));
  return line;
}
