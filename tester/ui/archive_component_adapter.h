#pragma once
// Presents the archive component to the run engine in the roles it uses.
#include "archive_component.h"
#include "archive_tester.h"

namespace quarrow::ui {

class ArchiveComponentAdapter : public run::ArchiveComponent {
 public:
  explicit ArchiveComponentAdapter(archive::ArchiveTester& tester) : tester_(tester) {}

  bool Abort() const override { return tester_.Abort(); }
  void SetAbort(bool value) override { tester_.SetAbort(value); }
  void SetDestinationFolder(const std::string& folder) override { tester_.SetDestinationFolder(folder); }
  void SetKeepFolderNames(bool value) override { tester_.SetKeepFolderNames(value); }
  void SetArchiveName(const std::string& path) override { tester_.SetArchiveName(path); }
  std::string ArchiveName() const override { return tester_.ArchiveName(); }
  void SetFileMask(const std::string& mask) override { tester_.SetFileMask(mask); }
  int16_t Extract(int16_t flags) override { return tester_.Extract(flags); }
  int16_t Test() override { return tester_.Test(); }
  uint16_t UnverifiedMethod() const override { return tester_.UnverifiedMethod(); }
  void SetStatusHandler(StatusHandler handler) override;
  void SetEntryHelp(HelpOffer offer) override { tester_.SetEntryHelp(std::move(offer)); }

 private:
  archive::ArchiveTester& tester_;
};

// The adapter together with a component of its own: one per worker of a
// check pool. (The component is a base so that it is built before the
// adapter that refers to it.)
struct OwnedTester {
  archive::ArchiveTester tester;
};

class OwnedArchiveComponent : private OwnedTester, public ArchiveComponentAdapter {
 public:
  OwnedArchiveComponent() : ArchiveComponentAdapter(tester) {}
};

}  // namespace quarrow::ui
