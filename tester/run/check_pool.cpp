#include "check_pool.h"

namespace quarrow::run {
namespace {

ArchiveVerdict Aborted() { return ArchiveVerdict{kResultAborted, std::nullopt, 0}; }

}  // namespace

CheckPool::CheckPool(size_t workers, const ComponentFactory& make) {
  workers_.resize(workers > 0 ? workers : 1);
  for (Worker& worker : workers_) {
    worker.component = make();
    // A worker's component is touched by its own thread only: a stop
    // reaches an operation in progress at its next progress event (each
    // entry's start and every MiB of output), which aborts it.
    ArchiveComponent& component = *worker.component;
    component.SetStatusHandler([this, &component](const ArchiveStatus&) {
      if (stopping_.load()) component.SetAbort(true);
    });
    if (workers_.size() > 1) component.SetEntryHelp([this](const std::function<void()>& task) { Offer(task); });
  }
  for (Worker& worker : workers_) worker.thread = std::thread([this, &worker] { Serve(*worker.component); });
}

CheckPool::~CheckPool() {
  Stop();
  {
    std::lock_guard lock(mutex_);
    closing_ = true;
  }
  queued_.notify_all();
  for (Worker& worker : workers_) worker.thread.join();
}

std::future<ArchiveVerdict> CheckPool::Check(std::string path) {
  Job job{std::move(path), {}};
  std::future<ArchiveVerdict> verdict = job.verdict.get_future();
  {
    std::lock_guard lock(mutex_);
    jobs_.push_back(std::move(job));
  }
  queued_.notify_one();
  return verdict;
}

// Every other worker may help once.
void CheckPool::Offer(const std::function<void()>& task) {
  {
    std::lock_guard lock(mutex_);
    for (size_t i = 1; i < workers_.size(); ++i) helps_.push_back(task);
  }
  queued_.notify_all();
}

void CheckPool::Stop() {
  std::unique_lock lock(mutex_);
  stopping_.store(true);
  for (Job& job : jobs_) job.verdict.set_value(Aborted());
  jobs_.clear();
  helps_.clear();
  idle_.wait(lock, [this] { return busy_ == 0; });
  stopping_.store(false);
}

void CheckPool::Serve(ArchiveComponent& component) {
  for (;;) {
    Job job;
    std::function<void()> help;
    {
      std::unique_lock lock(mutex_);
      queued_.wait(lock, [this] { return closing_ || !jobs_.empty() || !helps_.empty(); });
      // Helping first: the run applies verdicts in walk order, so the
      // archive in progress is wanted before the next one.
      if (!helps_.empty()) {
        help = std::move(helps_.front());
        helps_.pop_front();
      } else if (!jobs_.empty()) {
        job = std::move(jobs_.front());
        jobs_.pop_front();
      } else {
        return;
      }
      ++busy_;
    }
    if (help) {
      help();
    } else {
      job.verdict.set_value(CheckOne(component, job.path));
    }
    {
      std::lock_guard lock(mutex_);
      --busy_;
    }
    idle_.notify_all();
  }
}

// Description files are checked but not written here: the run writes them
// into the program folder itself, in its own order, as it applies the verdict.
ArchiveVerdict CheckPool::CheckOne(ArchiveComponent& component, const std::string& path) {
  try {
    if (stopping_.load()) return Aborted();
    return CheckArchive(component, path, /*destination=*/"", [this] { return stopping_.load(); });
  } catch (...) {
    return ArchiveVerdict{kResultCannotRead, std::nullopt, 0};
  }
}

}  // namespace quarrow::run
