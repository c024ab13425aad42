#pragma once
// The library's module-wide bookkeeping: its instance handle, and the count
// of live objects and server locks that decides whether it may be unloaded.
#include <windows.h>

#include <string>

namespace mz::com {

HINSTANCE module_instance();
std::wstring module_path();

void object_created();
void object_destroyed();
void lock_server(bool lock);
bool module_in_use();

// Counts one live object of the library for as long as it exists.
class ModuleObjectCount {
 public:
  ModuleObjectCount() { object_created(); }
  ModuleObjectCount(const ModuleObjectCount&) = delete;
  ModuleObjectCount& operator=(const ModuleObjectCount&) = delete;
  ~ModuleObjectCount() { object_destroyed(); }
};

}  // namespace mz::com
