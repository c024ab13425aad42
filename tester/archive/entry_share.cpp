#include "entry_share.h"

#include <algorithm>
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
        order(selected.size()),
        needed(selected.size()) {
    // Largest first: the entries taken last are the short ones, so the
    // thread that runs the share rarely waits long for a helper's entry
    // once none is left to take.
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
      return directory.entries[selected[a]].uncompressedSize > directory.entries[selected[b]].uncompressedSize;
    });
  }

  size_t Take();
  EntryRecord Check(size_t index, BufferedReader& reader, EntryChecker& checker, bool telling);
  void AddPoint(size_t index, const ProgressPoint& point);
  void Finish(size_t index, EntryRecord record);
  void CheckEntries(BufferedReader& reader, EntryChecker& checker, bool telling);
  bool Tell(bool wait);
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
  std::condition_variable changed;  // a progress point, an entry checked, or a helper left
  std::vector<Slot> slots;
  std::vector<EntryRecord> records;
  std::vector<size_t> order;  // the entries in the order they are taken
  size_t next = 0;            // position in `order` of the next entry to take
  // Entries from this index on need no check: one before is damaged, or
  // the share is closed. Checks in progress beyond it stop.
  std::atomic<size_t> needed;
  bool closed = false;
  size_t helping = 0;

  // The thread that runs the share tells the taker; these are its own.
  EntryTaker* taker = nullptr;
  size_t told = 0;        // entries told to their end
  bool begun = false;     // entry `told` has been told its turn
  size_t toldPoints = 0;  // ... and this many of its progress points
  bool decided = false;   // the taker ended the test
};

size_t EntryShare::State::Take() {
  std::lock_guard lock(mutex);
  if (closed || abort.load(std::memory_order_relaxed)) return kNoEntry;
  // Entries after a damaged one are never told: they need no check.
  while (next < order.size() && order[next] >= needed.load()) ++next;
  if (next == order.size()) return kNoEntry;
  const size_t index = order[next++];
  slots[index] = Slot::kChecking;
  return index;
}

void EntryShare::State::AddPoint(size_t index, const ProgressPoint& point) {
  {
    std::lock_guard lock(mutex);
    records[index].progress.push_back(point);
  }
  changed.notify_all();
}

void EntryShare::State::Finish(size_t index, EntryRecord record) {
  {
    std::lock_guard lock(mutex);
    if (IsFault(record.result) && index + 1 < needed.load()) needed.store(index + 1);
    std::vector<ProgressPoint> progress = std::move(records[index].progress);
    records[index] = std::move(record);
    records[index].progress = std::move(progress);
    slots[index] = Slot::kDone;
  }
  changed.notify_all();
}

namespace {

// Counts an entry's output the way the operation does when it raises
// Status as it goes, and hands on each progress point as it is passed.
class ProgressCounter final : public OutputListener {
 public:
  ProgressCounter(std::function<bool(const ProgressPoint&)> point, std::function<bool()> goOn)
      : point_(std::move(point)), goOn_(std::move(goOn)) {}

  uint64_t Produced() const { return produced_; }

  bool OnOutput(std::span<const uint8_t> bytes, uint64_t consumed) override {
    const uint64_t before = produced_;
    produced_ += bytes.size();
    if (produced_ / kStatusInterval != before / kStatusInterval && !point_({produced_, consumed})) return false;
    return goOn_();
  }
  void OnRestart() override { produced_ = 0; }

 private:
  uint64_t produced_ = 0;
  std::function<bool(const ProgressPoint&)> point_;
  std::function<bool()> goOn_;
};

}  // namespace

EntryRecord EntryShare::State::Check(size_t index, BufferedReader& reader, EntryChecker& checker, bool telling) {
  const CentralEntry& entry = directory.entries[selected[index]];
  EntryRecord record;
  try {
    uint64_t dataOffset = 0;
    record.result = OpenEntry(reader, directory, entry, dataOffset, record.fault);
    if (record.result != kOk) return record;
    // The thread that tells the taker tells what is ready at each point it
    // passes itself, so events keep coming while it checks.
    ProgressCounter counter(
        [this, index, telling](const ProgressPoint& point) {
          AddPoint(index, point);
          if (!telling) return true;
          if (!Tell(/*wait=*/false)) decided = true;
          return !decided;
        },
        [this, index] {
          return !abort.load(std::memory_order_relaxed) && index < needed.load(std::memory_order_relaxed);
        });
    record.result = checker.Check(reader, entry, dataOffset, counter);
    record.produced = counter.Produced();
  } catch (...) {
    // An entry that cannot be given memory (or whose check fails otherwise)
    // makes the archive unreadable, as it does when checked alone; the
    // record is kept so that no one waits for it in vain.
    record.result = kCannotRead;
  }
  return record;
}

// Checks entries until none is left to take; the telling thread tells what
// is ready after each one, then waits for the rest.
void EntryShare::State::CheckEntries(BufferedReader& reader, EntryChecker& checker, bool telling) {
  for (size_t index; !(telling && decided) && (index = Take()) != kNoEntry;) {
    Finish(index, Check(index, reader, checker, telling));
    if (telling && !decided && !Tell(/*wait=*/false)) decided = true;
  }
  if (telling && !decided && !Tell(/*wait=*/true)) decided = true;
}

// Tells the taker what is ready from entry `told` on, in order (with
// `wait`, waiting for the rest until every entry is told). False once the
// taker ended the test.
bool EntryShare::State::Tell(bool wait) {
  const EntryRecord unchecked;  // result kAborted
  while (told < records.size()) {
    std::vector<ProgressPoint> points;
    bool over = false;
    {
      std::unique_lock lock(mutex);
      const auto ready = [this] { return slots[told] != Slot::kChecking || records[told].progress.size() > toldPoints; };
      if (wait) changed.wait(lock, ready);
      if (slots[told] == Slot::kWaiting && !wait) return true;
      const std::vector<ProgressPoint>& progress = records[told].progress;
      points.assign(progress.begin() + static_cast<std::ptrdiff_t>(toldPoints), progress.end());
      over = slots[told] != Slot::kChecking;
    }
    if (!begun && !taker->Begin(told)) return false;
    begun = true;
    for (const ProgressPoint& point : points) {
      if (!taker->Progress(told, point)) return false;
      ++toldPoints;
    }
    if (!over) {
      if (!wait) return true;
      continue;
    }
    // Nothing writes a slot that is over; nobody checked one still waiting.
    const bool checked = slots[told] == Slot::kDone;
    if (!taker->End(told, checked ? records[told] : unchecked)) return false;
    records[told] = EntryRecord{};
    ++told;
    begun = false;
    toldPoints = 0;
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
      CheckEntries(reader, checker, /*telling=*/false);
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

void EntryShare::Run(BufferedReader& reader, EntryChecker& checker, const HelpOffer& help, EntryTaker& taker) {
  State& state = *state_;
  state.readCapacity = reader.Capacity();
  state.outputCapacity = checker.OutputCapacity();
  state.taker = &taker;
  // However this ends (even by an exception from the taker), no helper is
  // left using the caller's directory and source.
  struct Closer {
    State& state;
    ~Closer() { state.Close(); }
  } closer{state};
  if (help) help([shared = state_] { shared->Help(); });
  state.CheckEntries(reader, checker, /*telling=*/true);
}

}  // namespace quarrow::archive
