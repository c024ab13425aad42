#pragma once
// The workers that watch the pointer from threads of their own. They only
// read flags and send or post messages to the tracker window; each shares
// its object with the control, so a worker never touches a control that is
// gone: the control stops the worker and lets go, the thread lets go as it ends.
#include <windows.h>

#include <atomic>
#include <memory>

namespace mz::menus {

// The hot-tool worker's question to the tracker window: is a part of the
// control at the screen point in lparam? The answer is 1 when one is.
constexpr UINT kMessagePartAtPoint = WM_APP + 1;

// The start, stop and end of a worker thread.
class Worker {
 public:
  Worker() = default;
  Worker(const Worker&) = delete;
  Worker& operator=(const Worker&) = delete;
  virtual ~Worker() = default;

  // Ends the worker; it lets go of its object when it wakes.
  virtual void stop() { stopped_ = true; }
  bool stopped() const { return stopped_; }
  // The thread has ended.
  bool finished() const { return finished_; }
  // How many times the worker has looked at the pointer.
  long polls() const { return polls_; }

 protected:
  // Runs `worker->run()` on a thread of its own, which holds a reference to
  // the worker and to the library (so the library is not unloaded under it).
  static void launch(const std::shared_ptr<Worker>& worker);
  virtual void run() = 0;

  std::atomic<bool> stopped_{false};
  std::atomic<long> polls_{0};

 private:
  static DWORD WINAPI thread_main(void* parameter);
  std::atomic<bool> finished_{false};
};

// Watches the pointer every 100 ms. When the pointer has moved over the host
// window and, within 100 ms, no mouse message for that window passed the
// mouse hook (which calls signal()), it sends the tracker window
// TrackerMessage::hover_lost.
class HoverWorker final : public Worker {
 public:
  static std::shared_ptr<HoverWorker> start(HWND host, HWND tracker);
  HoverWorker(HWND host, HWND tracker);
  ~HoverWorker() override;

  void signal() { SetEvent(hover_event_); }
  void set_host(HWND host) { host_ = host; }
  void stop() override;
  // How many times it reported the pointer lost.
  long reports() const { return reports_; }

 private:
  void run() override;

  std::atomic<HWND> host_;
  HWND tracker_;
  HANDLE hover_event_;
  std::atomic<long> reports_{0};
  POINT last_position_{-20000, -20000};
};

// Watches the pointer every 55 ms while a tool is hot; see hot_tool_step().
// When the cursor left the hot tool it posts TrackerMessage::hot_tool_left.
class HotToolWorker final : public Worker {
 public:
  static std::shared_ptr<HotToolWorker> start(HWND tracker);
  explicit HotToolWorker(HWND tracker);

  std::atomic<bool> raising_event{false};
  std::atomic<bool> hot_tool_edits{false};
  // How many times it reported the hot tool left.
  long reports() const { return reports_; }

 private:
  void run() override;
  void poll();

  HWND tracker_;
  HWND last_window_ = nullptr;
  std::atomic<long> reports_{0};
};

}  // namespace mz::menus
