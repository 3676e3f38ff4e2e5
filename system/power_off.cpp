#include "system/power_off.h"

#include "ui/control_ops.h" // kPowerOffMode

namespace {

// A fresh version query each time: the record's size field set and the rest zero.
bool IsNtFamily(const ShutdownApi& api) {
  return api.platformId(kVersionRecordSize) == kPlatformNt;
}

} // namespace

uint32_t PowerOffFlags(bool ntFamily, bool force) {
  const uint32_t action = ntFamily ? kExitPowerOff : kExitShutdown;
  return force ? (action | kExitForce) : action;
}

bool EnableShutdownPrivilege(const ShutdownApi& api) {
  if (!IsNtFamily(api)) {
    return true; // the Windows 95 family has no privileges to enable
  }
  void* token = nullptr;
  if (!api.openProcessToken(kTokenAdjustAndQuery, &token)) {
    return false;
  }
  PrivilegeRecord record;
  record.count = 1;
  record.attributes = kPrivilegeEnabled;
  // A failed lookup leaves a zero identifier; the adjustment's error then tells.
  api.lookupPrivilegeValue(nullptr, kShutdownPrivilegeName, &record.id);
  api.adjustTokenPrivileges(token, false, &record, 0, nullptr, nullptr);
  // AdjustTokenPrivileges succeeds even when the account lacks the privilege; only the
  // last error (ERROR_NOT_ALL_ASSIGNED) says so, and it must be read before any other call.
  const uint32_t error = api.lastError();
  api.closeHandle(token);
  return error == 0;
}

bool RequestPowerOff(const ShutdownApi& api, int mode, bool force) {
  if (mode != kPowerOffMode) {
    return false;
  }
  if (!EnableShutdownPrivilege(api)) {
    return false;
  }
  return api.exitWindows(PowerOffFlags(IsNtFamily(api), force), 0);
}
