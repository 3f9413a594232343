// Number texts: the printf/atoi/atof rules, whatever the process locale.
#include "app/numtext.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace qv {
namespace {

struct DoubleFormatCase {
  double value;
  const char* g;
  const char* f1;
};

const DoubleFormatCase kDoubleFormats[] = {
    {42.195, "42.195", "42.2"},    {5.0, "5", "5.0"},
    {0.0, "0", "0.0"},             {-0.0, "-0", "-0.0"},
    {123.4567, "123.457", "123.5"}, {0.0001, "0.0001", "0.0"},
    {0.00001, "1e-05", "0.0"},     {123456.0, "123456", "123456.0"},
    {1234567.0, "1.23457e+06", "1234567.0"},
    {1e20, "1e+20", "100000000000000000000.0"},
    {-3.5, "-3.5", "-3.5"},        {14.0, "14", "14.0"},
    {0.5, "0.5", "0.5"},           {2.0 / 3.0, "0.666667", "0.7"},
    {1.25, "1.25", "1.2"},  // a binary tie rounds to even, as printf does
    {NAN, "nan", "nan"},           {-NAN, "-nan", "-nan"},
    {HUGE_VAL, "inf", "inf"},      {-HUGE_VAL, "-inf", "-inf"},
};

struct IntFormatCase {
  int value;
  const char* d;
  const char* d02;
};

const IntFormatCase kIntFormats[] = {
    {0, "0", "00"},       {5, "5", "05"},         {12, "12", "12"},
    {123, "123", "123"},  {-5, "-5", "-5"},       {-12, "-12", "-12"},
    {2147483647, "2147483647", "2147483647"},
    {-2147483647 - 1, "-2147483648", "-2147483648"},
};

struct ParseDoubleCase {
  const char* text;
  double value;
};

const ParseDoubleCase kParseDoubles[] = {
    {"12.5km", 12.5},
    {" -3e2x", -300.0},
    {"12,5", 12.0},
    {"inf", 0.0},
    {"nan", 0.0},
    {"0x10", 0.0},
    {"\xEF\xBC\x91\xEF\xBC\x92", 0.0},  // full-width 12
    {"+7", 7.0},
    {"", 0.0},
    {"abc", 0.0},
    {"-", 0.0},
    {".", 0.0},
    {".5", 0.5},
    {"5.", 5.0},
    {"1e", 1.0},
    {"1e+", 1.0},
    {"2E3", 2000.0},
    {" \t\n42.195", 42.195},
    {"1e-400", 0.0},
    {"0.000000000000000000000000000000000000000000000000000000000000000000"
     "00000000000000000000000000000000000000000000000000000000000000000000"
     "00000000000000000000000000000000000000000000000000000000000000000000"
     "00000000000000000000000000000000000000000000000000000000000000000000"
     "00000000000000000000000000000000000000000000000000000000000000000000"
     "1",
     0.0},
    {"10.0", 10.0},
    {"--5", 0.0},
};

struct ParseIntCase {
  const char* text;
  int value;
};

const ParseIntCase kParseInts[] = {
    {"0", 0},
    {"150000", 150000},
    {" +12abc", 12},
    {"-7", -7},
    {"3.9", 3},
    {"1e3", 1},
    {"", 0},
    {"x1", 0},
    {"2147483647", 2147483647},
    {"2147483648", 2147483647},
    {"99999999999999999999999", 2147483647},
    {"-2147483648", -2147483647 - 1},
    {"-2147483649", -2147483647 - 1},
    {"\xEF\xBC\x97", 0},  // full-width 7
    {"\r\n 45", 45},
};

void CheckAllTables() {
  for (const auto& c : kDoubleFormats) {
    SCOPED_TRACE(c.g);
    EXPECT_EQ(FormatG(c.value), c.g);
    EXPECT_EQ(Format1f(c.value), c.f1);
  }
  for (const auto& c : kIntFormats) {
    SCOPED_TRACE(c.d);
    EXPECT_EQ(FormatInt(c.value), c.d);
    EXPECT_EQ(Format02d(c.value), c.d02);
  }
  for (const auto& c : kParseDoubles) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseDouble(c.text), c.value);
  }
  for (const auto& c : kParseInts) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseInt(c.text), c.value);
  }
}

TEST(NumberText, FormatsAndParsesLikeTheCLocale) { CheckAllTables(); }

TEST(NumberText, OverflowGivesInfinityLikeStrtod) {
  EXPECT_EQ(ParseDouble("1e400"), HUGE_VAL);
  EXPECT_EQ(ParseDouble("-1e400"), -HUGE_VAL);
  EXPECT_EQ(ParseDouble(std::string(400, '9')), HUGE_VAL);
  // Out of range by digits and exponent together: about 1e419 x 1e-100
  // overflows, 1e-501 x 1e100 underflows.
  EXPECT_EQ(ParseDouble(std::string(420, '1') + "e-100"), HUGE_VAL);
  EXPECT_EQ(ParseDouble("0." + std::string(500, '0') + "1e100"), 0.0);
  EXPECT_EQ(FormatG(HUGE_VAL), "inf");
  // What FormatG writes for an infinity reads back as 0, never as a number.
  EXPECT_EQ(ParseDouble(FormatG(HUGE_VAL)), 0.0);
}

TEST(NumberText, RoundTripsSixSignificantDigits) {
  EXPECT_EQ(ParseDouble(FormatG(123.4567)), 123.457);
  EXPECT_EQ(ParseDouble(FormatG(42.195)), 42.195);
  EXPECT_EQ(ParseInt(FormatInt(-2147483647 - 1)), -2147483647 - 1);
}

// The program runs with the user's locale active; a comma-decimal locale
// must change nothing.
TEST(NumberText, CommaDecimalLocaleChangesNothing) {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
      << "the de_DE.UTF-8 locale is missing; scripts/test.sh generates it";
  // Prove the locale is really in force for the C library.
  char buf[32];
  std::snprintf(buf, sizeof buf, "%g", 42.195);
  EXPECT_STREQ(buf, "42,195");
  CheckAllTables();
  std::setlocale(LC_ALL, saved.c_str());
}

}  // namespace
}  // namespace qv
