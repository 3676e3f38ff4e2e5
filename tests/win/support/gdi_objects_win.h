// Counting the GDI objects this process holds, from its GDI handle table.
#pragma once

#include <cstdint>

// Handle-table types of the objects a label's paint could leave behind.
enum GdiObjectType : uint8_t {
  kGdiDc = 0x01,
  kGdiRegion = 0x04,
  kGdiBitmap = 0x05,
  kGdiFont = 0x0a,
  kGdiBrush = 0x10, // pens share this base type
};

// Live objects owned by this process, stock objects excluded; -1 when the table cannot
// be found.
int CountGdiObjects();
// The same, only the entries of one base type.
int CountGdiObjectsOfType(GdiObjectType type);
