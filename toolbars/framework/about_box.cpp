#include "about_box.h"

#include "module.h"
#include "string_ids.h"

namespace mz::com {
namespace {

INT_PTR CALLBACK about_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) {
        EndDialog(dialog, LOWORD(wparam));
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

void show_about_box(HWND owner) {
  DialogBoxParamW(module_instance(), MAKEINTRESOURCEW(IDD_ABOUT), owner, about_procedure, 0);
}

}  // namespace mz::com
