#include "tool_icons_win32.h"

#include "late_binding_win32.h"

namespace mz::client {

namespace {

// A rectangle or an ellipse filled with `fill` inside a black outline.
using Outline = BOOL(WINAPI*)(HDC, int, int, int, int);
void filled(HDC dc, Outline outline, const RECT& r, COLORREF fill) {
  HBRUSH brush = CreateSolidBrush(fill);
  HGDIOBJ old_brush = SelectObject(dc, brush);
  HGDIOBJ old_pen = SelectObject(dc, GetStockObject(BLACK_PEN));
  outline(dc, r.left, r.top, r.right, r.bottom);
  SelectObject(dc, old_pen);
  SelectObject(dc, old_brush);
  DeleteObject(brush);
}

void box(HDC dc, int left, int top, int right, int bottom, COLORREF fill) {
  filled(dc, Rectangle, {left, top, right, bottom}, fill);
}

void disc(HDC dc, int left, int top, int right, int bottom, COLORREF fill) {
  filled(dc, Ellipse, {left, top, right, bottom}, fill);
}

void line(HDC dc, int x1, int y1, int x2, int y2) {
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

void letter(HDC dc, const wchar_t* text, bool italic) {
  HFONT font = CreateFontW(15, 0, 0, 0, FW_BOLD, italic, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"Arial");
  HGDIOBJ old = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  RECT all{0, 0, 16, 16};
  DrawTextW(dc, text, -1, &all, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, old);
  DeleteObject(font);
}

void draw(HDC dc, Icon icon) {
  switch (icon) {
    case Icon::page: box(dc, 3, 1, 13, 15, RGB(255, 255, 224)); break;
    case Icon::folder:
      box(dc, 1, 4, 15, 14, RGB(240, 200, 80));
      box(dc, 1, 2, 7, 5, RGB(240, 200, 80));
      break;
    case Icon::disk:
      box(dc, 2, 2, 14, 14, RGB(40, 60, 160));
      box(dc, 5, 2, 11, 7, RGB(220, 220, 220));
      break;
    case Icon::printer:
      box(dc, 4, 1, 12, 6, RGB(255, 255, 255));
      box(dc, 1, 6, 15, 12, RGB(150, 150, 150));
      break;
    case Icon::scissors:
      line(dc, 3, 2, 11, 12);
      line(dc, 12, 2, 4, 12);
      box(dc, 1, 11, 6, 15, RGB(200, 0, 0));
      box(dc, 9, 11, 14, 15, RGB(200, 0, 0));
      break;
    case Icon::copies:
      box(dc, 1, 1, 9, 11, RGB(255, 255, 224));
      box(dc, 6, 5, 14, 15, RGB(255, 255, 224));
      break;
    case Icon::clipboard:
      box(dc, 2, 2, 13, 15, RGB(160, 110, 60));
      box(dc, 5, 5, 14, 15, RGB(255, 255, 255));
      break;
    case Icon::bold: letter(dc, L"B", false); break;
    case Icon::italic: letter(dc, L"I", true); break;
    case Icon::undo:
      box(dc, 2, 6, 12, 9, RGB(0, 120, 200));
      box(dc, 2, 3, 5, 12, RGB(0, 120, 200));
      break;
    case Icon::align:
      for (int y = 2; y < 15; y += 3) line(dc, 2, y, y % 2 ? 14 : 10, y);
      break;
    case Icon::grid:
      for (int i = 2; i < 15; i += 4) {
        line(dc, i, 2, i, 15);
        line(dc, 2, i, 15, i);
      }
      break;
    case Icon::log:
      box(dc, 3, 1, 13, 15, RGB(255, 255, 224));
      for (int y = 4; y < 13; y += 3) line(dc, 5, y, 11, y);
      break;
    case Icon::purge:
      box(dc, 3, 1, 13, 15, RGB(255, 255, 224));
      box(dc, 5, 6, 16, 10, RGB(220, 0, 0));
      break;
    case Icon::book:
      box(dc, 2, 2, 14, 14, RGB(0, 100, 0));
      box(dc, 4, 4, 12, 12, RGB(255, 255, 255));
      break;
    case Icon::globe:
      disc(dc, 1, 1, 15, 15, RGB(80, 160, 255));
      line(dc, 1, 8, 15, 8);
      line(dc, 8, 1, 8, 15);
      break;
    case Icon::envelope:
      box(dc, 1, 3, 15, 13, RGB(255, 255, 224));
      line(dc, 1, 3, 8, 9);
      line(dc, 8, 9, 15, 3);
      break;
    case Icon::about:
      disc(dc, 1, 1, 15, 15, RGB(0, 0, 160));
      box(dc, 7, 3, 9, 5, RGB(255, 255, 255));
      box(dc, 7, 6, 9, 13, RGB(255, 255, 255));
      break;
    case Icon::exit:
      box(dc, 3, 1, 12, 15, RGB(150, 90, 40));
      box(dc, 9, 7, 11, 9, RGB(255, 220, 0));
      break;
  }
}

}  // namespace

HBITMAP draw_icon(Icon icon) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
  ReleaseDC(nullptr, screen);
  if (!dc || !bitmap) {
    if (dc) DeleteDC(dc);
    if (bitmap) DeleteObject(bitmap);
    return nullptr;
  }
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all{0, 0, 16, 16};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  draw(dc, icon);
  SelectObject(dc, old);
  DeleteDC(dc);
  return bitmap;
}

HRESULT give_icons(IMzToolBarControl* control, std::span<const ToolIcon> icons) {
  IDispatch* tools = get_object(control, L"Tools");
  if (!tools) return E_FAIL;
  HRESULT hr = S_OK;
  for (const ToolIcon& icon : icons) {
    HBITMAP bitmap = draw_icon(icon.icon);
    IDispatch* tool = get_object(tools, L"Item", {Variant(icon.id)});
    hr = tool && bitmap ? put(tool, L"PictureBmp", Variant(static_cast<int32_t>(reinterpret_cast<INT_PTR>(bitmap)))).error()
                        : E_FAIL;
    if (tool) tool->Release();
    if (bitmap) DeleteObject(bitmap);
    if (FAILED(hr)) break;
  }
  tools->Release();
  return hr;
}

}  // namespace mz::client
