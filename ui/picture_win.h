// The pictures carried in the program's resources, decoded and turned into bitmaps.
#pragma once

#include <windows.h>

#include "ui/layout.h"
#include "ui/png_image.h"

// Decodes a picture resource into 32-bit pixels; false when it is missing or broken.
bool LoadPicture(Picture picture, Image& out);

// A device bitmap of the image for the screen; null on failure.
HBITMAP CreateDeviceBitmap(const Image& image);
