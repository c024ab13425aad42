#include "number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace quarrow::run {
namespace {

TEST(IntegerText, LeadingBlankOrMinus) {
  const struct {
    int64_t value;
    const char* text;
  } cases[] = {
      {0, " 0"},
      {100, " 100"},
      {-7, "-7"},
      {32767, " 32767"},
      {std::numeric_limits<int64_t>::min(), "-9223372036854775808"},
  };
  for (const auto& c : cases) EXPECT_EQ(IntegerText(c.value), c.text) << c.value;
}

TEST(DoubleText, FifteenDigitsThenExponentForm) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {0, " 0"},
      {12345, " 12345"},
      {0.5, " .5"},
      {-2.25, "-2.25"},
      {0.1 + 0.2, " .3"},
      {123456789012345, " 123456789012345"},
      {999999999999999, " 999999999999999"},
      {1e15, " 1E+15"},
      {999999999999999.9, " 1E+15"},  // rounds to 15 digits first
      {1234567890123456789.0, " 1.23456789012346E+18"},
      {-1.5e16, "-1.5E+16"},
      {1e300, " 1E+300"},
      {0.0001, " .0001"},
      {0.00001, " 1E-05"},
      {1.5e-7, " 1.5E-07"},
      {std::nan(""), " 0"},
  };
  for (const auto& c : cases) EXPECT_EQ(DoubleText(c.value), c.text) << c.value;
}

TEST(FormatNumber, QuotedPatterns) {
  const struct {
    double value;
    const char* pattern;
    const char* text;
  } cases[] = {
      {1234567, " ############,##0", " 1,234,567"},
      {0, " ############,##0", " 0"},
      {999, " ############,##0", " 999"},
      {1000, " ############,##0", " 1,000"},
      {1e20, " ###############,##0", " 100,000,000,000,000,000,000"},
      {123456789012345678.0, " ##################,##0", " 123,456,789,012,346,000"},
      {0.5, " ############,###.##", " .5"},
      {0, " ############,###.##", " ."},
      {2, " ############,###.##", " 2."},
      {1234.567, " ############,###.##", " 1,234.57"},
      {0.005, " ############,###.##", " .01"},
      {2.675, " ############,###.##", " 2.68"},
      {-86399.25, " ############,###.##", "- 86,399.25"},
      {-0.001, " ############,###.##", " ."},  // rounds to zero: no sign
      {99.995, "############,###.##", "100."},
      {3, " #########,##0.#0", " 3.00"},
      {0.5, " #########,##0.#0", " 0.50"},
      {1234.5, " #########,##0.#0", " 1,234.50"},
      {0.999, " #########,##0.#0", " 1.00"},
      {5, "0##", "005"},
      {45, "0##", "045"},
      {100, "0##", "100"},
      {0, "0##", "000"},
      {0, "######,###", ""},
      {1234, "######,###", "1,234"},
      {999999, "######,###", "999,999"},
      {1234567, "############,###", "1,234,567"},
      {std::nan(""), " ############,##0", " 0"},
      {7, "#0 units", "7 units"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatNumber(c.value, c.pattern), c.text) << c.value << " " << c.pattern;
}

TEST(ReadLeadingNumber, FirstNumberOrZero) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {" 12345 \r\n", 12345},
      {"12345", 12345},
      {" 1E+15 \r\n", 1e15},
      {" 1.5e3", 1500},
      {"  -7.5x", -7.5},
      {"+3", 3},
      {"\t42", 42},
      {".5", 0.5},
      {"12,345", 12},
      {"1e", 1},
      {"abc", 0},
      {"", 0},
      {" . ", 0},
      {"-", 0},
      {"1e999", 0},
      {"inf", 0},
      {"0x10", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadLeadingNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(ReadLeadingNumber, ReadsBackWhatDoubleTextWrites) {
  for (double value : {0.0, 1.0, 123456789012345.0, 1e15, 1.23456789012346e18, 0.25}) {
    EXPECT_EQ(ReadLeadingNumber(DoubleText(value)), value) << value;
  }
}

}  // namespace
}  // namespace quarrow::run
