#pragma once
// A scripted archive component: per archive, the results of the extract and
// test operations and the progress events raised during each; every call is
// recorded.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "archive_component.h"
#include "path_text.h"

namespace quarrow::run {

struct FakeArchiveScript {
  int16_t extractResult = 0;
  int16_t testResult = 0;
  uint16_t unverifiedMethod = 0;  // reported after the test
  std::vector<ArchiveStatus> extractEvents;
  std::vector<ArchiveStatus> testEvents;
  // Runs during the operation (after the events), e.g. to abort.
  std::function<void()> duringTest;
};

class FakeComponent : public ArchiveComponent {
 public:
  // Scripts are looked up by the archive name as set, lower-cased; archives
  // without one follow `fallback`.
  std::map<std::string, FakeArchiveScript> scripts;
  FakeArchiveScript fallback;
  std::vector<std::string> calls;
  bool abort = false;

  FakeArchiveScript& Script(const std::string& archive) { return scripts[AsciiLower(archive)]; }

  // The archive names the operations ran on, in order.
  std::vector<std::string> Operations() const {
    std::vector<std::string> ops;
    for (const std::string& call : calls) {
      if (call.rfind("extract ", 0) == 0 || call.rfind("test ", 0) == 0) ops.push_back(call);
    }
    return ops;
  }

  bool Abort() const override { return abort; }
  void SetAbort(bool value) override {
    abort = value;
    calls.push_back(value ? "abort=1" : "abort=0");
  }
  void SetDestinationFolder(const std::string& folder) override { calls.push_back("destination=" + folder); }
  void SetKeepFolderNames(bool value) override { calls.push_back(value ? "keep=1" : "keep=0"); }
  void SetArchiveName(const std::string& path) override {
    name_ = path;
    calls.push_back("name=" + path);
  }
  std::string ArchiveName() const override { return name_; }
  void SetFileMask(const std::string& mask) override { calls.push_back("mask=" + mask); }

  // Like the real component: each operation clears the abort property as it
  // starts, and an abort set at any event (or during the operation) makes
  // it stop with 190 instead of its result.
  int16_t Extract(int16_t flags) override {
    calls.push_back("extract " + name_ + " " + std::to_string(flags));
    abort = false;
    const FakeArchiveScript script = ScriptFor(name_);
    for (const ArchiveStatus& status : script.extractEvents) {
      handler_(status);
      if (abort) return kResultAborted;
    }
    return script.extractResult;
  }

  int16_t Test() override {
    calls.push_back("test " + name_);
    abort = false;
    const FakeArchiveScript script = ScriptFor(name_);
    for (const ArchiveStatus& status : script.testEvents) {
      handler_(status);
      if (abort) return kResultAborted;
    }
    if (script.duringTest) script.duringTest();
    if (abort) return kResultAborted;
    unverifiedMethod_ = script.unverifiedMethod;
    return script.testResult;
  }

  uint16_t UnverifiedMethod() const override { return unverifiedMethod_; }
  void SetStatusHandler(StatusHandler handler) override { handler_ = std::move(handler); }

 private:
  FakeArchiveScript ScriptFor(const std::string& name) const {
    auto it = scripts.find(AsciiLower(name));
    return it == scripts.end() ? fallback : it->second;
  }

  std::string name_;
  StatusHandler handler_;
  uint16_t unverifiedMethod_ = 0;
};

}  // namespace quarrow::run
