#include "tests/win/support/gdi_objects_win.h"

#include "tests/win/support/gdi_table_win.h"

namespace {

int Count(int wantedType) {
  GdiTally tally;
  if (!TallyGdiObjects(GetCurrentProcess(), GetCurrentProcessId(), tally))
    return -1;
  switch (wantedType) {
  case kGdiDc: return tally.dcs;
  case kGdiRegion: return tally.regions;
  case kGdiBitmap: return tally.bitmaps;
  case kGdiFont: return tally.fonts;
  case kGdiBrush: return tally.brushes;
  default: return tally.total;
  }
}

} // namespace

int CountGdiObjects() {
  return Count(-1);
}

int CountGdiObjectsOfType(GdiObjectType type) {
  return Count(type);
}
