#include "entry_checker.h"

#include <algorithm>

#include "compression_method.h"
#include "zip_format.h"

namespace quarrow::archive {
namespace {

// The piece of an entry's data from `done` bytes on, up to the next multiple
// of the reader's capacity counted from the data's start. The pieces a
// decoder is given, and so the output steps it takes and the progress told,
// are the same whatever the reader held before: an entry checked on its own
// reports as it does in the middle of an archive.
std::optional<std::span<const uint8_t>> NextPiece(BufferedReader& reader, uint64_t dataOffset, uint64_t done,
                                                  uint64_t total) {
  const uint64_t capacity = reader.Capacity();
  const uint64_t length = std::min(total - done, capacity - done % capacity);
  return reader.Read(dataOffset + done, static_cast<size_t>(length));
}

}  // namespace

EntryChecker::EntryChecker(size_t outputCapacity) : output_(outputCapacity) {}

EntryChecker::~EntryChecker() = default;

void EntryChecker::SetEngine(InflateEngine engine) {
  if (engine == engine_) return;
  engine_ = engine;
  decoders_.erase(zip::kMethodDeflated);  // the only decoder that depends on it
}

EntryDecoder* EntryChecker::DecoderFor(uint16_t method) {
  std::unique_ptr<EntryDecoder>& decoder = decoders_[method];
  if (!decoder) decoder = MakeDecoder(method, engine_);
  return decoder.get();
}

uint32_t EntryChecker::UpdateCrc(uint32_t crc, std::span<const uint8_t> bytes) const {
  return UpdateCrc32(engine_, crc, bytes);
}

ResultCode EntryChecker::Check(BufferedReader& reader, const CentralEntry& entry,
                               uint64_t dataOffset, OutputListener& listener) {
  if (entry.method == zip::kMethodStored) return CheckStored(reader, entry, dataOffset, listener);
  EntryDecoder* decoder = DecoderFor(entry.method);
  if (!decoder) return kUnsupportedMethod;
  // zlib decides which fault a damaged deflate stream has. ISA-L may write
  // bytes past the point where it finds a stream invalid, so its output
  // then does not tell how far the data was good (which decides between a
  // size fault and a data fault); and it accepts code sets that leave codes
  // unassigned, which zlib rejects, so data it decodes wrongly from them
  // would be a CRC fault to it. Good streams, nearly all, are decoded once.
  const bool refereed = entry.method == zip::kMethodDeflated && engine_ != InflateEngine::kZlib;
  const std::optional<ResultCode> result = CheckDecoded(*decoder, reader, entry, dataOffset, listener, refereed);
  if (result && !(refereed && (*result == kBadCrc || *result == kBadData))) return *result;
  if (!zlibDeflate_) zlibDeflate_ = MakeDecoder(zip::kMethodDeflated, InflateEngine::kZlib);
  listener.OnRestart();
  return *CheckDecoded(*zlibDeflate_, reader, entry, dataOffset, listener, false);
}

ResultCode EntryChecker::CheckStored(BufferedReader& reader, const CentralEntry& entry,
                                     uint64_t dataOffset, OutputListener& listener) {
  if (entry.compressedSize != entry.uncompressedSize) return kBadCrc;
  uint32_t crc = UpdateCrc(0, {});
  uint64_t done = 0;
  while (done < entry.compressedSize) {
    const auto chunk = NextPiece(reader, dataOffset, done, entry.compressedSize);
    if (!chunk) return kCannotRead;
    crc = UpdateCrc(crc, *chunk);
    done += chunk->size();
    if (!listener.OnOutput(*chunk, done)) return kAborted;
  }
  return crc == entry.crc32 ? kOk : kBadCrc;
}

std::optional<ResultCode> EntryChecker::CheckDecoded(EntryDecoder& decoder, BufferedReader& reader,
                                                     const CentralEntry& entry, uint64_t dataOffset,
                                                     OutputListener& listener, bool deferInvalid) {
  if (!decoder.Start(entry.uncompressedSize)) return kBadData;
  uint32_t crc = UpdateCrc(0, {});
  uint64_t unread = entry.compressedSize;  // compressed bytes not yet read
  uint64_t consumed = 0;
  uint64_t produced = 0;
  std::span<const uint8_t> pending;        // read but not yet decoded

  for (;;) {
    if (pending.empty() && unread > 0) {
      const auto chunk = NextPiece(reader, dataOffset, entry.compressedSize - unread, entry.compressedSize);
      if (!chunk) return kCannotRead;
      pending = *chunk;
      unread -= chunk->size();
    }
    const DecodeStep step = decoder.Step(pending, output_);
    if (step.status == DecodeStatus::kInvalid && deferInvalid) return std::nullopt;
    pending = pending.subspan(step.consumed);
    consumed += step.consumed;

    // Stop as soon as the data outgrows its recorded size, so a lying size
    // field cannot make the check decode without end.
    if (step.produced > entry.uncompressedSize - produced) return kBadCrc;
    const std::span<const uint8_t> piece(output_.data(), step.produced);
    crc = UpdateCrc(crc, piece);
    produced += step.produced;
    if (!listener.OnOutput(piece, consumed)) return kAborted;

    if (step.status == DecodeStatus::kEnd) break;
    if (step.status == DecodeStatus::kInvalid) return kBadData;
    // A step that neither used input nor made output cannot be followed by
    // one that does: the stream stops short of its end.
    if (step.consumed == 0 && step.produced == 0 && (!pending.empty() || unread == 0)) return kBadData;
  }
  // Bytes after the end of the stream but inside the compressed size are damage too.
  if (!pending.empty() || unread != 0) return kBadData;
  if (produced != entry.uncompressedSize || crc != entry.crc32) return kBadCrc;
  return kOk;
}

}  // namespace quarrow::archive
