#pragma once
// What a painter must leave in a device context as it found it: the selected
// objects, the colours, the background mode and the clip.
#include <windows.h>

#include <ostream>

namespace quarrow::test {

struct DcState {
  HGDIOBJ pen = nullptr;
  HGDIOBJ brush = nullptr;
  HGDIOBJ font = nullptr;
  HGDIOBJ bitmap = nullptr;
  COLORREF text = 0;
  COLORREF back = 0;
  int back_mode = 0;
  bool clipped = false;  // a clip region is selected

  static DcState of(HDC dc) {
    HRGN clip = CreateRectRgn(0, 0, 0, 0);
    const bool clipped = GetClipRgn(dc, clip) == 1;
    DeleteObject(clip);
    return {GetCurrentObject(dc, OBJ_PEN), GetCurrentObject(dc, OBJ_BRUSH), GetCurrentObject(dc, OBJ_FONT),
            GetCurrentObject(dc, OBJ_BITMAP), GetTextColor(dc), GetBkColor(dc), GetBkMode(dc), clipped};
  }
  bool operator==(const DcState&) const = default;

  friend std::ostream& operator<<(std::ostream& os, const DcState& s) {
    return os << "{pen " << s.pen << ", brush " << s.brush << ", font " << s.font << ", bitmap " << s.bitmap
              << std::hex << ", text " << s.text << ", back " << s.back << std::dec << ", mode " << s.back_mode
              << (s.clipped ? ", clipped}" : "}");
  }
};

}  // namespace quarrow::test
