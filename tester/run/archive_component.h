#pragma once
// What the engine needs from the archive component, by role. The console
// front end adapts the real component to it; the engine's tests use a fake
// that returns any result code and raises any progress events.
#include <cstdint>
#include <functional>
#include <string>

namespace quarrow::run {

// Result codes the engine acts on.
enum ArchiveResult : int16_t {
  kResultOk = 0,
  kResultBadStructure = 100,
  kResultBadCrc = 110,
  kResultUnsupportedMethod = 120,
  kResultNothingMatched = 140,
  kResultAborted = 190,
  kResultBadData = 200,
  kResultCannotRead = 410,
  kResultPermissionDenied = 420,
};

// The parts of the component's progress event the tester shows.
struct ArchiveStatus {
  std::string fileName;     // entry name as stored in the archive
  uint32_t size = 0;        // entry bytes
  int16_t ratio = 0;        // percentage saved by compression
  int16_t completion = 0;   // percentage of the operation done
};

class ArchiveComponent {
 public:
  using StatusHandler = std::function<void(const ArchiveStatus&)>;
  // Hands a task to other threads; each idle one may run it once.
  using HelpOffer = std::function<void(const std::function<void()>& task)>;

  virtual ~ArchiveComponent() = default;

  // True stops the operation in progress; read after an operation, true
  // means it was cut short.
  virtual bool Abort() const = 0;
  virtual void SetAbort(bool value) = 0;

  virtual void SetDestinationFolder(const std::string& folder) = 0;
  // Off: extracted entries land directly in the destination folder.
  virtual void SetKeepFolderNames(bool value) = 0;
  virtual void SetArchiveName(const std::string& path) = 0;
  virtual std::string ArchiveName() const = 0;
  virtual void SetFileMask(const std::string& mask) = 0;

  // Unpacks the entries matching the mask into the destination folder.
  virtual int16_t Extract(int16_t flags) = 0;
  // Tests every entry matching the mask.
  virtual int16_t Test() = 0;
  // After a test that returned 120: the compression method left unverified.
  virtual uint16_t UnverifiedMethod() const = 0;

  // Called on the caller's thread during Extract and Test.
  virtual void SetStatusHandler(StatusHandler handler) = 0;

  // Threads that may check the entries of one large archive alongside the
  // caller's; the results are the same with them as without. A component
  // that checks on the caller's thread only ignores them.
  virtual void SetEntryHelp(HelpOffer offer) { (void)offer; }
};

}  // namespace quarrow::run
