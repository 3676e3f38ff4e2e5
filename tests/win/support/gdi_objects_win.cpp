#include "tests/win/support/gdi_objects_win.h"

#include <windows.h>
#include <winternl.h>

#include <cstddef>
#include <cstring>

namespace {

// x64 layout: PEB.GdiSharedHandleTable, then per entry the kernel object pointer (0),
// the owner's process id (8, 16 bits), the handle's upper word with the stock flag in
// bit 7 of its low byte (12), and the base type (14); a free entry has type 0.
constexpr size_t kPebGdiSharedHandleTable = 0xF8;
constexpr int kGdiHandleCount = 0x10000;
constexpr size_t kEntrySize = 24;
constexpr size_t kOwnerProcessId = 8;
constexpr size_t kUpper = 12;
constexpr size_t kType = 14;
constexpr uint8_t kStockFlag = 0x80;
constexpr uint8_t kBaseTypeMask = 0x1f;

// The PEB's address from NtQueryInformationProcess, looked up at run time so that the
// tests need no import library for ntdll.
const uint8_t* HandleTable() {
  using Query = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);
  auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
  PROCESS_BASIC_INFORMATION basic = {};
  if (!query ||
      query(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0 ||
      !basic.PebBaseAddress)
    return nullptr;
  const uint8_t* table = nullptr;
  std::memcpy(&table,
              reinterpret_cast<const uint8_t*>(basic.PebBaseAddress) + kPebGdiSharedHandleTable,
              sizeof table);
  return table;
}

// On Windows the table is shared by the session and each entry names its owner; Wine
// keeps one table per process and leaves the owner 0, so 0 counts as ours there.
bool OwnedByUs(const uint8_t* entry) {
  uint16_t owner;
  std::memcpy(&owner, entry + kOwnerProcessId, sizeof owner);
  return owner == 0 || owner == static_cast<uint16_t>(GetCurrentProcessId());
}

int Count(int wantedType) {
  const uint8_t* table = HandleTable();
  if (!table)
    return -1;
  int n = 0;
  for (int i = 0; i < kGdiHandleCount; ++i) {
    const uint8_t* entry = table + static_cast<size_t>(i) * kEntrySize;
    uint8_t type = entry[kType] & kBaseTypeMask;
    if (type == 0 || (entry[kUpper] & kStockFlag) || !OwnedByUs(entry))
      continue;
    if (wantedType < 0 || type == wantedType)
      ++n;
  }
  return n;
}

} // namespace

int CountGdiObjects() {
  return Count(-1);
}

int CountGdiObjectsOfType(GdiObjectType type) {
  return Count(type);
}
