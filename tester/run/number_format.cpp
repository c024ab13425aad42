#include "number_format.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace quarrow::run {
namespace {

constexpr int kSignificantDigits = 15;

// A non-negative value as its 15 significant decimal digits (trailing zeros
// removed) and the position of the decimal point relative to the first digit:
// value = 0.<digits> * 10^pointPos.
struct Decimal {
  std::string digits;  // empty for zero
  int pointPos = 0;
};

Decimal ToDecimal(double magnitude) {
  if (magnitude == 0) return {};
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.*e", kSignificantDigits - 1, magnitude);
  // buffer is "d.dddddddddddddde[+-]xx"
  Decimal d;
  const char* p = buffer;
  for (; *p != 'e'; ++p) {
    if (*p != '.') d.digits.push_back(*p);
  }
  d.pointPos = std::atoi(p + 1) + 1;
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  return d;
}

// Adds one unit in the last place of a string of decimal digits; returns true
// when the carry ran out of the leftmost digit (the caller prepends "1").
bool IncrementDigits(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return false;
    }
    *it = '0';
  }
  return true;
}

struct FixedParts {
  std::string integer;   // no leading zeros; empty when the integer part is 0
  std::string fraction;  // exactly the requested number of digits
};

// Splits a decimal into integer and fraction digits, rounding half away from
// zero to `decimals` places.
FixedParts ToFixed(const Decimal& d, int decimals) {
  std::string all = d.digits;
  int point = d.pointPos;
  if (point < 0) {
    all.insert(0, static_cast<size_t>(-point), '0');
    point = 0;
  }
  if (static_cast<int>(all.size()) < point) all.append(point - all.size(), '0');

  std::string kept = all.substr(0, static_cast<size_t>(point + decimals) < all.size()
                                        ? static_cast<size_t>(point + decimals)
                                        : all.size());
  const bool roundUp = kept.size() < all.size() && all[kept.size()] >= '5';
  kept.append(static_cast<size_t>(point + decimals) - kept.size(), '0');
  if (roundUp && IncrementDigits(kept)) {
    kept.insert(kept.begin(), '1');
    ++point;
  }

  FixedParts parts{kept.substr(0, point), kept.substr(point)};
  const size_t firstNonZero = parts.integer.find_first_not_of('0');
  parts.integer.erase(0, firstNonZero == std::string::npos ? parts.integer.size() : firstNonZero);
  return parts;
}

std::string Grouped(const std::string& digits) {
  std::string out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out.push_back(',');
    out.push_back(digits[i]);
  }
  return out;
}

bool IsPlaceholder(char c) { return c == '#' || c == '0' || c == ','; }

struct Pattern {
  std::string_view prefix;
  std::string_view suffix;
  bool grouping = false;
  int minIntegerDigits = 0;
  bool hasPoint = false;
  int decimals = 0;
  int minDecimals = 0;
};

Pattern ParsePattern(std::string_view text) {
  Pattern p;
  size_t i = 0;
  while (i < text.size() && !IsPlaceholder(text[i]) && text[i] != '.') ++i;
  p.prefix = text.substr(0, i);

  bool seenZero = false;
  for (; i < text.size() && IsPlaceholder(text[i]); ++i) {
    if (text[i] == ',') {
      p.grouping = true;
      continue;
    }
    seenZero = seenZero || text[i] == '0';
    if (seenZero) ++p.minIntegerDigits;
  }
  if (i < text.size() && text[i] == '.') {
    p.hasPoint = true;
    for (++i; i < text.size() && (text[i] == '#' || text[i] == '0'); ++i) {
      ++p.decimals;
      if (text[i] == '0') p.minDecimals = p.decimals;
    }
  }
  p.suffix = text.substr(i);
  return p;
}

}  // namespace

std::string IntegerText(int64_t value) {
  // Through unsigned so the most negative value has a magnitude too.
  const uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  std::string out = value < 0 ? "-" : " ";
  out += std::to_string(magnitude);
  return out;
}

std::string DoubleText(double value) {
  if (!std::isfinite(value) || value == 0) return " 0";
  const Decimal d = ToDecimal(std::fabs(value));
  std::string out = value < 0 ? "-" : " ";
  const int exponent = d.pointPos - 1;
  if (exponent >= kSignificantDigits || exponent < -4) {
    out += d.digits[0];
    if (d.digits.size() > 1) out.append(".").append(d.digits, 1);
    char tail[16];
    std::snprintf(tail, sizeof tail, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return out + tail;
  }
  const FixedParts parts = ToFixed(d, std::max(0, static_cast<int>(d.digits.size()) - d.pointPos));
  out += parts.integer;
  if (!parts.fraction.empty()) out.append(".").append(parts.fraction);
  return out;
}

std::string FormatNumber(double value, std::string_view patternText) {
  if (!std::isfinite(value)) value = 0;
  const Pattern pattern = ParsePattern(patternText);
  FixedParts parts = ToFixed(ToDecimal(std::fabs(value)), pattern.decimals);

  while (static_cast<int>(parts.fraction.size()) > pattern.minDecimals && parts.fraction.back() == '0') {
    parts.fraction.pop_back();
  }
  const bool shownNonZero = !parts.integer.empty() || parts.fraction.find_first_not_of('0') != std::string::npos;
  if (static_cast<int>(parts.integer.size()) < pattern.minIntegerDigits) {
    parts.integer.insert(0, pattern.minIntegerDigits - parts.integer.size(), '0');
  }

  std::string out;
  if (value < 0 && shownNonZero) out += '-';
  out += pattern.prefix;
  out += pattern.grouping ? Grouped(parts.integer) : parts.integer;
  if (pattern.hasPoint) out.append(".").append(parts.fraction);
  out += pattern.suffix;
  return out;
}

double ReadLeadingNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  const size_t start = i;
  auto digitsFrom = [&](size_t at) {
    size_t end = at;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
    return end;
  };

  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t end = digitsFrom(i);
  size_t mantissaDigits = end - i;
  if (end < text.size() && text[end] == '.') {
    const size_t fractionEnd = digitsFrom(end + 1);
    mantissaDigits += fractionEnd - end - 1;
    end = fractionEnd;
  }
  if (mantissaDigits == 0) return 0;
  if (end < text.size() && (text[end] == 'E' || text[end] == 'e')) {
    size_t exponentStart = end + 1;
    if (exponentStart < text.size() && (text[exponentStart] == '+' || text[exponentStart] == '-')) ++exponentStart;
    const size_t exponentEnd = digitsFrom(exponentStart);
    if (exponentEnd > exponentStart) end = exponentEnd;
  }

  // from_chars takes no leading "+".
  size_t first = start;
  if (text[first] == '+') ++first;
  double value = 0;
  const auto [ptr, ec] = std::from_chars(text.data() + first, text.data() + end, value);
  if (ec != std::errc() || !std::isfinite(value)) return 0;
  return value;
}

}  // namespace quarrow::run
