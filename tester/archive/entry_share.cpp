#include "entry_share.h"

#include <condition_variable>
#include <mutex>

#include "compression_method.h"
#include "local_header.h"
#include "zip_format.h"

namespace quarrow::archive {

ResultCode OpenEntry(BufferedReader& reader, const ZipDirectory& directory, const CentralEntry& entry,
                     uint64_t& dataOffset, StructureCheck& fault) {
  const ResultCode header = ReadLocalHeader(reader, entry, directory.Name(entry), dataOffset, fault);
  if (header != kOk) return header;
  // A method number the format never assigned is no method at all: the
  // entry cannot be read by anyone, so the archive is damaged.
  if (!IsDefinedMethod(entry.method)) return Reject(fault, StructureCheck::kUndefinedMethod);
  if (entry.flags & zip::kFlagEncrypted) return kEncrypted;
  if (!CanDecompress(entry.method)) return kUnsupportedMethod;
  return kOk;
}

namespace {

constexpr size_t kNoEntry = SIZE_MAX;

bool IsFault(ResultCode result) {
  return result != kOk && result != kEncrypted && result != kUnsupportedMethod;
}

// Keeps the progress points an entry's check passes, counted the way the
// operation counts them when it raises Status as it goes.
class ProgressRecorder final : public OutputListener {
 public:
  ProgressRecorder(EntryRecord& record, std::function<bool()> goOn)
      : record_(record), goOn_(std::move(goOn)) {}

  bool OnOutput(std::span<const uint8_t> bytes, uint64_t consumed) override {
    const uint64_t before = record_.produced;
    record_.produced += bytes.size();
    if (record_.produced / kStatusInterval != before / kStatusInterval) {
      record_.progress.push_back({record_.produced, consumed});
    }
    return goOn_();
  }
  void OnRestart() override { record_.produced = 0; }

 private:
  EntryRecord& record_;
  std::function<bool()> goOn_;
};

}  // namespace

struct EntryShare::State {
  enum class Slot : uint8_t { kWaiting, kChecking, kDone };

  State(ByteSource& source, const ZipDirectory& directory, std::span<const size_t> selected,
        InflateEngine engine, const std::atomic<bool>& abort)
      : source(source),
        directory(directory),
        selected(selected),
        engine(engine),
        abort(abort),
        slots(selected.size(), Slot::kWaiting),
        records(selected.size()),
        needed(selected.size()) {}

  size_t Take();
  void Finish(size_t index, EntryRecord record);
  EntryRecord Check(size_t index, BufferedReader& reader, EntryChecker& checker);
  void CheckEntries(BufferedReader& reader, EntryChecker& checker, size_t* delivered, const Deliver* deliver);
  bool DeliverReady(size_t& delivered, const Deliver& deliver, bool wait);
  void Help();
  void Close();

  // Read only while the share is open; a helper that comes later finds
  // it closed and touches none of them.
  ByteSource& source;
  const ZipDirectory& directory;
  std::span<const size_t> selected;
  InflateEngine engine;
  const std::atomic<bool>& abort;
  size_t readCapacity = 0;
  size_t outputCapacity = 0;

  std::mutex mutex;
  std::condition_variable changed;  // an entry was checked, or a helper left
  std::vector<Slot> slots;
  std::vector<EntryRecord> records;  // a record is the checking thread's until its slot is done
  size_t next = 0;                   // the next entry to take
  // Entries from this index on need no check: one before is damaged, or
  // the share is closed. Checks in progress beyond it stop.
  std::atomic<size_t> needed;
  bool closed = false;
  size_t helping = 0;
};

size_t EntryShare::State::Take() {
  std::lock_guard lock(mutex);
  if (closed || abort.load(std::memory_order_relaxed) || next >= needed.load()) return kNoEntry;
  slots[next] = Slot::kChecking;
  return next++;
}

void EntryShare::State::Finish(size_t index, EntryRecord record) {
  {
    std::lock_guard lock(mutex);
    if (IsFault(record.result) && index + 1 < needed.load()) needed.store(index + 1);
    records[index] = std::move(record);
    slots[index] = Slot::kDone;
  }
  changed.notify_all();
}

EntryRecord EntryShare::State::Check(size_t index, BufferedReader& reader, EntryChecker& checker) {
  const CentralEntry& entry = directory.entries[selected[index]];
  EntryRecord record;
  try {
    uint64_t dataOffset = 0;
    record.result = OpenEntry(reader, directory, entry, dataOffset, record.fault);
    if (record.result != kOk) return record;
    ProgressRecorder recorder(record, [this, index] {
      return !abort.load(std::memory_order_relaxed) && index < needed.load(std::memory_order_relaxed);
    });
    record.result = checker.Check(reader, entry, dataOffset, recorder);
  } catch (...) {
    // An entry that cannot be given memory (or whose check fails otherwise)
    // makes the archive unreadable, as it does when checked alone; the
    // record is kept so that no one waits for it in vain.
    record.result = kCannotRead;
  }
  return record;
}

// Checks entries until none is left to take; with `deliver`, hands on the
// records ready after each one, and stops when it says so.
void EntryShare::State::CheckEntries(BufferedReader& reader, EntryChecker& checker, size_t* delivered,
                                     const Deliver* deliver) {
  for (size_t index; (index = Take()) != kNoEntry;) {
    Finish(index, Check(index, reader, checker));
    if (deliver && !DeliverReady(*delivered, *deliver, /*wait=*/false)) return;
  }
  if (deliver) DeliverReady(*delivered, *deliver, /*wait=*/true);
}

// Delivers the records from `delivered` on, in order, as long as they are
// done (waiting for those being checked when `wait` is set). False once
// `deliver` ended the check.
bool EntryShare::State::DeliverReady(size_t& delivered, const Deliver& deliver, bool wait) {
  const EntryRecord unchecked;  // result kAborted
  while (delivered < records.size()) {
    const EntryRecord* record = &unchecked;
    {
      std::unique_lock lock(mutex);
      if (wait) changed.wait(lock, [&] { return slots[delivered] != Slot::kChecking; });
      if (slots[delivered] == Slot::kDone) {
        record = &records[delivered];
      } else if (!wait) {
        return true;
      }
    }
    if (!deliver(delivered, *record)) return false;
    records[delivered] = EntryRecord{};  // its progress points are no longer needed
    ++delivered;
  }
  return true;
}

void EntryShare::State::Help() {
  {
    std::lock_guard lock(mutex);
    if (closed) return;
    ++helping;
  }
  try {
    // Each thread reads through its own handle: a source reads from one
    // position at a time.
    if (const std::unique_ptr<ByteSource> own = source.OpenAnother()) {
      std::vector<uint8_t> buffer(readCapacity);
      BufferedReader reader(*own, buffer);
      EntryChecker checker(outputCapacity);
      checker.SetEngine(engine);
      CheckEntries(reader, checker, nullptr, nullptr);
    }
  } catch (...) {
    // A helper that cannot set up (no memory) leaves its share to the others.
  }
  {
    std::lock_guard lock(mutex);
    --helping;
  }
  changed.notify_all();
}

void EntryShare::State::Close() {
  std::unique_lock lock(mutex);
  closed = true;
  needed.store(0);
  changed.wait(lock, [this] { return helping == 0; });
}

EntryShare::EntryShare(ByteSource& source, const ZipDirectory& directory, std::span<const size_t> selected,
                       InflateEngine engine, const std::atomic<bool>& abort)
    : state_(std::make_shared<State>(source, directory, selected, engine, abort)) {}

void EntryShare::Run(BufferedReader& reader, EntryChecker& checker, const HelpOffer& help,
                     const Deliver& deliver) {
  State& state = *state_;
  state.readCapacity = reader.Capacity();
  state.outputCapacity = checker.OutputCapacity();
  // However this ends (even by an exception from `deliver`), no helper is
  // left using the caller's directory and source.
  struct Closer {
    State& state;
    ~Closer() { state.Close(); }
  } closer{state};
  if (help) help([shared = state_] { shared->Help(); });
  size_t delivered = 0;
  state.CheckEntries(reader, checker, &delivered, &deliver);
}

}  // namespace quarrow::archive
