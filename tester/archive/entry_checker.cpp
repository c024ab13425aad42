#include "entry_checker.h"

#include <algorithm>
#include <limits>

#include "zip_format.h"

namespace quarrow::archive {
namespace {

uint32_t UpdateCrc(uint32_t crc, std::span<const uint8_t> bytes) {
  // zlib's crc32 takes a 32-bit length; the spans here are one buffer long.
  return static_cast<uint32_t>(crc32(crc, bytes.data(), static_cast<uInt>(bytes.size())));
}

}  // namespace

EntryChecker::EntryChecker(size_t outputCapacity) : output_(outputCapacity) {
  // Raw deflate: zip entries carry no zlib header or trailer.
  streamReady_ = inflateInit2(&stream_, -MAX_WBITS) == Z_OK;
}

EntryChecker::~EntryChecker() {
  if (streamReady_) inflateEnd(&stream_);
}

ResultCode EntryChecker::Check(BufferedReader& reader, const CentralEntry& entry,
                               uint64_t dataOffset, OutputListener& listener) {
  if (entry.method == zip::kMethodStored) return CheckStored(reader, entry, dataOffset, listener);
  return CheckDeflated(reader, entry, dataOffset, listener);
}

ResultCode EntryChecker::CheckStored(BufferedReader& reader, const CentralEntry& entry,
                                     uint64_t dataOffset, OutputListener& listener) {
  if (entry.compressedSize != entry.uncompressedSize) return kBadCrc;
  uint32_t crc = UpdateCrc(0, {});
  uint64_t done = 0;
  while (done < entry.compressedSize) {
    const auto chunk = reader.ReadSome(dataOffset + done, entry.compressedSize - done);
    if (!chunk) return kCannotRead;
    crc = UpdateCrc(crc, *chunk);
    done += chunk->size();
    if (!listener.OnOutput(*chunk, done)) return kAborted;
  }
  return crc == entry.crc32 ? kOk : kBadCrc;
}

ResultCode EntryChecker::CheckDeflated(BufferedReader& reader, const CentralEntry& entry,
                                       uint64_t dataOffset, OutputListener& listener) {
  if (!streamReady_ || inflateReset(&stream_) != Z_OK) return kBadData;
  uint32_t crc = UpdateCrc(0, {});
  uint64_t unread = entry.compressedSize;  // compressed bytes not yet handed to zlib
  uint64_t consumed = 0;
  uint64_t produced = 0;
  stream_.next_in = nullptr;
  stream_.avail_in = 0;
  const uInt outputSize = static_cast<uInt>(
      std::min<size_t>(output_.size(), std::numeric_limits<uInt>::max()));

  for (;;) {
    if (stream_.avail_in == 0 && unread > 0) {
      const auto chunk = reader.ReadSome(dataOffset + (entry.compressedSize - unread), unread);
      if (!chunk) return kCannotRead;
      stream_.next_in = const_cast<Bytef*>(chunk->data());
      stream_.avail_in = static_cast<uInt>(chunk->size());
      unread -= chunk->size();
    }
    const uInt inputBefore = stream_.avail_in;
    stream_.next_out = output_.data();
    stream_.avail_out = outputSize;
    const int status = inflate(&stream_, Z_NO_FLUSH);
    consumed += inputBefore - stream_.avail_in;
    const size_t made = outputSize - stream_.avail_out;

    // Stop as soon as the data outgrows its recorded size, so a lying size
    // field cannot make the check inflate without end.
    if (made > entry.uncompressedSize - produced) return kBadCrc;
    const std::span<const uint8_t> piece(output_.data(), made);
    crc = UpdateCrc(crc, piece);
    produced += made;
    if (!listener.OnOutput(piece, consumed)) return kAborted;

    if (status == Z_STREAM_END) break;
    // Z_BUF_ERROR with all input given means the stream stops before its end
    // marker; anything else but Z_OK means it is invalid.
    if (status != Z_OK) return kBadData;
  }
  // Bytes after the end marker but inside the compressed size are damage too.
  if (stream_.avail_in != 0 || unread != 0) return kBadData;
  if (produced != entry.uncompressedSize || crc != entry.crc32) return kBadCrc;
  return kOk;
}

}  // namespace quarrow::archive
