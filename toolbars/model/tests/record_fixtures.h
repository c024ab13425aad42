#pragma once
// Test support for the record codec: a byte builder for fixtures written by
// hand from the record layouts, a stand-in for the platform's stored object
// form, sample records with every field away from its default, and
// hand-built control streams of each data version.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "toolbars/model/record_control_stream.h"
#include "toolbars/model/record_picture_strip.h"

namespace mz::records::testing {

// Little-endian bytes, appended field by field.
class Bytes {
 public:
  Bytes& U8(std::uint8_t v);
  Bytes& I16(std::int16_t v);
  Bytes& I32(std::int32_t v);
  Bytes& U32(std::uint32_t v);
  Bytes& Str(std::string_view text);  // signed 16-bit byte count, then the text
  Bytes& Raw(std::span<const std::uint8_t> bytes);

  const std::vector<std::uint8_t>& data() const { return bytes_; }
  std::size_t size() const { return bytes_.size(); }

 private:
  std::vector<std::uint8_t> bytes_;
};

// Stand-in stored object: a 32-bit length, then that many bytes.
std::vector<std::uint8_t> FakeStoredObject(std::string_view content);
std::optional<std::size_t> MeasureFakeObject(std::span<const std::uint8_t> bytes);
StoredObjectMeasures FakeMeasures();

// A w x h image whose pixels all differ, seeded by `seed`.
PixelImage PatternImage(int width, int height, std::uint32_t seed);

// Samples whose fields differ from the defaults wherever they can.
ToolInstanceRecord SamplePlacedTool(std::string_view id);
ToolRecord SampleButton();  // with Picture and PictureDown
ToolRecord SampleCombo();
ToolRecord SampleEdit();
ToolRecord SampleMenu();    // with PictureDownDisabled
ToolbarRecord SampleToolbar();
// All of the above, with font, background picture, removed IDs and the
// strips built from pattern images.
ControlStream SampleControlStream();

// A control stream written by hand in the layout of `version` (headerless
// when `headerless`), with four tools: "ID_Open" (button with Picture),
// "ID_Menu" (menu holding ID_Open), "ID_Edit" (edit) and "ID_Combo"
// (combo box with two items), the removed ID "ID_Gone" where the version has
// the list, and one floating toolbar "Standard" holding ID_Open. The values
// written are documented in the builder.
std::vector<std::uint8_t> HandBuiltControlStream(std::uint32_t version, bool headerless);

// The 24-bit packed bitmap the hand-built streams use as their Picture
// strip (one 32 x 33 cell).
std::vector<std::uint8_t> HandBuiltStrip();

}  // namespace mz::records::testing
