#pragma once
// How many more GDI objects the process may create right now: objects are
// made until the platform refuses one, then deleted. A leak between two
// counts shows as less room.
#include <windows.h>

#include <vector>

namespace quarrow::test {

inline int gdi_room() {
  std::vector<HBRUSH> made;
  while (made.size() < 200000) {
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    if (!brush) break;
    made.push_back(brush);
  }
  for (HBRUSH brush : made) DeleteObject(brush);
  return static_cast<int>(made.size());
}

}  // namespace quarrow::test
