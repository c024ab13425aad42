#include "hover_worker_win32.h"

#include <string_view>

#include "hook_rules.h"
#include "tracker_window_win32.h"

namespace mz::menus {
namespace {

std::wstring_view class_of(HWND window, wchar_t (&buffer)[64]) {
  const int length = window ? GetClassNameW(window, buffer, 64) : 0;
  return {buffer, static_cast<size_t>(length > 0 ? length : 0)};
}

}  // namespace

// --- Worker threads ---------------------------------------------------------------

DWORD WINAPI Worker::thread_main(void* parameter) {
  HMODULE library = nullptr;
  {
    std::unique_ptr<std::shared_ptr<Worker>> worker(static_cast<std::shared_ptr<Worker>*>(parameter));
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&Worker::thread_main), &library);
    (*worker)->run();
    (*worker)->finished_ = true;
  }
  FreeLibraryAndExitThread(library, 0);
}

void Worker::launch(const std::shared_ptr<Worker>& worker) {
  HMODULE library = nullptr;
  // The reference the thread gives back as it ends.
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&Worker::thread_main),
                          &library)) {
    worker->finished_ = true;
    return;
  }
  auto* handed_over = new std::shared_ptr<Worker>(worker);
  HANDLE thread = CreateThread(nullptr, 0, thread_main, handed_over, 0, nullptr);
  if (thread) {
    CloseHandle(thread);
  } else {
    delete handed_over;
    FreeLibrary(library);
    worker->finished_ = true;
  }
}

// --- Host hover worker -------------------------------------------------------------

std::shared_ptr<HoverWorker> HoverWorker::start(HWND host, HWND tracker) {
  auto worker = std::make_shared<HoverWorker>(host, tracker);
  launch(worker);
  return worker;
}

HoverWorker::HoverWorker(HWND host, HWND tracker)
    : host_(host), tracker_(tracker), hover_event_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

HoverWorker::~HoverWorker() {
  if (hover_event_) CloseHandle(hover_event_);
}

void HoverWorker::stop() {
  Worker::stop();
  SetEvent(hover_event_);
}

void HoverWorker::run() {
  while (!stopped_) {
    Sleep(100);
    POINT position{};
    if (stopped_ || !GetCursorPos(&position)) continue;
    const bool moved = position.x != last_position_.x || position.y != last_position_.y;
    // Only the host window itself counts: over one of its child windows the
    // mouse hook sees messages for the child, never for the host.
    if (moved && WindowFromPoint(position) == host_) {
      const bool tracked = WaitForSingleObject(hover_event_, 100) == WAIT_OBJECT_0;
      if (stopped_) break;
      if (!tracked) {
        ++reports_;
        SendMessageW(tracker_, static_cast<UINT>(TrackerMessage::hover_lost), 0, 0);
      }
    }
    last_position_ = position;
    ++polls_;
  }
}

// --- Hot-tool worker ---------------------------------------------------------------

std::shared_ptr<HotToolWorker> HotToolWorker::start(HWND tracker) {
  auto worker = std::make_shared<HotToolWorker>(tracker);
  POINT position{};
  // The window under the cursor as the tool became hot.
  if (GetCursorPos(&position)) worker->last_window_ = WindowFromPoint(position);
  launch(worker);
  return worker;
}

HotToolWorker::HotToolWorker(HWND tracker) : tracker_(tracker) {}

void HotToolWorker::run() {
  while (!stopped_) {
    Sleep(55);
    if (stopped_) break;
    poll();
    ++polls_;
  }
}

void HotToolWorker::poll() {
  POINT position{};
  if (!GetCursorPos(&position)) return;
  const HWND under = WindowFromPoint(position);
  wchar_t buffer[64];
  const std::wstring_view window_class = class_of(under, buffer);
  const HotToolView view{
      .raising_event = raising_event,
      .hot_tool_edits = hot_tool_edits,
      .over_tooltip = window_class == L"MzToolTip" || window_class == L"tooltips_class32",
      .same_window = under == last_window_,
      .over_menu = window_class == L"MzMenu",
  };
  last_window_ = under;
  switch (hot_tool_step(view)) {
    case HotToolStep::wait:
      return;
    case HotToolStep::ask_control: {
      DWORD_PTR part = 0;
      const LPARAM point = MAKELPARAM(static_cast<short>(position.x), static_cast<short>(position.y));
      if (stopped_ || !SendMessageTimeoutW(tracker_, kMessagePartAtPoint, 0, point, SMTO_ABORTIFHUNG, 1000, &part))
        return;
      if (part) return;
      break;
    }
    case HotToolStep::tool_left:
      break;
  }
  if (stopped_) return;
  ++reports_;
  PostMessageW(tracker_, static_cast<UINT>(TrackerMessage::hot_tool_left), 0, 0);
}

}  // namespace mz::menus
