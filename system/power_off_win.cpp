// The power-off request over the real Windows calls. Links with advapi32 (token and
// privilege calls) and user32 (ExitWindowsEx).
#include <windows.h>

#include "system/power_off.h"
#include "ui/control_ops.h"

static_assert(kExitShutdown == EWX_SHUTDOWN);
static_assert(kExitForce == EWX_FORCE);
static_assert(kExitPowerOff == EWX_POWEROFF);
static_assert(kPlatformNt == VER_PLATFORM_WIN32_NT);
static_assert(kTokenAdjustAndQuery == (TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY));
static_assert(kErrorNotAllAssigned == ERROR_NOT_ALL_ASSIGNED);
static_assert(kVersionRecordSize == sizeof(OSVERSIONINFOA));
static_assert(kPrivilegeEnabled == SE_PRIVILEGE_ENABLED);
static_assert(sizeof(DWORD) == sizeof(uint32_t));

namespace {

uint32_t PlatformId(uint32_t recordSize) {
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = recordSize;
  // On failure the zeroed platform id reads as "not NT", which needs no privilege.
  GetVersionExA(&version);
  return version.dwPlatformId;
}

bool OpenOwnToken(uint32_t access, void** token) {
  return OpenProcessToken(GetCurrentProcess(), access, token) != FALSE;
}

void LookupPrivilege(const char* systemName, const char* name, PrivilegeId* id) {
  LUID luid = {id->low, id->high};
  LookupPrivilegeValueA(systemName, name, &luid);
  *id = {luid.LowPart, luid.HighPart};
}

void AdjustPrivileges(void* token, bool disableAll, const PrivilegeRecord* newState,
                      uint32_t bufferLength, void* previousState, uint32_t* returnLength) {
  TOKEN_PRIVILEGES privileges = {};
  privileges.PrivilegeCount = newState->count;
  privileges.Privileges[0].Luid = {newState->id.low, newState->id.high};
  privileges.Privileges[0].Attributes = newState->attributes;
  // DWORD is 32 bits on every Windows ABI (asserted above).
  AdjustTokenPrivileges(token, disableAll ? TRUE : FALSE, &privileges, bufferLength,
                        static_cast<PTOKEN_PRIVILEGES>(previousState),
                        reinterpret_cast<PDWORD>(returnLength));
}

uint32_t LastError() {
  return GetLastError();
}

bool AskToExitWindows(uint32_t flags, uint32_t reason) {
  return ExitWindowsEx(flags, reason) != FALSE;
}

void CloseOneHandle(void* handle) {
  CloseHandle(handle);
}

const ShutdownApi kWindowsShutdownApi = {PlatformId,       OpenOwnToken, LookupPrivilege,
                                         AdjustPrivileges, LastError,    AskToExitWindows,
                                         CloseOneHandle};

} // namespace

bool RequestPowerOff(int mode, bool force) {
  return RequestPowerOff(kWindowsShutdownApi, mode, force);
}
