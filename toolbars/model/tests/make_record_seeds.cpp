// Writes the seed inputs of the record fuzz target into the folder given as
// the only argument: encoded samples and hand-built streams of every data
// version, each behind the fuzz input header that selects how it is read.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "toolbars/model/record_layout.h"
#include "toolbars/model/tests/record_fixtures.h"
#include "toolbars/model/tests/record_fuzz_input.h"

namespace {

using namespace mz::records;
using namespace mz::records::testing;

std::size_t VersionIndex(std::uint32_t version) {
  for (std::size_t i = 0; i < kFuzzVersions.size(); ++i) {
    if (kFuzzVersions[i] == version) return i;
  }
  return kFuzzVersions.size() - 1;
}

class SeedWriter {
 public:
  explicit SeedWriter(std::filesystem::path folder) : folder_(std::move(folder)) {}

  bool Write(const std::string& name, FuzzMode mode, std::uint32_t version, std::int16_t count,
             std::uint8_t width, std::uint8_t height, const std::vector<std::uint8_t>& data) {
    Bytes input;
    input.U8(mode).U8(static_cast<std::uint8_t>(VersionIndex(version))).I16(count).U8(width).U8(height).Raw(data);
    std::ofstream out(folder_ / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(input.data().data()), static_cast<std::streamsize>(input.size()));
    ++written_;
    return static_cast<bool>(out);
  }

  int written() const { return written_; }

 private:
  std::filesystem::path folder_;
  int written_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_record_seeds FOLDER\n");
    return 2;
  }
  std::filesystem::create_directories(argv[1]);
  SeedWriter seeds(argv[1]);
  bool ok = true;

  const ControlStream sample = SampleControlStream();
  ok &= seeds.Write("control_sample", kFuzzControlStream, kCurrentVersion, 0, 0, 0, *EncodeControlStream(sample));
  for (std::uint32_t version : kFuzzVersions) {
    char name[64];
    std::snprintf(name, sizeof name, "control_%08x", static_cast<unsigned>(version));
    ok &= seeds.Write(name, kFuzzControlStream, version, 0, 0, 0, HandBuiltControlStream(version, false));
  }
  ok &= seeds.Write("headerless", kFuzzHeaderless, kHeaderlessVersion, 0, 0, 0,
                    HandBuiltControlStream(kHeaderlessVersion, true));

  const auto toolCount = static_cast<std::int16_t>(sample.Tools.Tools.size());
  ok &= seeds.Write("tools_stream", kFuzzToolsStream, kCurrentVersion, toolCount, 0, 0, *EncodeToolsStream(sample.Tools));
  const auto toolbarCount = static_cast<std::int16_t>(sample.ToolBars.size());
  ok &= seeds.Write("toolbars", kFuzzToolbarRecords, kCurrentVersion, toolbarCount, 0, 0,
                    *EncodeToolbarRecords(sample.ToolBars));

  LayoutStream layout{sample.ToolBars, {{"ID_Button", true}, {"ID_Combo", false}}};
  ok &= seeds.Write("layout", kFuzzLayoutStream, kCurrentVersion, 0, 0, 0, *EncodeLayoutStream(layout));

  ok &= seeds.Write("strip_24bit", kFuzzCutCell, kCurrentVersion, 0, 20, 18, HandBuiltStrip());
  ok &= seeds.Write("strip_built", kFuzzCutCell, kCurrentVersion, 0, 32, 32, sample.Tools.Strips[kPictureDownDisabled]);
  Bytes images;  // two images, 3 x 2 and 33 x 1, pixels taken from the bytes
  images.U8(2).U8(3).U8(2).U8(33).U8(1);
  for (int i = 0; i < 200; ++i) images.U8(static_cast<std::uint8_t>(i * 7));
  ok &= seeds.Write("build", kFuzzBuildStrip, kCurrentVersion, 0, 0, 0, images.data());

  std::printf("%d seeds written to %s\n", seeds.written(), argv[1]);
  return ok ? 0 : 1;
}
