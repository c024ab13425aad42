#include "archive_operation.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "buffered_reader.h"
#include "checked_math.h"
#include "compression_method.h"
#include "entry_checker.h"
#include "entry_share.h"
#include "extract_name.h"
#include "extract_writer.h"
#include "name_mask.h"
#include "zip_directory.h"
#include "zip_format.h"

namespace quarrow::archive {
namespace {

// Large enough for the biggest central entry (46 + 3 * 65535 bytes) and for
// reads that keep the disk streaming.
constexpr size_t kReadBufferSize = 256 * 1024;
constexpr size_t kOutputBufferSize = 256 * 1024;
// Extraction inflates into memory before writing, so it is limited to
// description-sized files; larger entries are checked but never written.
constexpr uint64_t kMaxExtractSize = 1024 * 1024;
// What one extraction writes at most, so a small hostile archive of many
// description files cannot fill the disk; further entries are still checked.
constexpr size_t kMaxExtractFiles = 16;
constexpr uint64_t kMaxExtractTotal = 4 * 1024 * 1024;

// 100 - 100 * compressed / size, kept inside the 16-bit range for entries
// that grew when compressed.
int16_t SavedPercent(uint64_t compressed, uint64_t size) {
  if (size == 0) return 0;
  const uint64_t used = PercentOf(compressed, size);
  if (used > 100 + 32768) return INT16_MIN;
  return static_cast<int16_t>(100 - static_cast<int64_t>(used));
}

uint32_t Low32(uint64_t value) { return static_cast<uint32_t>(value); }

class Operation final : public OutputListener, private EntryTaker {
 public:
  Operation(ByteSource& source, const OperationSettings& settings,
            const std::atomic<bool>& abort, const ArchiveTester::StatusHandler& status,
            OperationWorkspace& workspace, ResultDetail& detail)
      : source_(source),
        settings_(settings),
        abort_(abort),
        status_(status),
        reader_(source, workspace.readBuffer),
        checker_(workspace.checker),
        directory_(workspace.directory),
        collected_(workspace.extracted),
        detail_(detail) {
    checker_.SetEngine(settings.engine);
  }

  ResultCode Run();

 private:
  // The directory and every selected entry, in order.
  ResultCode RunEntries();
  bool Aborted() const { return abort_.load(std::memory_order_relaxed); }
  bool Extracting() const { return settings_.kind == OperationKind::kExtract; }
  void SelectEntries();
  bool Shared() const;
  // The selected entries checked on several threads, decided in order.
  ResultCode RunShared();
  // The entries' checks as the share tells them: the same events, the same
  // abort checks between them and the same decision as ProcessEntry.
  bool Begin(size_t index) override;
  bool Progress(size_t index, const ProgressPoint& point) override;
  bool End(size_t index, const EntryRecord& record) override;
  ResultCode Finish();
  void NoteSkipped(ResultCode skipped, const CentralEntry& entry);
  ResultCode ProcessEntry(const CentralEntry& entry);
  bool OnOutput(std::span<const uint8_t> bytes, uint64_t consumed) override;
  void OnRestart() override;
  int16_t Completion(uint64_t consumed) const;
  std::string ReadComment(const CentralEntry& entry);
  void RaiseStatus(uint64_t processed, int16_t completion);

  ByteSource& source_;
  const OperationSettings& settings_;
  const std::atomic<bool>& abort_;
  const ArchiveTester::StatusHandler& status_;
  BufferedReader reader_;
  EntryChecker& checker_;
  ZipDirectory& directory_;
  std::vector<size_t> selected_;     // indexes of the entries matching the mask
  uint64_t totalCompressed_ = 0;     // compressed bytes of the selected entries
  uint64_t doneCompressed_ = 0;      // ... of those finished
  ResultCode notice_ = kOk;          // first unsupported or encrypted entry (test only)
  size_t writtenFiles_ = 0;          // extracted files written so far
  uint64_t writtenBytes_ = 0;        // ... and their bytes
  ResultCode sharedResult_ = kOk;    // what ended a shared test early

  // The entry in progress.
  const CentralEntry* current_ = nullptr;
  uint64_t produced_ = 0;
  bool collecting_ = false;
  std::vector<uint8_t>& collected_;
  ResultDetail& detail_;
};

void Operation::SelectEntries() {
  for (size_t i = 0; i < directory_.entries.size(); ++i) {
    const CentralEntry& entry = directory_.entries[i];
    if (!MatchesMask(settings_.fileMask, PlainFileName(directory_.Name(entry)))) continue;
    selected_.push_back(i);
    // Entries do not overlap, so their sizes add up to less than the file.
    totalCompressed_ += entry.compressedSize;
  }
}

ResultCode Operation::Run() {
  detail_ = ResultDetail{};
  const ResultCode result = RunEntries();
  // The unverified method is noted at the first such entry; it describes
  // the result only when nothing worse came after it.
  if (result != kUnsupportedMethod) detail_.method = 0;
  return result;
}

ResultCode Operation::RunEntries() {
  ResultCode result = ReadDirectory(reader_, abort_, directory_, detail_.structure);
  if (result != kOk) return result;
  SelectEntries();
  if (selected_.empty()) return Extracting() ? kNothingMatched : kOk;
  if (Shared()) return RunShared();
  for (const size_t index : selected_) {
    if (Aborted()) return kAborted;
    result = ProcessEntry(directory_.entries[index]);
    if (result != kOk) return result;
    doneCompressed_ += directory_.entries[index].compressedSize;
  }
  return Finish();
}

// The last event, after every entry was good or skipped.
ResultCode Operation::Finish() {
  RaiseStatus(produced_, 100);
  // An abort given at the last event still stops the operation: the caller
  // asked for it before the operation had returned.
  if (Aborted()) return kAborted;
  return notice_;
}

bool Operation::Shared() const {
  return !Extracting() && settings_.help && selected_.size() >= 2 && totalCompressed_ >= settings_.shareFrom;
}

ResultCode Operation::RunShared() {
  EntryShare share(source_, directory_, selected_, settings_.engine, abort_);
  share.Run(reader_, checker_, settings_.help, *this);
  return sharedResult_ != kOk ? sharedResult_ : Finish();
}

bool Operation::Begin(size_t index) {
  sharedResult_ = kAborted;
  if (Aborted()) return false;
  current_ = &directory_.entries[selected_[index]];
  RaiseStatus(0, Completion(doneCompressed_));
  if (Aborted()) return false;
  sharedResult_ = kOk;
  return true;
}

bool Operation::Progress(size_t /*index*/, const ProgressPoint& point) {
  RaiseStatus(point.produced, Completion(doneCompressed_ + point.consumed));
  if (!Aborted()) return true;
  sharedResult_ = kAborted;
  return false;
}

bool Operation::End(size_t index, const EntryRecord& record) {
  const CentralEntry& entry = directory_.entries[selected_[index]];
  if (record.result == kEncrypted || record.result == kUnsupportedMethod) {
    NoteSkipped(record.result, entry);
  } else if (record.result != kOk) {
    sharedResult_ = record.result;
    detail_.structure = record.fault;
    return false;
  }
  produced_ = record.produced;
  doneCompressed_ += entry.compressedSize;
  return true;
}

// Entries that cannot be checked are noted by the test (the first decides
// which note) and skipped by the extraction, where they still count as matched.
void Operation::NoteSkipped(ResultCode skipped, const CentralEntry& entry) {
  if (Extracting() || notice_ != kOk) return;
  notice_ = skipped;
  if (skipped == kUnsupportedMethod) detail_.method = entry.method;
}

ResultCode Operation::ProcessEntry(const CentralEntry& entry) {
  current_ = &entry;
  produced_ = 0;
  collecting_ = false;
  RaiseStatus(0, Completion(doneCompressed_));
  if (Aborted()) return kAborted;

  uint64_t dataOffset = 0;
  const ResultCode opened = OpenEntry(reader_, directory_, entry, dataOffset, detail_.structure);
  if (opened == kEncrypted || opened == kUnsupportedMethod) {
    NoteSkipped(opened, entry);
    return kOk;
  }
  if (opened != kOk) return opened;

  std::optional<std::vector<std::string>> path;
  if (Extracting() && entry.uncompressedSize <= kMaxExtractSize &&
      writtenFiles_ < kMaxExtractFiles && entry.uncompressedSize <= kMaxExtractTotal - writtenBytes_) {
    path = SafeExtractPath(directory_.Name(entry), settings_.keepFolderNames);
  }
  // Entries that will not be written are still checked, without keeping
  // their data, so damage is reported whichever entry it is in.
  collecting_ = path.has_value();
  collected_.clear();
  if (collecting_) collected_.reserve(static_cast<size_t>(entry.uncompressedSize));

  const ResultCode data = checker_.Check(reader_, entry, dataOffset, *this);
  if (data != kOk) return data;
  // A destination that cannot be written leaves the entry unwritten; the
  // archive itself is not at fault.
  if (collecting_ && WriteExtractedFile(settings_.destination, *path, collected_)) {
    ++writtenFiles_;
    writtenBytes_ += collected_.size();
  }
  return kOk;
}

bool Operation::OnOutput(std::span<const uint8_t> bytes, uint64_t consumed) {
  if (collecting_) collected_.insert(collected_.end(), bytes.begin(), bytes.end());
  const uint64_t before = produced_;
  produced_ += bytes.size();
  if (produced_ / kStatusInterval != before / kStatusInterval) {
    RaiseStatus(produced_, Completion(doneCompressed_ + consumed));
  }
  return !Aborted();
}

void Operation::OnRestart() {
  collected_.clear();
  produced_ = 0;
}

int16_t Operation::Completion(uint64_t consumed) const {
  return static_cast<int16_t>(std::min<uint64_t>(PercentOf(consumed, totalCompressed_), 100));
}

std::string Operation::ReadComment(const CentralEntry& entry) {
  // Comments are rare and read only for the event, straight from the source
  // so the read window stays on the entry data.
  std::string comment(entry.commentLength, '\0');
  const std::span<uint8_t> bytes(reinterpret_cast<uint8_t*>(comment.data()), comment.size());
  if (!comment.empty() && !source_.ReadAt(entry.commentOffset, bytes)) comment.clear();
  return comment;
}

void Operation::RaiseStatus(uint64_t processed, int16_t completion) {
  if (!status_) return;
  const CentralEntry& entry = *current_;
  StatusEvent event;
  event.FileName = std::string(directory_.Name(entry));
  event.Size = Low32(entry.uncompressedSize);
  event.PSize = Low32(entry.compressedSize);
  event.Processed = Low32(processed);
  event.Attr = entry.externalAttributes;
  event.FTime = entry.dosDateTime;
  event.CRC = entry.crc32;
  event.Ratio = SavedPercent(entry.compressedSize, entry.uncompressedSize);
  event.Completion = completion;
  event.Method = MethodName(entry.method);
  event.Encrypted = (entry.flags & zip::kFlagEncrypted) != 0;
  event.ComLen = static_cast<int16_t>(std::min<uint16_t>(entry.commentLength, INT16_MAX));
  event.Comment = ReadComment(entry);
  status_(event);
}

}  // namespace

OperationWorkspace::OperationWorkspace()
    : readBuffer(kReadBufferSize), checker(kOutputBufferSize) {}

ResultCode RunOperation(ByteSource& source, const OperationSettings& settings,
                        const std::atomic<bool>& abort,
                        const ArchiveTester::StatusHandler& status,
                        OperationWorkspace& workspace, ResultDetail& detail) {
  Operation operation(source, settings, abort, status, workspace, detail);
  return operation.Run();
}

}  // namespace quarrow::archive
