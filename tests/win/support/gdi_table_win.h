// The GDI handle table that the PEB points to, read from this process or another one.
// GetGuiResources(GR_GDIOBJECTS) answers 0 under Wine; Windows and Wine both keep this
// table in the same 24-byte entry layout.
#pragma once

#include <windows.h>

#include <cstdint>

// Live objects of one process by base type, stock objects excluded.
struct GdiTally {
  int total = 0;
  int dcs = 0;
  int regions = 0;
  int bitmaps = 0;
  int fonts = 0;
  int brushes = 0; // pens share the brush type
};

// Reads the table of `process` (which needs PROCESS_QUERY_INFORMATION and PROCESS_VM_READ;
// GetCurrentProcess() will do) and tallies the entries of process `pid`. False when the
// table cannot be read.
bool TallyGdiObjects(HANDLE process, DWORD pid, GdiTally& out);
