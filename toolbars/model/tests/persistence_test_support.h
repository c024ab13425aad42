#pragma once
// Helpers of the saved-state tests: the control's persistence interfaces
// through the vtable, memory streams, and bitmap pictures with known pixels.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "com_test_support.h"

namespace mz::test {

std::vector<std::uint8_t> save_state(IDispatch* control);
HRESULT load_state(IDispatch* control, const std::vector<std::uint8_t>& bytes);
// A memory stream holding `bytes`, at its start.
IStream* memory_stream(const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> stream_content(IStream* stream);

// A bitmap picture whose pixel (x, y) is 0x00RRGGBB = seed * 0x10000 + x * 0x100 + y.
IDispatch* pattern_picture(int width, int height, std::uint8_t seed);
std::uint32_t pattern_pixel(int x, int y, std::uint8_t seed);
// Pixels of a picture object, rows from the top; empty when it holds no bitmap.
struct Pixels {
  int width = 0, height = 0;
  std::vector<std::uint32_t> data;
  std::uint32_t at(int x, int y) const { return data[static_cast<size_t>(y * width + x)]; }
};
Pixels picture_pixels(IDispatch* picture);

// The object model by name.
IDispatch* tools_of(IDispatch* object);
IDispatch* tool(IDispatch* control, const wchar_t* id);
IDispatch* toolbar(IDispatch* control, const wchar_t* name);
long count(IDispatch* collection);

// Fills a control with every kind of tool, sub-object, toolbar field and
// picture away from its default: tools ID_Button (Picture and PictureDown),
// ID_Combo, ID_Edit and ID_Menu, the removed ID_Gone, and the toolbars
// "Standard" (stock), "Floating" and "Menu Bar".
void build_sample(IDispatch* control);

// A compound file with one stream, and the content of a stream of one.
void write_compound_file(const std::wstring& path, const wchar_t* stream, const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> read_compound_stream(const std::wstring& path, const wchar_t* stream);

// A file name in the temporary folder, removed when the holder goes.
class TempFile {
 public:
  explicit TempFile(const wchar_t* name);
  ~TempFile();
  const std::wstring& path() const { return path_; }

 private:
  std::wstring path_;
};

}  // namespace mz::test
