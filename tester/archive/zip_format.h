#pragma once
// Record signatures, fixed record sizes and field markers of the zip format.
#include <cstddef>
#include <cstdint>

namespace quarrow::archive::zip {

constexpr uint32_t kLocalHeaderSignature = 0x04034b50;
constexpr uint32_t kCentralHeaderSignature = 0x02014b50;
constexpr uint32_t kEndRecordSignature = 0x06054b50;
constexpr uint32_t kZip64EndRecordSignature = 0x06064b50;
constexpr uint32_t kZip64LocatorSignature = 0x07064b50;
constexpr uint32_t kDataDescriptorSignature = 0x08074b50;

// Fixed parts of the records, before their variable-length fields.
constexpr size_t kLocalHeaderSize = 30;
constexpr size_t kCentralHeaderSize = 46;
constexpr size_t kEndRecordSize = 22;
constexpr size_t kZip64LocatorSize = 20;
constexpr size_t kZip64EndRecordSize = 56;

// The end record's comment is at most this long, so the record starts within
// the last kEndRecordSize + kMaxCommentLength bytes of the file.
constexpr size_t kMaxCommentLength = 0xFFFF;

// A 32-bit size or offset (or a 16-bit count or disk number) holding this
// value has its real value in the zip64 extra field or end record.
constexpr uint32_t kMarker32 = 0xFFFFFFFF;
constexpr uint16_t kMarker16 = 0xFFFF;

constexpr uint16_t kZip64ExtraId = 0x0001;

// General-purpose flag bits.
constexpr uint16_t kFlagEncrypted = 0x0001;
constexpr uint16_t kFlagDataDescriptor = 0x0008;

constexpr uint16_t kMethodStored = 0;
constexpr uint16_t kMethodDeflated = 8;

}  // namespace quarrow::archive::zip
