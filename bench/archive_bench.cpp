// Throughput of the archive component over a corpus, and the practical floor:
// raw zlib inflate plus CRC-32 over the same entries with no zip checks.
//
//   archive_bench ours ENGINE PATH...
//                                 test each archive with ArchiveTester,
//                                 inflating with ENGINE (zlib or isal);
//                                 prints "<seconds>"
//   archive_bench floor PATH...   inflate and CRC every entry, nothing else;
//                                 prints "<uncompressed bytes> <seconds>",
//                                 the seconds of the inflate and CRC work
//                                 alone (each archive is read into memory
//                                 first, untimed)
//
// The floor walks
// local headers only, so it suits archives whose local headers carry their
// sizes (the generated corpus does).
#include <zlib.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tester/archive/archive_tester.h"

namespace {

using Clock = std::chrono::steady_clock;

uint32_t Le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }
uint16_t Le16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

// Reads a whole archive into a buffer reused across archives, in one read.
void ReadFile(const char* path, std::vector<uint8_t>& bytes) {
  bytes.clear();
  std::FILE* f = std::fopen(path, "rb");
  if (f == nullptr) return;
  std::fseek(f, 0, SEEK_END);
  const long size = std::ftell(f);
  std::fseek(f, 0, SEEK_SET);
  bytes.resize(size > 0 ? static_cast<size_t>(size) : 0);
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
  std::fclose(f);
}

// Inflates (or copies) every entry of one archive and returns its
// uncompressed bytes; a CRC mismatch is reported, since the floor must do
// the same work the tester does.
uint64_t FloorOneArchive(const std::vector<uint8_t>& bytes, const char* path, z_stream& z,
                         std::vector<uint8_t>& out) {
  uint64_t total = 0;
  size_t pos = 0;
  while (pos + 30 <= bytes.size() && Le32(&bytes[pos]) == 0x04034b50) {
    const uint8_t* h = &bytes[pos];
    uint16_t method = Le16(h + 8);
    uint32_t crc = Le32(h + 14), csize = Le32(h + 18), usize = Le32(h + 22);
    size_t data = pos + 30 + Le16(h + 26) + Le16(h + 28);
    if (data + csize > bytes.size()) break;
    uint32_t got = crc32(0, nullptr, 0);
    if (method == 0) {
      got = crc32(got, &bytes[data], csize);
    } else {
      inflateReset(&z);
      z.next_in = const_cast<Bytef*>(&bytes[data]);
      z.avail_in = csize;
      int rc;
      do {
        z.next_out = out.data();
        z.avail_out = uInt(out.size());
        rc = inflate(&z, Z_NO_FLUSH);
        got = crc32(got, out.data(), uInt(out.size() - z.avail_out));
      } while (rc == Z_OK);
    }
    if (got != crc) std::fprintf(stderr, "floor: CRC mismatch in %s\n", path);
    total += usize;
    pos = data + csize;
  }
  return total;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: archive_bench ours zlib|isal ARCHIVE... | floor ARCHIVE...\n");
    return 2;
  }
  const std::string mode = argv[1];
  uint64_t bytes = 0;
  double seconds = 0;
  if (mode == "floor") {
    z_stream z{};
    inflateInit2(&z, -MAX_WBITS);
    std::vector<uint8_t> archive;
    std::vector<uint8_t> out(256 * 1024);
    for (int i = 2; i < argc; ++i) {
      ReadFile(argv[i], archive);
      auto start = Clock::now();
      bytes += FloorOneArchive(archive, argv[i], z, out);
      seconds += std::chrono::duration<double>(Clock::now() - start).count();
    }
    inflateEnd(&z);
  } else if (mode == "ours") {
    const auto engine = quarrow::archive::InflateEngineNamed(argv[2]);
    if (!engine) {
      std::fprintf(stderr, "no inflate engine %s in this build\n", argv[2]);
      return 2;
    }
    quarrow::archive::ArchiveTester tester;
    tester.SetEngine(*engine);
    auto start = Clock::now();
    for (int i = 3; i < argc; ++i) {
      tester.SetArchiveName(argv[i]);
      tester.SetFileMask("");
      if (int rc = tester.Test(); rc != 0) std::fprintf(stderr, "ours: %s gave %d\n", argv[i], rc);
    }
    std::printf("%.6f\n", std::chrono::duration<double>(Clock::now() - start).count());
    return 0;
  } else {
    std::fprintf(stderr, "unknown mode %s\n", argv[1]);
    return 2;
  }
  std::printf("%llu %.6f\n", static_cast<unsigned long long>(bytes), seconds);
  return 0;
}
