#include "persistence_test_support.h"

namespace mz::test {

std::vector<std::uint8_t> stream_content(IStream* stream) {
  std::vector<std::uint8_t> bytes;
  LARGE_INTEGER zero{};
  stream->Seek(zero, STREAM_SEEK_SET, nullptr);
  std::uint8_t buffer[4096];
  ULONG read = 0;
  while (SUCCEEDED(stream->Read(buffer, sizeof(buffer), &read)) && read > 0) bytes.insert(bytes.end(), buffer, buffer + read);
  return bytes;
}

IStream* memory_stream(const std::vector<std::uint8_t>& bytes) {
  IStream* stream = nullptr;
  CreateStreamOnHGlobal(nullptr, TRUE, &stream);
  ULONG written = 0;
  if (!bytes.empty()) stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
  LARGE_INTEGER zero{};
  stream->Seek(zero, STREAM_SEEK_SET, nullptr);
  return stream;
}

std::vector<std::uint8_t> save_state(IDispatch* control) {
  IPersistStreamInit* persist = nullptr;
  control->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist));
  IStream* stream = memory_stream({});
  HRESULT hr = persist->Save(stream, TRUE);
  EXPECT_EQ(hr, S_OK);
  std::vector<std::uint8_t> bytes = stream_content(stream);
  stream->Release();
  persist->Release();
  return bytes;
}

HRESULT load_state(IDispatch* control, const std::vector<std::uint8_t>& bytes) {
  IPersistStreamInit* persist = nullptr;
  control->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist));
  IStream* stream = memory_stream(bytes);
  HRESULT hr = persist->Load(stream);
  stream->Release();
  persist->Release();
  return hr;
}

std::uint32_t pattern_pixel(int x, int y, std::uint8_t seed) {
  return static_cast<std::uint32_t>(seed) << 16 | static_cast<std::uint32_t>(x * 7 & 0xFF) << 8 |
         static_cast<std::uint32_t>(y * 5 & 0xFF);
}

IDispatch* pattern_picture(int width, int height, std::uint8_t seed) {
  std::vector<std::uint32_t> pixels(static_cast<size_t>(width * height));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels[static_cast<size_t>(y * width + x)] = pattern_pixel(x, y, seed);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  // A device-dependent bitmap, as a host's picture usually holds.
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  SetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  PICTDESC description{};
  description.cbSizeofstruct = sizeof(description);
  description.picType = PICTYPE_BITMAP;
  description.bmp.hbitmap = bitmap;
  IDispatch* picture = nullptr;
  OleCreatePictureIndirect(&description, IID_IDispatch, TRUE, reinterpret_cast<void**>(&picture));
  return picture;
}

Pixels picture_pixels(IDispatch* picture_disp) {
  Pixels out;
  IPicture* picture = nullptr;
  if (!picture_disp || FAILED(picture_disp->QueryInterface(IID_IPicture, reinterpret_cast<void**>(&picture))))
    return out;
  OLE_HANDLE handle = 0;
  SHORT type = 0;
  picture->get_Handle(&handle);
  picture->get_Type(&type);
  if (handle && type == PICTYPE_BITMAP) {
    auto bitmap = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
    BITMAP object{};
    GetObjectW(bitmap, sizeof(object), &object);
    out.width = object.bmWidth;
    out.height = object.bmHeight;
    out.data.resize(static_cast<size_t>(out.width * out.height));
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), out.width, -out.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, bitmap, 0, static_cast<UINT>(out.height), out.data.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    for (auto& pixel : out.data) pixel &= 0x00FFFFFF;
  }
  picture->Release();
  return out;
}

IDispatch* tools_of(IDispatch* object) { return get_object(object, L"Tools"); }
IDispatch* tool(IDispatch* control_object, const wchar_t* id) {
  return get_object(tools_of(control_object), L"Item", {Var(id)});
}
IDispatch* toolbar(IDispatch* control_object, const wchar_t* name) {
  return get_object(get_object(control_object, L"ToolBars"), L"Item", {Var(name)});
}
long count(IDispatch* collection) { return get(collection, L"Count").value.as_long(); }

// A control with every kind of tool, sub-object, toolbar field and picture
// away from its default.
void build_sample(IDispatch* c) {
  ASSERT_TRUE(put(c, L"BackColor", Var(0x00204060)).ok());
  put(c, L"ToolTipDelay", Var(short{750}));
  put(c, L"Style", Var(0));
  put(c, L"LargeIcons", Var(true));
  put(c, L"ShowToolTips", Var(false));
  put(c, L"MenuAnimations", Var(2));
  put(c, L"TagVariant", Var(L"control tag"));
  IDispatch* background = pattern_picture(8, 8, 9);
  ASSERT_TRUE(put_ref(c, L"PictureBackground", Var(background)).ok());
  background->Release();
  IDispatch* font = get_object(c, L"Font");
  put(font, L"Name", Var(L"Arial"));
  put(font, L"Size", Var(12.0));
  ASSERT_TRUE(put_ref(c, L"Font", Var(font)).ok());

  IDispatch* tools = tools_of(c);
  IDispatch* button = call_object(tools, L"Add", {Var(L"ID_Button"), Var(0)});
  put(button, L"Name", Var(L"&Open"));
  put(button, L"ToolTipText", Var(L"Open a file"));
  put(button, L"Category", Var(L"File"));
  put(button, L"Description", Var(L"Opens"));
  put(button, L"Shortcut", Var(5));
  put(button, L"TagVariant", Var(L"button tag"));
  IDispatch* normal = pattern_picture(20, 18, 1);
  IDispatch* down = pattern_picture(20, 18, 2);
  ASSERT_TRUE(put_ref(button, L"Picture", Var(normal)).ok());
  ASSERT_TRUE(put_ref(button, L"PictureDown", Var(down)).ok());
  normal->Release();
  down->Release();

  IDispatch* combo_tool = call_object(tools, L"Add", {Var(L"ID_Combo"), Var(4)});
  IDispatch* combo = get_object(combo_tool, L"ComboBox");
  call(combo, L"AddItem", {Var(L"50%")});
  call(combo, L"AddItem", {Var(L"100%")});
  put(combo, L"ItemData", Var(L"half"), {Var(short{0})});
  put(combo, L"Text", Var(L"100%"));
  put(combo_tool, L"CtlWidth", Var(120));

  IDispatch* edit_tool = call_object(tools, L"Add", {Var(L"ID_Edit"), Var(5)});
  IDispatch* edit = get_object(edit_tool, L"Edit");
  put(edit, L"MaxLength", Var(short{12}));
  put(edit, L"Text", Var(L"abc"));
  put(edit, L"PasswordChar", Var(L"*"));

  IDispatch* menu_tool = call_object(tools, L"Add", {Var(L"ID_Menu"), Var(7)});
  put(menu_tool, L"Name", Var(L"&File"));
  IDispatch* menu_tools = get_object(get_object(menu_tool, L"Menu"), L"Tools");
  ASSERT_NE(call_object(menu_tools, L"Add", {Var(L"ID_Button")}), nullptr);
  call_object(tools, L"Add", {Var(L"ID_Gone"), Var(0)});
  ASSERT_TRUE(call(tools, L"Remove", {Var(L"ID_Gone")}).ok());

  IDispatch* toolbars = get_object(c, L"ToolBars");
  IDispatch* standard = call_object(toolbars, L"Add", {Var(L"Standard")});
  IDispatch* bar_tools = tools_of(standard);
  call_object(bar_tools, L"Add", {Var(L"ID_Button")});
  call_object(bar_tools, L"Add", {Var(L"ID_Combo")});
  call_object(bar_tools, L"Add", {Var(L"separator"), Var(0), Var(2)});
  put(standard, L"DockedStatus", Var(2));
  put(standard, L"DockedRow", Var(3));
  put(standard, L"CaptionAlignment", Var(1));
  put(standard, L"TagVariant", Var(L"bar tag"));
  put(standard, L"Stock", Var(true));
  IDispatch* floating = call_object(toolbars, L"Add", {Var(L"Floating")});
  put(floating, L"DockedStatus", Var(16));
  put(floating, L"FloatingLeft", Var(200));
  IDispatch* menu_bar = call_object(toolbars, L"Add", {Var(L"Menu Bar"), Var(1)});
  call_object(tools_of(menu_bar), L"Add", {Var(L"ID_Menu")});
}

void write_compound_file(const std::wstring& path, const wchar_t* name, const std::vector<std::uint8_t>& bytes) {
  IStorage* storage = nullptr;
  ASSERT_EQ(StgCreateDocfile(path.c_str(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, &storage), S_OK);
  IStream* stream = nullptr;
  ASSERT_EQ(storage->CreateStream(name, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, 0, &stream), S_OK);
  ULONG written = 0;
  if (!bytes.empty()) stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
  stream->Release();
  storage->Commit(STGC_DEFAULT);
  storage->Release();
}

std::vector<std::uint8_t> read_compound_stream(const std::wstring& path, const wchar_t* name) {
  IStorage* storage = nullptr;
  if (FAILED(StgOpenStorage(path.c_str(), nullptr, STGM_READ | STGM_SHARE_DENY_WRITE, nullptr, 0, &storage))) return {};
  IStream* stream = nullptr;
  std::vector<std::uint8_t> bytes;
  if (SUCCEEDED(storage->OpenStream(name, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &stream))) {
    bytes = stream_content(stream);
    stream->Release();
  }
  storage->Release();
  return bytes;
}

TempFile::TempFile(const wchar_t* name) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  path_ = std::wstring(folder) + name;
  DeleteFileW(path_.c_str());
}

TempFile::~TempFile() { DeleteFileW(path_.c_str()); }

}  // namespace mz::test
