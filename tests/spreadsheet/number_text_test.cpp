#include "spreadsheet/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace stavbas {
namespace {

struct Case {
  double value;
  const char* text;
};

void ExpectAll(std::initializer_list<Case> cases) {
  for (const Case& c : cases) EXPECT_EQ(NumberToCellText(c.value), c.text) << c.value;
}

TEST(NumberToCellText, WholeNumbersHaveNoDecimalPart) {
  ExpectAll({{6614523, "6614523"},
             {-42, "-42"},
             {123456789012, "123456789012"},
             {999999999999999, "999999999999999"},
             {0.0, "0"},
             {-0.0, "0"}});
}

TEST(NumberToCellText, DecimalsAreRoundedToFifteenDigits) {
  ExpectAll({{0.1 + 0.2, "0.3"},
             {1234567.89, "1234567.89"},
             {-0.5, "-0.5"},
             {1.0 / 3, "0.333333333333333"},
             {2.0 / 3, "0.666666666666667"},
             {59.348915, "59.348915"},
             {0.0001, "0.0001"},
             {99999999999999.99, "100000000000000"}});
}

TEST(NumberToCellText, VeryLargeAndSmallNumbersUseAnExponent) {
  ExpectAll({{1e20, "1E+20"},
             {1e15, "1E+15"},
             {-1.5e15, "-1.5E+15"},
             {123456789012345678.0, "1.23456789012346E+17"},
             {0.00001, "1E-05"},
             {1.5e-7, "1.5E-07"},
             {1e100, "1E+100"}});
}

TEST(NumberToCellText, ValuesWithoutANumberShowAsAnOverflow) {
  ExpectAll({{std::numeric_limits<double>::infinity(), "#NUM!"},
             {-std::numeric_limits<double>::infinity(), "#NUM!"},
             {std::nan(""), "#NUM!"}});
}

}  // namespace
}  // namespace stavbas
