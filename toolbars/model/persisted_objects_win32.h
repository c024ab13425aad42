#pragma once
// The platform objects around the control's saved state: memory streams over
// bytes, whole-stream reads and writes, and the stream forms of the standard
// font and picture objects that the saved state embeds.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstdint>
#include <span>
#include <vector>

#include "toolbars/model/record_control_stream.h"

namespace mz::com {

// A new memory stream holding a copy of `bytes`, positioned at its start.
HRESULT stream_over(std::span<const std::uint8_t> bytes, IStream** out);
// Everything from the stream's current position to its end.
HRESULT read_rest(IStream* stream, std::vector<std::uint8_t>& out);
HRESULT write_all(IStream* stream, std::span<const std::uint8_t> bytes);
// Moves the stream to `offset` bytes from where `start` was taken.
HRESULT seek_to(IStream* stream, ULARGE_INTEGER start, std::uint64_t offset);
ULARGE_INTEGER stream_position(IStream* stream);

// The bytes an object writes through its IPersistStream.
HRESULT save_object(IUnknown* object, std::vector<std::uint8_t>& out);
HRESULT load_font(std::span<const std::uint8_t> bytes, IFontDisp** out);
HRESULT load_picture(std::span<const std::uint8_t> bytes, IPictureDisp** out);

// How long a stored font or picture is, for the record reader.
records::StoredObjectMeasures stored_object_measures();

}  // namespace mz::com
