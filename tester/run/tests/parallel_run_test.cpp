// Runs whose archives are checked by a pool of workers: they record, show
// and rename exactly what a run that checks each archive itself does, stop
// at a cancel with exactly the archives applied so far, and turn a worker's
// failure into that archive's line.
#include <gtest/gtest.h>

#include <future>
#include <memory>
#include <new>
#include <stdexcept>

#include "check_pool.h"
#include "harness.h"

namespace quarrow::run {
namespace {

using Strings = std::vector<std::string>;

// A pool whose workers follow the scripts of `scripted` (copied, one
// component per worker). The components stay readable after the run.
struct Workers {
  Workers(const FakeComponent& scripted, size_t count)
      : pool(count, [this, &scripted] {
          auto component = std::make_unique<FakeComponent>();
          component->scripts = scripted.scripts;
          component->fallback = scripted.fallback;
          components.push_back(component.get());
          return component;
        }) {}

  std::vector<FakeComponent*> components;
  CheckPool pool;
};

struct TreeArchive {
  const char* path;  // below /t
  FakeArchiveScript script;
};

FakeArchiveScript TestGives(int16_t result) {
  FakeArchiveScript script;
  script.testResult = result;
  return script;
}

FakeArchiveScript ExtractGives(int16_t result) {
  FakeArchiveScript script;
  script.extractResult = result;
  return script;
}

FakeArchiveScript Unverified() {
  FakeArchiveScript script = TestGives(kResultUnsupportedMethod);
  script.unverifiedMethod = 98;
  return script;
}

void AddTree(Harness& h, const std::vector<TreeArchive>& tree) {
  h.platform.AddFolder("/t");
  for (const TreeArchive& archive : tree) {
    const std::string path = std::string("/t/") + archive.path;
    h.platform.AddFile(path, "PK-" + path);
    h.component.Script(path) = archive.script;
  }
}

// What a run leaves behind, to compare two runs.
struct RunTrace {
  std::vector<std::string> outcomes;
  std::string log, errors, totals;
  Strings counters;
  Strings folders;
  std::vector<Strings> names;  // every folder's names after the run
  int32_t zipsTested = 0;
  int16_t badZips = 0;
  double bytesTested = 0;

  bool operator==(const RunTrace&) const = default;
};

RunTrace Trace(Harness& h, const Strings& folders) {
  RunTrace trace;
  for (const ArchiveOutcome& o : h.platform.outcomes) {
    trace.outcomes.push_back(o.archive + "|" + (o.bad ? "bad" : "good") + "|" + o.errorLine + "|" + o.note +
                             (o.unread ? "|unread" : ""));
  }
  trace.log = h.Log();
  trace.errors = h.Errors();
  trace.totals = h.Totals();
  trace.counters = h.platform.EffectsOf("counter");
  trace.folders = h.platform.EffectsOf("folder");
  for (const std::string& folder : folders) trace.names.push_back(h.platform.Names(folder));
  trace.zipsTested = h.Record().zipsTested;
  trace.badZips = h.Record().badZips;
  trace.bytesTested = h.Record().bytesTested;
  return trace;
}

std::ostream& operator<<(std::ostream& out, const RunTrace& t) {
  out << "log:\n" << t.log << "outcomes:\n";
  for (const std::string& o : t.outcomes) out << "  " << o << "\n";
  return out;
}

const Strings kTreeFolders = {"/t", "/t/s", "/t/s/deep", "/t/z"};

TEST(ParallelRun, RecordsWhatARunCheckingEachArchiveItselfRecords) {
  const struct {
    const char* name;
    std::vector<TreeArchive> tree;
  } cases[] = {
      {"bad early",
       {{"a.zip", TestGives(kResultBadCrc)}, {"b.zip", {}}, {"c.zip", {}}, {"s/d.zip", {}}, {"s/deep/e.zip", {}},
        {"z/f.zip", {}}, {"z/g.zip", {}}}},
      {"bad late",
       {{"a.zip", {}}, {"b.zip", {}}, {"s/c.zip", {}}, {"s/deep/d.zip", {}}, {"z/e.zip", {}},
        {"z/f.zip", ExtractGives(kResultBadStructure)}}},
      {"only bad",
       {{"a.zip", TestGives(kResultBadData)}, {"b.zip", ExtractGives(kResultBadStructure)}, {"s/c.zip", TestGives(kResultCannotRead)},
        {"s/deep/d.zip", TestGives(kResultBadCrc)}, {"z/e.zip", ExtractGives(kResultBadCrc)}}},
      {"none bad",
       {{"a.zip", {}}, {"b.zip", {}}, {"c.zip", {}}, {"s/d.zip", {}}, {"s/deep/e.zip", {}}, {"z/f.zip", {}}}},
      {"notes, warnings, unread and no description files",
       {{"a.zip", Unverified()}, {"b.zip", ExtractGives(kResultPermissionDenied)}, {"c.zip", ExtractGives(50)},
        {"s/d.zip", ExtractGives(kResultNothingMatched)}, {"s/deep/e.zip", TestGives(kResultPermissionDenied)},
        {"z/f.zip", TestGives(kResultBadCrc)}, {"z/g.zip", TestGives(130)}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Harness alone("/t", '/');
    AddTree(alone, c.tree);
    alone.engine.StartRun();

    Harness pooled("/t", '/');
    AddTree(pooled, c.tree);
    Workers workers(pooled.component, 4);
    pooled.engine.SetCheckPool(&workers.pool);
    pooled.engine.StartRun();

    EXPECT_EQ(Trace(pooled, kTreeFolders), Trace(alone, kTreeFolders));
    EXPECT_FALSE(pooled.platform.outcomes.empty());
  }
}

// The workers write no description files; the run extracts them into the
// program folder itself, archive by archive in walk order, and only where
// the worker's extract pass found some to write.
TEST(ParallelRun, DescriptionFilesAreExtractedOnTheRunsThreadInWalkOrder) {
  Harness h("/t", '/');
  AddTree(h, {{"a.zip", {}},
              {"b.zip", ExtractGives(kResultNothingMatched)},
              {"s/c.zip", TestGives(kResultBadCrc)},
              {"s/d.zip", ExtractGives(kResultPermissionDenied)},
              {"z/e.zip", ExtractGives(kResultBadStructure)}});
  Workers workers(h.component, 3);
  h.engine.SetCheckPool(&workers.pool);

  h.engine.StartRun();

  EXPECT_EQ(h.component.Operations(), (Strings{"extract /t/a.zip 0", "extract /t/s/c.zip 0", "extract /t/z/e.zip 0"}));
  EXPECT_NE(std::find(h.component.calls.begin(), h.component.calls.end(), "destination=/opt/qrw"),
            h.component.calls.end());
  size_t workerOperations = 0;
  for (const FakeComponent* worker : workers.components) {
    workerOperations += worker->Operations().size();
    for (const std::string& call : worker->calls) {
      if (call.rfind("destination=", 0) == 0) {
        EXPECT_EQ(call, "destination=");
      }
    }
  }
  // Five extract passes, and a test pass after the three that allow one.
  EXPECT_EQ(workerOperations, 8u);
}

// The view's yield after the k-th applied archive cancels the run.
TEST(ParallelRun, ACancelRecordsExactlyTheArchivesAppliedBeforeIt) {
  const std::vector<TreeArchive> tree = {
      {"a.zip", {}},        {"b.zip", TestGives(kResultBadCrc)}, {"c.zip", {}}, {"s/d.zip", {}}, {"s/e.zip", {}},
      {"s/deep/f.zip", {}}, {"z/g.zip", TestGives(kResultBadCrc)}, {"z/h.zip", {}}};
  for (const size_t applied : {size_t{0}, size_t{1}, size_t{3}, size_t{5}, size_t{7}}) {
    SCOPED_TRACE(applied);
    auto cancelAfter = [applied](Harness& h) {
      h.platform.onProcessEvents = [&h, applied, cancelled = false]() mutable {
        if (!cancelled && h.Record().running && h.platform.outcomes.size() >= applied) {
          cancelled = true;
          h.engine.AbortRun();
        }
      };
    };
    Harness alone("/t", '/');
    AddTree(alone, tree);
    cancelAfter(alone);
    alone.engine.StartRun();

    Harness pooled("/t", '/');
    AddTree(pooled, tree);
    cancelAfter(pooled);
    Workers workers(pooled.component, 4);
    pooled.engine.SetCheckPool(&workers.pool);
    pooled.engine.StartRun();

    EXPECT_EQ(Trace(pooled, kTreeFolders), Trace(alone, kTreeFolders));
    EXPECT_EQ(pooled.platform.outcomes.size(), applied);
    EXPECT_EQ(pooled.Record().zipsTested, static_cast<int32_t>(applied));
    EXPECT_NE(pooled.Log().find("(Aborted) (Command line)"), std::string::npos);
    // A bad archive after the cancel keeps its name.
    EXPECT_EQ(pooled.platform.Exists("/t/b.zip.bad"), applied >= 2);
    EXPECT_EQ(pooled.platform.Exists("/t/z/g.zip.bad"), applied >= 7);
    EXPECT_NE(pooled.platform.Exists("/t/z/g.zip"), applied >= 7);
  }
}

TEST(ParallelRun, AWorkersFailureIsThatArchivesLineAndTheRunGoesOn) {
  const struct {
    const char* name;
    std::function<void()> fault;
  } cases[] = {
      {"exception", [] { throw std::runtime_error("component fault"); }},
      {"out of memory", [] { throw std::bad_alloc(); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Harness h("/t", '/');
    FakeArchiveScript failing;
    failing.duringTest = c.fault;
    AddTree(h, {{"a.zip", {}}, {"b.zip", failing}, {"s/c.zip", {}}, {"s/d.zip", TestGives(kResultBadCrc)}});
    Workers workers(h.component, 2);
    h.engine.SetCheckPool(&workers.pool);

    h.engine.StartRun();

    ASSERT_EQ(h.platform.outcomes.size(), 4u);
    EXPECT_EQ(h.platform.outcomes[1].errorLine, "# 410 - /t/b.zip - renamed (/t/b.zip.bad)");
    EXPECT_EQ(h.platform.outcomes[3].errorLine, "# 110 - /t/s/d.zip - renamed (/t/s/d.zip.bad)");
    EXPECT_EQ(h.Record().zipsTested, 4);
    EXPECT_EQ(h.Record().badZips, 2);
  }
}

// A component whose extract pass runs until it is aborted, raising a
// progress event per round, as a long archive does.
class EndlessComponent : public ArchiveComponent {
 public:
  explicit EndlessComponent(std::promise<void>* started) : started_(started) {}

  bool Abort() const override { return abort_; }
  void SetAbort(bool value) override { abort_ = value; }
  void SetDestinationFolder(const std::string&) override {}
  void SetKeepFolderNames(bool) override {}
  void SetArchiveName(const std::string& path) override { name_ = path; }
  std::string ArchiveName() const override { return name_; }
  void SetFileMask(const std::string&) override {}
  // Gives up (returning success) only after far more rounds than a stop needs.
  int16_t Extract(int16_t) override {
    ++operations;
    abort_ = false;
    if (started_) std::exchange(started_, nullptr)->set_value();
    for (int round = 0; round < 100'000'000; ++round) {
      handler_(ArchiveStatus{name_, 0, 0, 0});
      if (abort_) return kResultAborted;
    }
    return kResultOk;
  }
  int16_t Test() override { return kResultOk; }
  uint16_t UnverifiedMethod() const override { return 0; }
  void SetStatusHandler(StatusHandler handler) override { handler_ = std::move(handler); }

  int operations = 0;

 private:
  std::promise<void>* started_;
  bool abort_ = false;
  std::string name_;
  StatusHandler handler_;
};

TEST(CheckPool, StopAbortsTheCheckInProgressAndDropsTheQueuedOnes) {
  std::promise<void> started;
  EndlessComponent* component = nullptr;
  CheckPool pool(1, [&] {
    auto made = std::make_unique<EndlessComponent>(&started);
    component = made.get();
    return made;
  });
  std::future<ArchiveVerdict> first = pool.Check("/t/a.zip");
  std::future<ArchiveVerdict> second = pool.Check("/t/b.zip");
  std::future<ArchiveVerdict> third = pool.Check("/t/c.zip");
  started.get_future().wait();

  pool.Stop();

  for (std::future<ArchiveVerdict>* verdict : {&first, &second, &third}) {
    ASSERT_TRUE(verdict->valid());
    const ArchiveVerdict got = verdict->get();
    EXPECT_EQ(got.extract, kResultAborted);
    EXPECT_FALSE(got.test.has_value());
  }
  EXPECT_EQ(component->operations, 1);
}

TEST(CheckPool, ChecksQueuedAfterAStopRunNormally) {
  FakeComponent scripted;
  scripted.Script("/t/a.zip") = TestGives(kResultBadCrc);
  scripted.Script("/t/b.zip") = Unverified();
  Workers workers(scripted, 2);
  workers.pool.Stop();

  const ArchiveVerdict bad = workers.pool.Check("/t/a.zip").get();
  const ArchiveVerdict unverified = workers.pool.Check("/t/b.zip").get();

  EXPECT_EQ(bad.extract, kResultOk);
  EXPECT_EQ(bad.test, std::optional<int16_t>(kResultBadCrc));
  EXPECT_EQ(unverified.test, std::optional<int16_t>(kResultUnsupportedMethod));
  EXPECT_EQ(unverified.unverifiedMethod, 98);
}

}  // namespace
}  // namespace quarrow::run
