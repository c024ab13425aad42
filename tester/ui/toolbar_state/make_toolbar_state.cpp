// make_toolbar_state OUTFILE [MZDECK2_DLL]
//
// Writes the saved state of the main window's toolbar control to OUTFILE.
// The control comes from MZDECK2_DLL, by default the MzDeck2.dll beside this
// program, through its class object: no registration is needed.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "MzDeck2_h.h"
#include "com_ptr.h"
#include "object_creation_win32.h"
#include "toolbar_state_builder.h"

namespace {

bool write_file(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  return CloseHandle(file) && ok;
}

int run(int argc, wchar_t** argv) {
  if (argc < 2 || argc > 3) {
    std::fwprintf(stderr, L"usage: make_toolbar_state OUTFILE [MZDECK2_DLL]\n");
    return 2;
  }
  const std::wstring out_path = argv[1];
  const std::wstring dll_path = argc == 3 ? argv[2] : mz::client::beside_program(L"MzDeck2.dll");

  mz::com::ComPtr<IUnknown> control;
  HRESULT hr = mz::client::create_from_library(dll_path, CLSID_MzToolDeck, control);
  if (FAILED(hr)) {
    std::fwprintf(stderr, L"make_toolbar_state: cannot create the control from %ls (0x%08lX)\n", dll_path.c_str(),
                  static_cast<unsigned long>(hr));
    return 1;
  }
  quarrow::ui::ToolbarState state = quarrow::ui::build_toolbar_state(control.get());
  control.reset();
  if (!state.ok()) {
    std::fwprintf(stderr, L"make_toolbar_state: %ls failed (0x%08lX)\n", state.failed_step.c_str(),
                  static_cast<unsigned long>(state.hr));
    return 1;
  }
  if (!write_file(out_path, state.bytes)) {
    std::fwprintf(stderr, L"make_toolbar_state: cannot write %ls (error %lu)\n", out_path.c_str(),
                  static_cast<unsigned long>(GetLastError()));
    return 1;
  }
  std::fwprintf(stdout, L"%ls: %zu bytes\n", out_path.c_str(), state.bytes.size());
  return 0;
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv) return 1;
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
    LocalFree(argv);
    return 1;
  }
  const int status = run(argc, argv);
  CoUninitialize();
  LocalFree(argv);
  return status;
}
