#include "process_state.h"

#include <cstdlib>
#include <ctime>

#include "control_windows.h"

namespace mz::com {
namespace {

struct ProcessState {
  CRITICAL_SECTION lock;
  HANDLE scroll_exit_event = nullptr;
  DWORD tls_slot = TLS_OUT_OF_INDEXES;
};

ProcessState state;

}  // namespace

void create_process_state() {
  InitializeCriticalSection(&state.lock);
  // Ends the scrolling loop of an open popup menu.
  state.scroll_exit_event = CreateEventW(nullptr, FALSE, FALSE, L"BarsScrollExitEvent");
  // The format in which the customizer drags tools.
  RegisterClipboardFormatW(L"MzToolDD");
  state.tls_slot = TlsAlloc();
  // Seeds the generator that picks a menu animation at random.
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  register_window_classes();
}

void release_process_state() {
  unregister_window_classes();
  release_thread_record();
  if (state.tls_slot != TLS_OUT_OF_INDEXES) TlsFree(state.tls_slot);
  state.tls_slot = TLS_OUT_OF_INDEXES;
  if (state.scroll_exit_event) CloseHandle(state.scroll_exit_event);
  state.scroll_exit_event = nullptr;
  DeleteCriticalSection(&state.lock);
}

void release_thread_record() {
  if (state.tls_slot == TLS_OUT_OF_INDEXES) return;
  delete static_cast<ThreadControlList*>(TlsGetValue(state.tls_slot));
  TlsSetValue(state.tls_slot, nullptr);
}

ControlListLock::ControlListLock() { EnterCriticalSection(&state.lock); }
ControlListLock::~ControlListLock() { LeaveCriticalSection(&state.lock); }

ThreadControlList& thread_controls() {
  auto* record = static_cast<ThreadControlList*>(TlsGetValue(state.tls_slot));
  if (!record) {
    record = new ThreadControlList;
    TlsSetValue(state.tls_slot, record);
  }
  return *record;
}

ThreadControlList* existing_thread_controls() {
  return static_cast<ThreadControlList*>(TlsGetValue(state.tls_slot));
}

}  // namespace mz::com
