// Fuzz target of the control's record codec. Decodes arbitrary bytes as each
// kind of persisted data (the input header chooses which, with the data
// version and count); whatever decodes completely is encoded again, and the
// result must decode to the same records after the normalisation writing
// applies, and encode to the same bytes. Picture strips are cut and built
// with the same round-trip check.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "toolbars/model/record_control_stream.h"
#include "toolbars/model/record_layout.h"
#include "toolbars/model/record_picture_strip.h"
#include "toolbars/model/tests/record_fixtures.h"
#include "toolbars/model/tests/record_fuzz_input.h"

namespace {

using namespace mz::records;
using namespace mz::records::testing;

void Check(bool condition) {
  if (!condition) std::abort();
}

// What writing does to a decoded placed tool.
void NormalizePlaced(ToolInstanceRecord& tool) {
  if (tool.CtlWidth != -1 && tool.CtlWidth < 1) tool.CtlWidth = 1;
}

void NormalizeToolbar(ToolbarRecord& toolbar) {
  for (ToolInstanceRecord& tool : toolbar.Tools) NormalizePlaced(tool);
}

bool HasAnyPicture(const ToolRecord& tool) {
  return std::find(tool.HasPicture.begin(), tool.HasPicture.end(), true) != tool.HasPicture.end();
}

// What writing does to decoded tools. Data that predates strips has its
// pictures inline; they are moved into strips of blank cells, as the platform
// side would after turning them into picture objects.
void NormalizeTools(ToolsStream& stream) {
  for (ToolRecord& tool : stream.Tools) {
    if (tool.Instance.CtlWidth < 1) tool.Instance.CtlWidth = 1;
    if (!HasAnyPicture(tool)) tool.PictureWidth = tool.PictureHeight = 0;
    tool.InlinePictures = {};
    if (tool.Type != kToolTypeComboBox) tool.ComboBox = {};
    if (tool.Type != kToolTypeEdit) tool.Edit = {};
    if (tool.Type != kToolTypeMenu) tool.Menu = {};
    for (ToolInstanceRecord& sub : tool.Menu.Tools) NormalizePlaced(sub);
  }
  for (std::size_t kind = 0; kind < kPictureKinds; ++kind) {
    const std::vector<std::size_t> members = StripTools(stream.Tools, static_cast<PictureKind>(kind));
    if (members.empty() || !stream.Strips[kind].empty()) continue;
    std::vector<PixelImage> cells;
    for (std::size_t index : members) {
      const ToolRecord& tool = stream.Tools[index];
      const int w = std::clamp<int>(tool.PictureWidth, 0, kStripCellWidth);
      const int h = std::clamp<int>(tool.PictureHeight, 0, kStripHeight);
      cells.push_back(PixelImage{w, h, std::vector<std::uint32_t>(static_cast<std::size_t>(w * h), 0)});
    }
    stream.Strips[kind] = *BuildPictureStrip(cells, 0x00C0C0C0);
  }
}

void CutEveryCell(const ToolsStream& stream) {
  for (std::size_t kind = 0; kind < kPictureKinds; ++kind) {
    const std::vector<std::size_t> members = StripTools(stream.Tools, static_cast<PictureKind>(kind));
    for (std::size_t cell = 0; cell < members.size(); ++cell) {
      const ToolRecord& tool = stream.Tools[members[cell]];
      Result<PixelImage> image = CutStripCell(stream.Strips[kind], cell, tool.PictureWidth, tool.PictureHeight);
      if (image) Check(image->Pixels.size() == static_cast<std::size_t>(image->Width) * image->Height);
    }
  }
}

void RoundTripControlStream(ControlStream stream) {
  CutEveryCell(stream.Tools);
  NormalizeTools(stream.Tools);
  for (ToolbarRecord& toolbar : stream.ToolBars) NormalizeToolbar(toolbar);
  stream.Header.Version = kCurrentVersion;

  Result<std::vector<std::uint8_t>> bytes = EncodeControlStream(stream);
  Check(bytes.ok());
  RecordReader reader(*bytes);
  Partial<ControlStream> again = ReadControlStream(reader, FakeMeasures());
  Check(again.ok() && reader.Remaining() == 0);
  // Only the counts of the block are rewritten from the records.
  stream.Block.ToolsCount = static_cast<std::int16_t>(stream.Tools.Tools.size());
  stream.Block.ToolBarsCount = static_cast<std::int16_t>(stream.ToolBars.size());
  Check(again.Value == stream);
  Check(*EncodeControlStream(again.Value) == *bytes);
}

void FuzzControlStream(std::span<const std::uint8_t> data, bool headerless) {
  RecordReader reader(data);
  Partial<ControlStream> stream =
      headerless ? ReadHeaderlessControlStream(reader, FakeMeasures()) : ReadControlStream(reader, FakeMeasures());
  if (stream.Error) {
    Check(stream.Value.Tools.Tools.size() <= static_cast<std::size_t>(std::max<int>(stream.Value.Block.ToolsCount, 0)));
    return;
  }
  RoundTripControlStream(std::move(stream.Value));
}

void FuzzToolsStream(std::span<const std::uint8_t> data, std::uint32_t version, std::int16_t count) {
  RecordReader reader(data);
  Partial<ToolsStream> stream = ReadToolsStream(reader, version, count, MeasureFakeObject);
  if (stream.Error) return;
  CutEveryCell(stream.Value);
  NormalizeTools(stream.Value);
  Result<std::vector<std::uint8_t>> bytes = EncodeToolsStream(stream.Value);
  Check(bytes.ok());
  RecordReader again(*bytes);
  Partial<ToolsStream> decoded = ReadToolsStream(again, kCurrentVersion, count, MeasureFakeObject);
  Check(decoded.ok() && again.Remaining() == 0 && decoded.Value == stream.Value);
}

void FuzzToolbarRecords(std::span<const std::uint8_t> data, std::uint32_t version, std::int16_t count) {
  RecordReader reader(data);
  Partial<std::vector<ToolbarRecord>> toolbars = ReadToolbarRecords(reader, version, count);
  if (toolbars.Error) return;
  for (ToolbarRecord& toolbar : toolbars.Value) NormalizeToolbar(toolbar);
  Result<std::vector<std::uint8_t>> bytes = EncodeToolbarRecords(toolbars.Value);
  Check(bytes.ok());
  RecordReader again(*bytes);
  Partial<std::vector<ToolbarRecord>> decoded = ReadToolbarRecords(again, kCurrentVersion, count);
  Check(decoded.ok() && again.Remaining() == 0 && decoded.Value == toolbars.Value);
}

void FuzzLayoutStream(std::span<const std::uint8_t> data, std::uint32_t version) {
  RecordReader reader(data);
  Result<Partial<LayoutStream>> layout = ReadLayoutStream(reader, version);
  if (!layout || layout->Error) return;
  for (ToolbarRecord& toolbar : layout->Value.ToolBars) NormalizeToolbar(toolbar);
  Result<std::vector<std::uint8_t>> bytes = EncodeLayoutStream(layout->Value);
  Check(bytes.ok());
  RecordReader again(*bytes);
  Result<Partial<LayoutStream>> decoded = ReadLayoutStream(again, kCurrentVersion);
  Check(decoded.ok() && decoded->ok() && again.Remaining() == 0 && decoded->Value == layout->Value);
}

void FuzzCutCell(std::span<const std::uint8_t> data, std::int16_t cell, int width, int height) {
  Result<PixelImage> image = CutStripCell(data, static_cast<std::uint16_t>(cell), width, height);
  if (!image) return;
  Check(image->Width >= 1 && image->Width <= std::min(width, kStripCellWidth));
  Check(image->Height >= 1 && image->Height <= std::min(height, kStripHeight));
  Check(image->Pixels.size() == static_cast<std::size_t>(image->Width) * image->Height);
}

// Images taken from the bytes, built into a strip and cut out again: each
// cell must come back as its image clipped to the cell.
void FuzzBuildStrip(std::span<const std::uint8_t> data) {
  if (data.empty()) return;
  std::size_t at = 0;
  auto next = [&] { return at < data.size() ? data[at++] : std::uint8_t{0}; };
  const std::size_t count = next() % 9;
  std::vector<PixelImage> images;
  for (std::size_t i = 0; i < count; ++i) {
    const int w = next() % 48;
    const int h = next() % 48;
    images.push_back(PixelImage{w, h, {}});
  }
  for (PixelImage& image : images) {
    for (int i = 0; i < image.Width * image.Height; ++i) {
      image.Pixels.push_back(static_cast<std::uint32_t>(next()) << 16 | static_cast<std::uint32_t>(next()) << 8 | next());
    }
  }
  Result<std::vector<std::uint8_t>> strip = BuildPictureStrip(images, 0x00123456);
  Check(strip.ok() && strip->empty() == images.empty());
  for (std::size_t k = 0; k < images.size(); ++k) {
    const PixelImage& image = images[k];
    Result<PixelImage> cut = CutStripCell(*strip, k, image.Width, image.Height);
    if (image.Width == 0 || image.Height == 0) {
      Check(!cut.ok());
      continue;
    }
    Check(cut.ok());
    const int w = std::min(image.Width, kStripCellWidth);
    const int h = std::min(image.Height, kStripHeight);
    Check(cut->Width == w && cut->Height == h);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) Check(cut->Pixels[y * w + x] == image.Pixels[y * image.Width + x]);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  if (size < kFuzzHeaderSize) return 0;
  const auto mode = static_cast<FuzzMode>(bytes[0] % kFuzzModes);
  const std::uint32_t version = kFuzzVersions[bytes[1] % kFuzzVersions.size()];
  const auto count = static_cast<std::int16_t>(bytes[2] | (bytes[3] << 8));
  const std::span<const std::uint8_t> data(bytes + kFuzzHeaderSize, size - kFuzzHeaderSize);
  switch (mode) {
    case kFuzzControlStream: FuzzControlStream(data, false); break;
    case kFuzzHeaderless: FuzzControlStream(data, true); break;
    case kFuzzToolsStream: FuzzToolsStream(data, version, count); break;
    case kFuzzToolbarRecords: FuzzToolbarRecords(data, version, count); break;
    case kFuzzLayoutStream: FuzzLayoutStream(data, version); break;
    case kFuzzCutCell: FuzzCutCell(data, count, bytes[4], bytes[5]); break;
    case kFuzzBuildStrip: FuzzBuildStrip(data); break;
    case kFuzzModes: break;
  }
  return 0;
}
