#include "name_mask.h"

namespace quarrow::archive {
namespace {

char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string_view PlainFileName(std::string_view entryName) {
  const size_t separator = entryName.find_last_of("/\\");
  return separator == std::string_view::npos ? entryName : entryName.substr(separator + 1);
}

bool MatchesMask(std::string_view mask, std::string_view name) {
  if (mask.empty()) return true;
  // Greedy matching that remembers the last '*': on a mismatch the star
  // takes one more character and matching resumes after it. Linear in the
  // name for each star, so hostile names cannot make it explode.
  size_t m = 0;
  size_t n = 0;
  size_t starMask = std::string_view::npos;
  size_t starName = 0;
  while (n < name.size()) {
    if (m < mask.size() && mask[m] == '*') {
      starMask = m++;
      starName = n;
    } else if (m < mask.size() && (mask[m] == '?' || FoldCase(mask[m]) == FoldCase(name[n]))) {
      ++m;
      ++n;
    } else if (starMask != std::string_view::npos) {
      m = starMask + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

}  // namespace quarrow::archive
