// The main window's layout: its own settings, the thirteen controls in stacking order
// (the first on top) with every setting of their kinds, and the pictures. Everything
// the window shows is built from this one read-only table.
#pragma once

#include <cstdint>

#include "ui/control_names.h"
#include "ui/label_settings.h"

enum class ControlKind { Button, CheckBox, ComboBox, Timer, TransLabel };

// A COLORREF (0x00BBGGRR), or the system's 3D face colour, resolved when it is used.
using LayoutColour = uint32_t;
constexpr LayoutColour kSystemFaceColour = 0xFF000000u;
constexpr LayoutColour Rgb(uint8_t r, uint8_t g, uint8_t b) {
  return r | (uint32_t{g} << 8) | (uint32_t{b} << 16);
}

// The pictures carried in the program, by resource id.
enum class Picture : int {
  None = 0,
  MainWindowBackground = 101,
  PinOnTopPicture = 102,
  PowerOffPicture = 103,
};

// The standard hand pointer; the frame maps it to the program's own cursor resource.
constexpr int kHandPointer = 32649;
constexpr int kHandCursorResource = 1032;

struct LayoutRect {
  int32_t left, top, width, height;
};

struct CheckBoxLayout {
  Picture picture = Picture::None;
  LayoutColour textColour = 0;
  LayoutColour backColour = 0;
};

struct ComboBoxLayout {
  LayoutColour textColour = 0;
  LayoutColour backColour = 0;
  int32_t lineSpacing = 0;
  int32_t maxTextLength = 0; // 0: the largest limit Windows allows
  int32_t selection = -1;
  const char* content = "";
};

struct TimerLayout {
  int32_t periodMs = 0;
};

// A transparent label's stored settings; the font is a 60-byte LOGFONTA record or none.
struct LabelLayout {
  const LogFontRecord* font = nullptr;
  uint32_t textColour = 0;
  int32_t horizontalAlign = 0;
  int32_t effect = 0;
  int32_t wordWrap = 0;
  int32_t verticalAlign = 1;
};

struct ControlLayout {
  Control name;
  const char* nameText;
  ControlKind kind;
  LayoutRect place;
  const char* caption;
  bool visible = false;
  bool disabled = false;
  bool tabStop = false;
  int32_t tabOrder = 0;
  int32_t pointer = 0; // 0: the kind's own pointer
  // The settings of the control's kind; the others stay empty.
  CheckBoxLayout checkBox = {};
  ComboBoxLayout comboBox = {};
  TimerLayout timer = {};
  LabelLayout label = {};
};

struct WindowLayout {
  const char* title;
  int32_t width, height;
  int32_t storedLeft, storedTop; // never used: the window starts centred
  bool centred;
  bool minimiseBox;
  bool moveByDragging;
  bool escapeCloses;
  bool alwaysOnTop;
  LayoutColour backColour;
  Picture picture;
};

extern const WindowLayout kMainWindowLayout;
extern const ControlLayout kControlLayout[kControlCount];

const ControlLayout& LayoutOf(Control c);

// The label settings a transparent label starts with, from its layout entry.
LabelSettings StoredLabelSettings(const ControlLayout& entry);

// Checks that the table is usable: every name at its own index, sizes positive, the
// label settings readable. The frame treats a false answer as a fatal error.
bool LayoutIsReadable(const WindowLayout& window, const ControlLayout* controls, int count);
