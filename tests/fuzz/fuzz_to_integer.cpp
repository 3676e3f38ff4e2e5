// Arbitrary bytes through ToInteger: it must never crash, and its answer must agree
// with a plain reading of the ASCII digits where the input has no high bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ui/control_ops.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  int value = ToInteger(text);
  bool ascii = true;
  for (unsigned char c : text)
    ascii = ascii && c < 0x80;
  if (ascii && text.size() < 12) {
    // strtoll reads the same grammar; for short texts it cannot overflow 64 bits.
    long long expected = std::strtoll(text.c_str(), nullptr, 10);
    if (expected > INT32_MAX)
      expected = INT32_MAX;
    if (expected < INT32_MIN)
      expected = INT32_MIN;
    if (text.find('\0') == std::string::npos && value != expected)
      std::abort();
  }
  return 0;
}
