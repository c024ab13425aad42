#pragma once
// What the tests of a sited control share: a thread of its own for each case
// (so that its thread's list of live controls starts empty), pumping
// messages until a condition holds, and the control's own interface.
#include <windows.h>

#include <chrono>
#include <functional>
#include <thread>

#include "MzDeck2_h.h"

namespace mz::test {

inline void on_fresh_thread(const std::function<void()>& scenario) {
  std::thread thread([&] {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    scenario();
    CoUninitialize();
  });
  thread.join();
}

// Pumps the thread's messages until `done` holds or ten seconds pass.
inline bool pump_until(const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

inline IMzToolBarControl* control_interface(IDispatch* control) {
  IMzToolBarControl* named = nullptr;
  control->QueryInterface(IID_IMzToolBarControl, reinterpret_cast<void**>(&named));
  named->Release();
  return named;
}

}  // namespace mz::test
