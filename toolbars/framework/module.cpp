// The library's entry points: loading and unloading, the class objects and
// whether the library may be unloaded.
#include "module.h"

#include <atomic>

#include "class_factory.h"
#include "dock_window_win32.h"
#include "error_info.h"
#include "process_state.h"
#include "popup_window_win32.h"
#include "tracker_window_win32.h"
#include "type_library.h"

namespace mz::com {
namespace {

HINSTANCE instance = nullptr;
std::atomic<long> live_objects{0};
std::atomic<long> server_locks{0};

}  // namespace

HINSTANCE module_instance() { return instance; }

std::wstring module_path() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(instance, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

void object_created() { ++live_objects; }
void object_destroyed() { --live_objects; }
void lock_server(bool lock) { lock ? ++server_locks : --server_locks; }
bool module_in_use() { return live_objects > 0 || server_locks > 0; }

}  // namespace mz::com

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  using namespace mz::com;
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      mz::com::instance = instance;
      create_process_state();
      mz::menus::register_tracker_classes(instance);
      mz::menus::register_popup_class(instance);
      mz::register_dock_window_class(instance);
      break;
    case DLL_THREAD_DETACH:
      release_thread_record();
      break;
    case DLL_PROCESS_DETACH:
      // At process exit (reserved set) other libraries may already be gone:
      // only a library that is unloaded on its own gives back what it holds.
      if (!reserved) {
        release_type_library();
        mz::menus::unregister_tracker_classes(instance);
        mz::menus::unregister_popup_class(instance);
        mz::unregister_dock_window_class(instance);
        release_process_state();
      }
      break;
  }
  return TRUE;
}

STDAPI DllCanUnloadNow() { return mz::com::module_in_use() ? S_FALSE : S_OK; }

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  return mz::com::guarded([&] { return mz::com::get_class_object(clsid, iid, out); });
}
