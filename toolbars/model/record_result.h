#pragma once
// Outcome of reading or writing persisted records: a value, or the error with
// the byte offset at which it was found. Readers of several records in a row
// return a Partial: every record they read completely, plus the error that
// stopped them, so a caller can keep what was read so far.
#include <cstddef>
#include <optional>
#include <string_view>

#include "toolbars/base/result.h"

namespace mz::records {

enum class RecordErrorCode {
  Truncated,         // a field runs past the end of the bytes
  NegativeLength,    // a string byte count below zero
  NegativeCount,     // a record or item count below zero
  CountTooLarge,     // more records than the remaining bytes can hold
  BadSignature,      // a control stream without its signature or header word
  ValueTooLarge,     // (writing) a string or count that does not fit its 16-bit field
  Inconsistent,      // (writing) a presence flag and the data it announces disagree
  ObjectUnreadable,  // a stored font or picture object could not be measured
  BadBitmap,         // a picture strip is not a packed bitmap this code can read
  BadCell,           // a picture cell that is empty or lies outside its strip
};

std::string_view RecordErrorText(RecordErrorCode code);

struct RecordError {
  RecordErrorCode Code;
  std::size_t Offset;  // from the start of the bytes being read or written

  bool operator==(const RecordError&) const = default;
};

template <class T>
using Result = mz::Result<T, RecordError>;

template <class T>
struct Partial {
  T Value;
  std::optional<RecordError> Error;

  bool ok() const { return !Error; }
};

}  // namespace mz::records
