// The forced power-off request: the exact order and arguments of the Windows calls,
// decided here over a small table of those calls so that it runs on any host.
// power_off_win.cpp fills the table with the real calls.
#pragma once

#include <cstdint>

// Windows values the request passes or reads; checked against <windows.h> in
// power_off_win.cpp.
inline constexpr uint32_t kExitShutdown = 0x1;         // EWX_SHUTDOWN
inline constexpr uint32_t kExitForce = 0x4;            // EWX_FORCE
inline constexpr uint32_t kExitPowerOff = 0x8;         // EWX_POWEROFF
inline constexpr uint32_t kPlatformNt = 2;             // VER_PLATFORM_WIN32_NT
inline constexpr uint32_t kTokenAdjustAndQuery = 0x28; // TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY
inline constexpr uint32_t kErrorNotAllAssigned = 1300; // ERROR_NOT_ALL_ASSIGNED
inline constexpr uint32_t kVersionRecordSize = 148;    // sizeof(OSVERSIONINFOA)
inline constexpr uint32_t kPrivilegeEnabled = 2;       // SE_PRIVILEGE_ENABLED
inline constexpr const char* kShutdownPrivilegeName = "SeShutdownPrivilege";

// A privilege's locally unique identifier (LUID).
struct PrivilegeId {
  uint32_t low = 0;
  int32_t high = 0;
};

// TOKEN_PRIVILEGES with its one entry.
struct PrivilegeRecord {
  uint32_t count = 0;
  PrivilegeId id;
  uint32_t attributes = 0;
};

// One member per Windows call, each a plain wrapper, so that what is called, in which
// order and with which arguments is decided by the portable code below.
struct ShutdownApi {
  // GetVersionExA into a record whose size field is recordSize and other fields zero;
  // returns its dwPlatformId.
  uint32_t (*platformId)(uint32_t recordSize);
  // OpenProcessToken(GetCurrentProcess(), access, token); false when it fails.
  bool (*openProcessToken)(uint32_t access, void** token);
  // LookupPrivilegeValueA(systemName, name, id); the result is not reported.
  void (*lookupPrivilegeValue)(const char* systemName, const char* name, PrivilegeId* id);
  // AdjustTokenPrivileges(token, disableAll, newState, bufferLength, previousState,
  // returnLength); the result is not reported, GetLastError tells.
  void (*adjustTokenPrivileges)(void* token, bool disableAll, const PrivilegeRecord* newState,
                                uint32_t bufferLength, void* previousState, uint32_t* returnLength);
  // GetLastError().
  uint32_t (*lastError)();
  // ExitWindowsEx(flags, reason); true when Windows accepted the request.
  bool (*exitWindows)(uint32_t flags, uint32_t reason);
  // CloseHandle(handle).
  void (*closeHandle)(void* handle);
};

// ExitWindowsEx flags of a power-off: a power-off on the NT family, a plain shut-down
// on the Windows 95 family (which cannot switch off), with the force bit when asked.
uint32_t PowerOffFlags(bool ntFamily, bool force);

// True when the process may ask for a shut-down: always on the Windows 95 family,
// on the NT family only once the shut-down privilege is enabled in its token.
bool EnableShutdownPrivilege(const ShutdownApi& api);

// Mode 1 asks Windows to switch off; true when Windows accepted. Any other mode, or a
// failed privilege step, returns false without asking Windows.
bool RequestPowerOff(const ShutdownApi& api, int mode, bool force);
