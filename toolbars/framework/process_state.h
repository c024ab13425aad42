#pragma once
// State the library keeps for the whole process, created when it is loaded
// and released when it is unloaded, and the per-thread record of the live
// controls of each thread with that thread's message hooks.
#include <windows.h>

#include <array>
#include <vector>

// A live control as the thread's hooks see it (toolbars/menus/hooks_win32.h).
namespace mz::menus {
class HookClient;
}

namespace mz::com {

using menus::HookClient;

enum class HookKind { get_message = 0, call_window_procedure = 1, mouse = 2, keyboard = 3 };
constexpr size_t kHookCount = 4;

struct ThreadControlList {
  std::vector<HookClient*> controls;
  std::array<HHOOK, kHookCount> hooks{};
};

void create_process_state();
void release_process_state();
// Frees the calling thread's record, if it has one.
void release_thread_record();

// Holds the process-wide lock that guards every thread's control list.
class ControlListLock {
 public:
  ControlListLock();
  ControlListLock(const ControlListLock&) = delete;
  ControlListLock& operator=(const ControlListLock&) = delete;
  ~ControlListLock();
};

// The calling thread's record, created on first use. Callers hold the lock
// while they walk or change its control list.
ThreadControlList& thread_controls();
// The thread's record if it has one yet, else null.
ThreadControlList* existing_thread_controls();

}  // namespace mz::com
