// The two conversions between numbers and texts.
#include <cstdint>
#include <cstdio>
#include <string>

#include "ui/control_ops.h"

std::string ToText(int value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%d", value);
  return buffer;
}

std::string ToText(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.13g", value);
  return buffer;
}

namespace {

bool IsGbkLeadByte(unsigned char b) {
  return b >= 0x81 && b <= 0xFE;
}

// Full-width ASCII (lead 0xA3) and a few symbols of row 0xA1 become their ASCII forms,
// so a value typed with a Chinese input method reads like one typed in ASCII. A lead
// byte takes the byte after it, whatever it is, as Windows' own DBCS walk does; a lead
// byte at the very end is dropped.
std::string NormaliseFullWidth(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char lead = static_cast<unsigned char>(text[i]);
    if (!IsGbkLeadByte(lead)) {
      out += static_cast<char>(lead);
      continue;
    }
    if (i + 1 == text.size())
      break;
    unsigned char trail = static_cast<unsigned char>(text[++i]);
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
      out += static_cast<char>(trail - 0x80);
    } else if (lead == 0xA1 && trail == 0xA1) {
      out += ' ';
    } else if (lead == 0xA1 && trail == 0xAB) {
      out += '~';
    } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
      out += '*';
    } else {
      out += static_cast<char>(lead);
      out += static_cast<char>(trail);
    }
  }
  return out;
}

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

int ToInteger(const std::string& text) {
  std::string s = NormaliseFullWidth(text);
  size_t i = 0;
  while (i < s.size() && IsSpace(s[i]))
    ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-'))
    negative = s[i++] == '-';
  // Accumulate as a negative number so that INT32_MIN itself is reachable; values
  // beyond the range saturate at its ends.
  int64_t value = 0;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
    value = value * 10 - (s[i] - '0');
    if (value < INT32_MIN) {
      value = INT32_MIN - int64_t{1};
      break;
    }
  }
  if (negative)
    return value < INT32_MIN ? INT32_MIN : static_cast<int>(value);
  if (value < -int64_t{INT32_MAX})
    return INT32_MAX;
  return static_cast<int>(-value);
}
