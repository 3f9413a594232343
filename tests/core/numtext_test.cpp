// Number texts: the printf/atoi/atof rules, whatever the process locale.
#include "race/numtext.h"

#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <string>
#include <tuple>
#include <utility>

namespace qv {
namespace {

void CheckAllTables() {
  const struct {
    double value;
    const char *g, *f1;
  } doubles[] = {
      {42.195, "42.195", "42.2"}, {-0.0, "-0", "-0.0"},
      {123.4567, "123.457", "123.5"}, {0.00001, "1e-05", "0.0"},
      {123456.0, "123456", "123456.0"}, {1234567.0, "1.23457e+06", "1234567.0"},
      {1.25, "1.25", "1.2"},  // a binary tie rounds to even, as printf does
      {NAN, "nan", "nan"}, {-NAN, "-nan", "-nan"}, {-HUGE_VAL, "-inf", "-inf"}};
  for (const auto& c : doubles)
    EXPECT_EQ(FormatG(c.value) + " " + Format1f(c.value), c.g + (" " + std::string(c.f1)));
  const std::tuple<int, const char*, const char*> ints[] = {
      {5, "5", "05"}, {-5, "-5", "-5"}, {123, "123", "123"},
      {INT_MIN, "-2147483648", "-2147483648"}};
  for (const auto& [value, d, d02] : ints)
    EXPECT_EQ(FormatInt(value) + " " + Format02d(value), d + (" " + std::string(d02)));
  const std::pair<std::string, double> doubleTexts[] = {
      {"12.5km", 12.5}, {" -3e2x", -300}, {"12,5", 12}, {"inf", 0},
      {"nan", 0},       {"0x10", 0},      {"+7", 7},    {"", 0},
      {"-", 0},         {".", 0},         {".5", 0.5},  {"5.", 5},
      {"1e", 1},        {"1e+", 1},       {"2E3", 2000}, {"--5", 0},
      {" \t\n42.195", 42.195}, {"1e-400", 0},
      {"\xEF\xBC\x91\xEF\xBC\x92", 0},  // full-width 12
      {"0." + std::string(340, '0') + "1", 0}};
  for (const auto& [text, value] : doubleTexts)
    EXPECT_EQ(ParseDouble(text), value) << text;
  const std::pair<const char*, int> intTexts[] = {
      {"150000", 150000}, {" +12abc", 12}, {"-7", -7}, {"3.9", 3}, {"1e3", 1},
      {"x1", 0}, {"2147483648", INT_MAX}, {"99999999999999999999", INT_MAX},
      {"-2147483649", INT_MIN}, {"\xEF\xBC\x97", 0}, {"\r\n 45", 45}};
  for (const auto& [text, value] : intTexts)
    EXPECT_EQ(ParseInt(text), value) << text;
}

TEST(NumberText, OverflowGivesInfinityLikeStrtod) {
  EXPECT_EQ(ParseDouble("1e400"), HUGE_VAL);
  // Out of range by digits and exponent together: about 1e419 x 1e-100
  // overflows, 1e-501 x 1e100 underflows.
  EXPECT_EQ(ParseDouble(std::string(420, '1') + "e-100"), HUGE_VAL);
  EXPECT_EQ(ParseDouble("0." + std::string(500, '0') + "1e100"), 0.0);
  // What FormatG writes for an infinity reads back as 0, never as a number.
  EXPECT_EQ(ParseDouble(FormatG(HUGE_VAL)), 0.0);
}

// The program runs with the user's locale active; a comma-decimal locale
// must change nothing.
TEST(NumberText, CommaDecimalLocaleChangesNothing) {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
      << "the de_DE.UTF-8 locale is missing; scripts/test.sh generates it";
  char buf[32];
  std::snprintf(buf, sizeof buf, "%g", 42.195);
  EXPECT_STREQ(buf, "42,195");  // the locale is really in force
  CheckAllTables();
  std::setlocale(LC_ALL, saved.c_str());
}

}  // namespace
}  // namespace qv
