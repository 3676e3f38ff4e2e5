#include <gtest/gtest.h>

#include <cstdint>

#include "app/input_events.h"

namespace {

// lParam of a mouse message: x in the low word, y in the high word.
constexpr int64_t Position(int x, int y) {
  return static_cast<int64_t>((static_cast<uint32_t>(static_cast<uint16_t>(y)) << 16) |
                              static_cast<uint16_t>(x));
}

// wParam of WM_MOUSEWHEEL: the signed delta in the high word, the MK_ buttons in the low.
constexpr uint64_t Wheel(int delta, int buttons = 0) {
  return (uint64_t{static_cast<uint16_t>(delta)} << 16) | static_cast<uint16_t>(buttons);
}

constexpr int32_t kAllKeys = kKeyStateCtrl | kKeyStateShift | kKeyStateAlt;

} // namespace

TEST(InputEventFor, Table) {
  const struct {
    const char* what;
    uint32_t message;
    uint64_t wParam;
    int64_t lParam;
    int32_t keyState;
    int event;
    EventArgs args;
  } cases[] = {
      // Mouse messages: x, y, key state.
      {"left press", 0x0201, 0x0001, Position(10, 20), 0, -1, {10, 20, 0}},
      {"left release", 0x0202, 0, Position(47, 19), 1, -2, {47, 19, 1}},
      {"left double click", 0x0203, 0, Position(0, 0), 2, -3, {0, 0, 2}},
      {"right press", 0x0204, 0, Position(3, 4), 4, -4, {3, 4, 4}},
      {"right release", 0x0205, 0, Position(300, 200), kAllKeys, -5, {300, 200, 7}},
      {"move", 0x0200, 0, Position(449, 227), 0, -6, {449, 227, 0}},
      // Halves are unsigned: a press 3 left of the control's edge reads x 65533.
      {"press left of the edge", 0x0201, 0, Position(-3, 5), 0, -1, {65533, 5, 0}},
      {"press above the edge", 0x0201, 0, Position(7, -1), 0, -1, {7, 65535, 0}},
      {"sign-extended lParam",
       0x0201,
       0,
       static_cast<int32_t>(0xFFFDFFFEu),
       0,
       -1,
       {65534, 65533, 0}},
      // Keys: key code, key state.
      {"key down", 0x0100, 0x1B, 0x00010001, 0, -9, {0x1B, 0, 0}},
      {"key up", 0x0101, 0x41, 0xC0010001, 2, -10, {0x41, 2, 0}},
      {"sys key down", 0x0104, 0x73, 0x20010001, 4, -9, {0x73, 4, 0}},
      {"sys key up", 0x0105, 0x12, 0xC0010001, kAllKeys, -10, {0x12, 7, 0}},
      // Character: the code alone; a GBK lead byte arrives as its own character.
      {"char", 0x0102, 'A', 1, kAllKeys, -11, {'A', 0, 0}},
      {"char lead byte", 0x0102, 0xB6, 1, 0, -11, {0xB6, 0, 0}},
      // Wheel: delta / 120, truncated toward zero; the low word's buttons are not steps.
      {"wheel 120", 0x020A, Wheel(120), Position(5, 5), 0, -12, {1, 0, 0}},
      {"wheel -240", 0x020A, Wheel(-240), Position(5, 5), 1, -12, {-2, 1, 0}},
      {"wheel 60", 0x020A, Wheel(60), 0, 0, -12, {0, 0, 0}},
      {"wheel -119", 0x020A, Wheel(-119), 0, 0, -12, {0, 0, 0}},
      {"wheel -121", 0x020A, Wheel(-121), 0, 0, -12, {-1, 0, 0}},
      {"wheel with Ctrl button", 0x020A, Wheel(360, 0x0008), 0, 1, -12, {3, 1, 0}},
      {"wheel extremes", 0x020A, Wheel(-32768), 0, 0, -12, {-273, 0, 0}},
      // Messages that raise no shared event.
      {"paint", 0x000F, 0, 0, 0, 0, {0, 0, 0}},
      {"timer", 0x0113, 1, 0, kAllKeys, 0, {0, 0, 0}},
      {"middle press", 0x0207, 0, Position(1, 1), 0, 0, {0, 0, 0}},
      {"non-client press", 0x00A1, 2, Position(1, 1), 0, 0, {0, 0, 0}},
      {"sys char", 0x0106, 'x', 0, 4, 0, {0, 0, 0}},
      {"horizontal wheel", 0x020E, Wheel(120), 0, 0, 0, {0, 0, 0}},
      {"set focus", 0x0007, 0, 0, 0, 0, {0, 0, 0}},
      {"message 0", 0, 0, 0, 0, 0, {0, 0, 0}},
      {"message 0xFFFFFFFF", 0xFFFFFFFFu, ~uint64_t{0}, -1, kAllKeys, 0, {0, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    InputEvent e = InputEventFor(c.message, c.wParam, c.lParam, c.keyState);
    EXPECT_EQ(e.event, c.event);
    EXPECT_EQ(e.args.a, c.args.a);
    EXPECT_EQ(e.args.b, c.args.b);
    EXPECT_EQ(e.args.c, c.args.c);
  }
}
