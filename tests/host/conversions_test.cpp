#include <gtest/gtest.h>

#include "ui/control_ops.h"

TEST(ToInteger, TableOfTexts) {
  struct Case {
    const char* name;
    std::string text;
    int expected;
  } cases[] = {
      {"empty", "", 0},
      {"plain", "59", 59},
      {"leading zero", "059", 59},
      {"white space only", " \t\n\v\f\r", 0},
      {"leading white space", " \t\r\n 42", 42},
      {"plus", "+7", 7},
      {"minus", "-5", -5},
      {"minus after spaces", "   -12", -12},
      {"sign alone", "-", 0},
      {"two signs", "+-3", 0},
      {"space after sign", "- 3", 0},
      {"letters only", "abc", 0},
      {"letters after digits", "12abc", 12},
      {"decimal point", "3.9", 3},
      {"digits after letters", "x12", 0},
      {"full-width digits", "\xA3\xB5\xA3\xB9", 59},
      {"full-width zero to nine",
       "\xA3\xB0\xA3\xB1\xA3\xB2\xA3\xB3\xA3\xB4\xA3\xB5\xA3\xB6\xA3\xB7"
       "\xA3\xB8\xA3\xB9",
       123456789},
      {"full-width minus", "\xA3\xAD\xA3\xB3", -3},
      {"full-width plus",
       "\xA3\xAB"
       "8",
       8},
      {"ideographic space",
       "\xA1\xA1\xA1\xA1"
       "9",
       9},
      {"mixed widths",
       "1\xA3\xB2"
       "3",
       123},
      {"a1ab is a tilde, not a sign",
       "\xA1\xAB"
       "5",
       0},
      {"a1ee is a star",
       "\xA1\xEE"
       "5",
       0},
      {"other double-byte character first",
       "\xCA\xB1"
       "5",
       0},
      {"digits then a Chinese character", "15\xB7\xD6", 15},
      {"lead byte at the end dropped", "7\xA3", 7},
      {"lead byte takes any next byte",
       "\x81"
       "5",
       0},
      {"NUL ends nothing: digits stop at it",
       std::string("4\0"
                   "2",
                   3),
       4},
      {"int max", "2147483647", 2147483647},
      {"int min", "-2147483648", INT32_MIN},
      {"past int max saturates", "99999999999", INT32_MAX},
      {"just past int max", "2147483648", INT32_MAX},
      {"past int min saturates", "-99999999999", INT32_MIN},
      {"just past int min", "-2147483649", INT32_MIN},
      {"very long digit run", std::string(10000, '9'), INT32_MAX},
      {"many leading zeros", std::string(5000, '0') + "17", 17},
      {"high bytes only", "\xFF\xFE\xFD", 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ToInteger(c.text), c.expected) << c.name;
}

TEST(ToText, IntegersAsPercentD) {
  struct Case {
    int value;
    const char* expected;
  } cases[] = {{0, "0"},
               {7, "7"},
               {59, "59"},
               {-3, "-3"},
               {86399, "86399"},
               {INT32_MAX, "2147483647"},
               {INT32_MIN, "-2147483648"}};
  for (const Case& c : cases)
    EXPECT_EQ(ToText(c.value), c.expected);
}

TEST(ToText, RealsAsThirteenSignificantDigits) {
  struct Case {
    double value;
    const char* expected;
  } cases[] = {{0.0, "0"},      {23.0, "23"},
               {59.0, "59"},    {-0.0, "-0"},
               {0.5, "0.5"},    {1.0 / 3.0, "0.3333333333333"},
               {1e13, "1e+13"}, {1234567890123.0, "1234567890123"},
               {2.50, "2.5"},   {-7.25, "-7.25"}};
  for (const Case& c : cases)
    EXPECT_EQ(ToText(c.value), c.expected) << c.value;
}

TEST(Conversions, EveryListItemRoundTrips) {
  for (int i = 0; i < 60; ++i)
    EXPECT_EQ(ToInteger(ToText(static_cast<double>(i))), i);
}
