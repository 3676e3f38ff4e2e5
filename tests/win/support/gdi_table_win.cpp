#include "tests/win/support/gdi_table_win.h"

#include <winternl.h>

#include <cstddef>
#include <cstring>
#include <vector>

namespace {

// x64 layout: PEB.GdiSharedHandleTable, then per entry the kernel object pointer (0),
// the owner's process id (8, 16 bits), the handle's upper word with the stock flag in
// bit 7 of its low byte (12), and the base type in the low 5 bits of byte 14 (0 for a
// free entry).
constexpr size_t kPebGdiSharedHandleTable = 0xF8;
constexpr size_t kGdiHandleCount = 0x10000;
constexpr size_t kEntrySize = 24;
constexpr size_t kOwnerProcessId = 8;
constexpr size_t kUpper = 12;
constexpr size_t kType = 14;
constexpr uint8_t kStockFlag = 0x80;
constexpr uint8_t kBaseTypeMask = 0x1f;

bool ReadTable(HANDLE process, std::vector<uint8_t>& entries) {
  // Looked up at run time so that no import library for ntdll is needed.
  using Query = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);
  auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
  PROCESS_BASIC_INFORMATION basic = {};
  if (!query || query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0 ||
      !basic.PebBaseAddress)
    return false;
  uint64_t table = 0;
  SIZE_T got = 0;
  const auto* peb = reinterpret_cast<const uint8_t*>(basic.PebBaseAddress);
  if (!ReadProcessMemory(process, peb + kPebGdiSharedHandleTable, &table, sizeof table, &got) ||
      !table)
    return false;
  entries.resize(kGdiHandleCount * kEntrySize);
  return ReadProcessMemory(process, reinterpret_cast<const void*>(static_cast<uintptr_t>(table)),
                           entries.data(), entries.size(), &got) &&
         got == entries.size();
}

} // namespace

bool TallyGdiObjects(HANDLE process, DWORD pid, GdiTally& out) {
  std::vector<uint8_t> entries;
  if (!ReadTable(process, entries))
    return false;
  out = GdiTally{};
  for (size_t i = 0; i < kGdiHandleCount; ++i) {
    const uint8_t* entry = entries.data() + i * kEntrySize;
    uint16_t owner;
    std::memcpy(&owner, entry + kOwnerProcessId, sizeof owner);
    uint8_t type = entry[kType] & kBaseTypeMask;
    // On Windows the table is shared by the session and each entry names its owner; Wine
    // keeps one table per process and leaves the owner 0, so 0 counts as the process's.
    if (type == 0 || (entry[kUpper] & kStockFlag) ||
        (owner != 0 && owner != static_cast<uint16_t>(pid)))
      continue;
    ++out.total;
    out.dcs += type == 0x01;
    out.regions += type == 0x04;
    out.bitmaps += type == 0x05;
    out.fonts += type == 0x0a;
    out.brushes += type == 0x10;
  }
  return true;
}
