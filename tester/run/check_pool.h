#pragma once
// Worker threads that check archives, each with an archive component of its
// own. A check only reads the archive (description files are checked, not
// written), so checks never change a file; the run applies their verdicts on
// its own thread, in its own order. A worker checking a large archive offers
// its entries to the others: an idle worker helps with those before it takes
// the next archive, so a few large archives keep every worker busy too.
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "archive_component.h"
#include "archive_verdict.h"

namespace quarrow::run {

class CheckPool {
 public:
  using ComponentFactory = std::function<std::unique_ptr<ArchiveComponent>()>;

  // `workers` threads (at least one), each with a component from `make`.
  CheckPool(size_t workers, const ComponentFactory& make);
  // Stops the checks in progress and waits for the threads.
  ~CheckPool();
  CheckPool(const CheckPool&) = delete;
  CheckPool& operator=(const CheckPool&) = delete;

  size_t Workers() const { return workers_.size(); }

  // Queues the archive at `path`. The verdict is always delivered: a check
  // that throws (out of memory, a component fault) reads as an archive that
  // cannot be read (410), one stopped by Stop as aborted (190).
  std::future<ArchiveVerdict> Check(std::string path);

  // Aborts the checks in progress at their next progress event and drops
  // the queued ones, then returns once no worker is busy. Checks queued afterwards run normally.
  void Stop();

 private:
  struct Job {
    std::string path;
    std::promise<ArchiveVerdict> verdict;
  };
  struct Worker {
    std::unique_ptr<ArchiveComponent> component;
    std::thread thread;
  };

  void Offer(const std::function<void()>& task);
  void Serve(ArchiveComponent& component);
  ArchiveVerdict CheckOne(ArchiveComponent& component, const std::string& path);

  std::mutex mutex_;
  std::condition_variable queued_;  // a job or help arrived, or the pool closes
  std::condition_variable idle_;    // a worker finished a job
  std::deque<Job> jobs_;
  std::deque<std::function<void()>> helps_;  // entries of archives in progress
  size_t busy_ = 0;
  bool closing_ = false;
  std::atomic<bool> stopping_{false};
  std::vector<Worker> workers_;
};

}  // namespace quarrow::run
