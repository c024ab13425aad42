#pragma once
// Number-to-text as the tester shows and records numbers.
//
// Two forms:
//  - the default text of a number (IntegerText, DoubleText): a leading blank
//    for a value that is not negative, "-" for a negative one, no grouping;
//  - pattern formatting (FormatNumber) with patterns made of "#" (a digit
//    shown only when significant), "0" (a digit always shown), "," (thousands
//    grouping when it stands among the integer placeholders) and "." (the
//    decimal point, always printed when the pattern has one), with literal
//    text before and after the placeholders.
//
// Doubles are first rounded to 15 significant digits, so binary noise never
// shows (2.675 formats with two decimals as 2.68).
#include <cstdint>
#include <string>
#include <string_view>

namespace quarrow::run {

// " 42", " 0", "-7".
std::string IntegerText(int64_t value);

// Up to 15 significant digits, trailing zeros dropped, no leading "0" before
// the point (" .5"). Values whose magnitude, rounded to 15 digits, is 1e15 or
// more, or below 1e-4, use the exponent form: mantissa, "E", the exponent's
// sign and at least two digits (" 1E+15", " 1.23456789012346E+17",
// " 1E-05"). A value that is not finite prints as " 0".
std::string DoubleText(double value);

// Formats `value` with `pattern`, for example " ############,##0".
//  - The integer part shows all its digits, however many placeholders the
//    pattern has; it is padded with zeros to the number of placeholders from
//    the first "0" to the point ("0##" gives "005"). With no "0" there, a zero
//    integer part prints no digit (" .5", and "######,###" gives "" for 0).
//  - The decimals are rounded half away from zero to the number of decimal
//    placeholders; trailing zeros are dropped back to the last "0" placeholder
//    (".##": 2 gives "2.", 2.5 gives "2.5"; ".#0": 2 gives "2.00").
//  - A negative value whose shown digits are not all zero gets "-" in front
//    of everything, literal text included ("- 3.5").
// A value that is not finite formats as 0.
std::string FormatNumber(double value, std::string_view pattern);

// Reads a number at the start of `text` the way the totals file is read back:
// leading blanks and tabs skipped, then an optional sign, digits with an
// optional point and an optional exponent ("E" or "e", optional sign,
// digits). The number ends at the first character that cannot continue it.
// Text that does not start with a number, and a number out of the range of a
// double, read as 0.
double ReadLeadingNumber(std::string_view text);

}  // namespace quarrow::run
