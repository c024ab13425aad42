// The generated assets, read the way the tester reads them: the title font
// loaded privately and selected by face name through GDI, the sounds parsed
// as RIFF/WAVE (by our own bounded reader and by winmm's, which PlaySound
// uses), the start-up picture loaded with LoadImage.

#include <windows.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace {

// Backslashes throughout: not every Win32 path parser under Wine takes "/".
std::string windowsPath(const char* path) {
  std::string p(path);
  std::replace(p.begin(), p.end(), '/', '\\');
  return p;
}

std::vector<unsigned char> readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

uint32_t le32(const std::vector<unsigned char>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t(b[at + 3]) << 24);
}
uint16_t le16(const std::vector<unsigned char>& b, size_t at) {
  return uint16_t(b[at] | (b[at + 1] << 8));
}

// ---------------------------------------------------------------------------
// Sounds.

constexpr uint32_t kRate = 22050;

struct Wav {
  uint32_t riffSize = 0;
  uint16_t format = 0, channels = 0, blockAlign = 0, bits = 0;
  uint32_t rate = 0, byteRate = 0;
  size_t dataOffset = 0, dataSize = 0;
  std::vector<int16_t> samples;
  double seconds() const { return double(samples.size()) / kRate; }
};

// Walks the chunks of a RIFF/WAVE file; nullopt when a header or a chunk
// runs past the bytes present, or fmt/data is missing.
std::optional<Wav> parseWav(const std::vector<unsigned char>& b) {
  if (b.size() < 12 || std::memcmp(b.data(), "RIFF", 4) != 0 || std::memcmp(b.data() + 8, "WAVE", 4) != 0)
    return std::nullopt;
  Wav w;
  w.riffSize = le32(b, 4);
  bool haveFmt = false, haveData = false;
  size_t at = 12;
  while (at + 8 <= b.size()) {
    const uint32_t size = le32(b, at + 4);
    const size_t body = at + 8;
    if (size > b.size() - body) return std::nullopt;
    if (std::memcmp(&b[at], "fmt ", 4) == 0 && size >= 16) {
      w.format = le16(b, body);
      w.channels = le16(b, body + 2);
      w.rate = le32(b, body + 4);
      w.byteRate = le32(b, body + 8);
      w.blockAlign = le16(b, body + 12);
      w.bits = le16(b, body + 14);
      haveFmt = true;
    } else if (std::memcmp(&b[at], "data", 4) == 0) {
      w.dataOffset = body;
      w.dataSize = size;
      for (size_t i = 0; i + 1 < size; i += 2) w.samples.push_back(int16_t(le16(b, body + i)));
      haveData = true;
    }
    at = body + size + (size & 1);
  }
  if (!haveFmt || !haveData) return std::nullopt;
  return w;
}

// Root mean square of each window of `window` samples.
std::vector<double> rmsWindows(const std::vector<int16_t>& s, size_t window) {
  std::vector<double> out;
  for (size_t i = 0; i + window <= s.size(); i += window) {
    double sum = 0;
    for (size_t k = i; k < i + window; ++k) sum += double(s[k]) * s[k];
    out.push_back(std::sqrt(sum / window));
  }
  return out;
}

struct SoundCase {
  const char* name;
  const char* path;
  double minSeconds, maxSeconds;
};

void PrintTo(const SoundCase& c, std::ostream* os) { *os << c.name; }

const SoundCase kSounds[] = {
    {"thunder", QUARROW_THUNDER_WAV, 2.0, 3.0},
    {"error", QUARROW_ERROR_WAV, 0.1, 1.0},
};

class SoundTest : public testing::TestWithParam<SoundCase> {
 protected:
  std::string path() const { return windowsPath(GetParam().path); }
};

TEST_P(SoundTest, IsPcm16MonoWithDataChunkEndingTheFile) {
  const auto bytes = readFile(path());
  ASSERT_FALSE(bytes.empty()) << path();
  const auto wav = parseWav(bytes);
  ASSERT_TRUE(wav) << "not a well-formed RIFF/WAVE file";
  EXPECT_EQ(wav->riffSize, bytes.size() - 8);
  EXPECT_EQ(wav->format, WAVE_FORMAT_PCM);
  EXPECT_EQ(wav->channels, 1);
  EXPECT_EQ(wav->rate, kRate);
  EXPECT_EQ(wav->bits, 16);
  EXPECT_EQ(wav->blockAlign, 2);
  EXPECT_EQ(wav->byteRate, kRate * 2);
  EXPECT_EQ(wav->dataOffset + wav->dataSize, bytes.size());
  EXPECT_EQ(wav->dataSize % 2, 0u);
  EXPECT_GE(wav->seconds(), GetParam().minSeconds);
  EXPECT_LE(wav->seconds(), GetParam().maxSeconds);
}

TEST_P(SoundTest, IsClearlyAudibleAndNotClipped) {
  const auto wav = parseWav(readFile(path()));
  ASSERT_TRUE(wav);
  int peak = 0;
  size_t atFullScale = 0;
  for (int16_t s : wav->samples) {
    peak = std::max(peak, std::abs(int(s)));
    if (s >= 32767 || s <= -32767) ++atFullScale;
  }
  const auto windows = rmsWindows(wav->samples, kRate / 20);
  ASSERT_FALSE(windows.empty());
  EXPECT_GE(peak, 16000) << "too quiet to hear clearly";
  EXPECT_GE(*std::max_element(windows.begin(), windows.end()), 4000.0);
  EXPECT_LT(atFullScale, wav->samples.size() / 1000) << "clipped";
}

// winmm's RIFF reader is what PlaySound goes through.
TEST_P(SoundTest, WinmmFindsTheFormatAndTheData) {
  std::string p = path();
  HMMIO io = mmioOpenA(p.data(), nullptr, MMIO_READ | MMIO_ALLOCBUF);
  ASSERT_NE(io, nullptr) << p;
  MMCKINFO riff{};
  riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
  ASSERT_EQ(mmioDescend(io, &riff, nullptr, MMIO_FINDRIFF), MMSYSERR_NOERROR);
  MMCKINFO fmt{};
  fmt.ckid = mmioFOURCC('f', 'm', 't', ' ');
  ASSERT_EQ(mmioDescend(io, &fmt, &riff, MMIO_FINDCHUNK), MMSYSERR_NOERROR);
  PCMWAVEFORMAT format{};
  ASSERT_EQ(mmioRead(io, reinterpret_cast<HPSTR>(&format), sizeof format), LONG(sizeof format));
  EXPECT_EQ(format.wf.wFormatTag, WAVE_FORMAT_PCM);
  EXPECT_EQ(format.wf.nChannels, 1);
  EXPECT_EQ(format.wf.nSamplesPerSec, kRate);
  EXPECT_EQ(format.wBitsPerSample, 16);
  mmioAscend(io, &fmt, 0);
  MMCKINFO data{};
  data.ckid = mmioFOURCC('d', 'a', 't', 'a');
  ASSERT_EQ(mmioDescend(io, &data, &riff, MMIO_FINDCHUNK), MMSYSERR_NOERROR);
  EXPECT_GT(data.cksize, 0u);
  mmioClose(io, 0);
}

INSTANTIATE_TEST_SUITE_P(Generated, SoundTest, testing::ValuesIn(kSounds),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ThunderTest, LastsLongerThanTheErrorTone) {
  const auto thunder = parseWav(readFile(windowsPath(QUARROW_THUNDER_WAV)));
  const auto error = parseWav(readFile(windowsPath(QUARROW_ERROR_WAV)));
  ASSERT_TRUE(thunder && error);
  EXPECT_GT(thunder->seconds(), error->seconds());
}

// A clap: loudest early, then rumbling away to near silence at the end.
TEST(ThunderTest, StrikesEarlyAndDiesAway) {
  const auto wav = parseWav(readFile(windowsPath(QUARROW_THUNDER_WAV)));
  ASSERT_TRUE(wav);
  const auto windows = rmsWindows(wav->samples, kRate / 20);
  ASSERT_GE(windows.size(), 20u);
  const auto loudest = std::max_element(windows.begin(), windows.end());
  EXPECT_LT(size_t(loudest - windows.begin()), windows.size() / 4);
  EXPECT_LT(windows.back(), *loudest * 0.05);
  // Still rumbling at mid length, not a click followed by silence.
  EXPECT_GT(windows[windows.size() / 2], *loudest * 0.1);
}

// Zero crossings per second of the samples [begin, end), halved: the pitch
// of a tone without even harmonics.
double zeroCrossingHz(const std::vector<int16_t>& s, size_t begin, size_t end) {
  size_t crossings = 0;
  for (size_t i = begin + 1; i < end; ++i)
    if ((s[i - 1] < 0) != (s[i] < 0)) ++crossings;
  return crossings / 2.0 / (double(end - begin) / kRate);
}

TEST(ErrorToneTest, FallsInPitch) {
  const auto wav = parseWav(readFile(windowsPath(QUARROW_ERROR_WAV)));
  ASSERT_TRUE(wav);
  const size_t window = kRate / 100;
  const auto windows = rmsWindows(wav->samples, window);
  ASSERT_FALSE(windows.empty());
  const double loudest = *std::max_element(windows.begin(), windows.end());
  std::vector<double> pitches;  // of the windows that sound
  for (size_t i = 0; i < windows.size(); ++i)
    if (windows[i] > loudest * 0.3) pitches.push_back(zeroCrossingHz(wav->samples, i * window, (i + 1) * window));
  ASSERT_GE(pitches.size(), 10u);
  EXPECT_GT(pitches.front(), pitches.back() * 1.2);
  EXPECT_GT(pitches.back(), 200.0) << "too low for a small speaker";
}

// ---------------------------------------------------------------------------
// Title font.

const char kRequired[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 .,-&'";

class DeviceContext {
 public:
  DeviceContext() : dc_(CreateCompatibleDC(nullptr)) {}
  ~DeviceContext() {
    if (old_) SelectObject(dc_, old_);
    if (font_) DeleteObject(font_);
    DeleteDC(dc_);
  }
  HDC get() const { return dc_; }
  void selectFace(const char* face, int height = -48) {
    font_ = CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS,
                        CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DECORATIVE, face);
    old_ = SelectObject(dc_, font_);
  }
  std::string face() const {
    char name[LF_FACESIZE] = {};
    GetTextFaceA(dc_, LF_FACESIZE, name);
    return name;
  }

 private:
  HDC dc_;
  HFONT font_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

// Without the file the face is not on this system, so the face check below
// can only pass because of the generated font. A different height from the
// other tests: Wine keeps the font it chose for an identical LOGFONT and
// hands it out again even after a matching font resource has been added.
TEST(TitleFontAbsentTest, FaceIsSubstitutedUntilTheFileIsLoaded) {
  DeviceContext dc;
  dc.selectFace("Chaucer", -20);
  EXPECT_NE(dc.face(), "Chaucer");
}

class TitleFontTest : public testing::Test {
 protected:
  void SetUp() override {
    path_ = windowsPath(QUARROW_TITLE_FONT);
    ASSERT_GT(AddFontResourceExA(path_.c_str(), FR_PRIVATE, nullptr), 0) << path_;
    dc_.selectFace("Chaucer");
    // Every test below measures whatever font was selected: make sure it is
    // ours and not a substitute.
    ASSERT_EQ(dc_.face(), "Chaucer");
  }
  void TearDown() override { RemoveFontResourceExA(path_.c_str(), FR_PRIVATE, nullptr); }

  std::string path_;
  DeviceContext dc_;
};

TEST_F(TitleFontTest, IsSelectedByItsFaceName) {
  EXPECT_EQ(dc_.face(), "Chaucer");
  TEXTMETRICA tm{};
  ASSERT_TRUE(GetTextMetricsA(dc_.get(), &tm));
  EXPECT_TRUE(tm.tmPitchAndFamily & TMPF_TRUETYPE);
  EXPECT_EQ(tm.tmWeight, FW_NORMAL);
  EXPECT_FALSE(tm.tmItalic);
}

TEST_F(TitleFontTest, NamesItselfChaucerRegular) {
  const UINT size = GetOutlineTextMetricsA(dc_.get(), 0, nullptr);
  ASSERT_GT(size, sizeof(OUTLINETEXTMETRICA));
  std::vector<char> buffer(size);
  auto* otm = reinterpret_cast<OUTLINETEXTMETRICA*>(buffer.data());
  ASSERT_EQ(GetOutlineTextMetricsA(dc_.get(), size, otm), size);
  auto text = [&](PSTR offset) { return std::string(buffer.data() + reinterpret_cast<uintptr_t>(offset)); };
  EXPECT_EQ(text(otm->otmpFamilyName), "Chaucer");
  EXPECT_EQ(text(otm->otmpFaceName), "Chaucer");
  EXPECT_EQ(text(otm->otmpStyleName), "Regular");
}

TEST_F(TitleFontTest, HasItsOwnGlyphForEveryRequiredCharacter) {
  const int count = int(sizeof kRequired - 1);
  std::vector<WORD> indices(count);
  ASSERT_EQ(GetGlyphIndicesA(dc_.get(), kRequired, count, indices.data(), GGI_MARK_NONEXISTING_GLYPHS),
            DWORD(count));
  for (int i = 0; i < count; ++i) {
    EXPECT_NE(indices[i], 0xFFFF) << "no glyph for '" << kRequired[i] << "'";
    EXPECT_NE(indices[i], 0) << "'" << kRequired[i] << "' maps to .notdef";
  }
  EXPECT_EQ(std::set<WORD>(indices.begin(), indices.end()).size(), size_t(count));
}

TEST_F(TitleFontTest, EveryCharacterButSpaceHasAnOutline) {
  const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  for (const char* c = kRequired; *c; ++c) {
    GLYPHMETRICS gm{};
    const DWORD size = GetGlyphOutlineA(dc_.get(), UINT(UCHAR(*c)), GGO_NATIVE, &gm, 0, nullptr, &identity);
    if (*c == ' ') {
      EXPECT_TRUE(size == 0 || size == GDI_ERROR) << "space has ink";
      continue;
    }
    ASSERT_NE(size, GDI_ERROR) << "'" << *c << "'";
    EXPECT_GT(size, 0u) << "'" << *c << "' has no outline";
    EXPECT_GT(gm.gmBlackBoxX, 1u) << "'" << *c << "'";
    EXPECT_GT(gm.gmBlackBoxY, 1u) << "'" << *c << "'";
  }
}

TEST_F(TitleFontTest, IsProportional) {
  std::set<INT> widths;
  for (const char* c = kRequired; *c; ++c) {
    INT width = 0;
    ASSERT_TRUE(GetCharWidth32A(dc_.get(), UCHAR(*c), UCHAR(*c), &width));
    EXPECT_GT(width, 0) << "'" << *c << "'";
    widths.insert(width);
  }
  EXPECT_GE(widths.size(), 5u);
  INT m = 0, i = 0;
  GetCharWidth32A(dc_.get(), 'm', 'm', &m);
  GetCharWidth32A(dc_.get(), 'i', 'i', &i);
  EXPECT_GT(m, 2 * i);
}

// The title renders: drawing it puts ink in the middle of a white bitmap.
TEST_F(TitleFontTest, DrawsTheTitle) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = 400;
  bi.bmiHeader.biHeight = -80;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc_.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(bitmap, nullptr);
  HGDIOBJ old = SelectObject(dc_.get(), bitmap);
  std::memset(bits, 0xFF, 400 * 80 * 4);
  SetTextColor(dc_.get(), RGB(0, 0, 0));
  SetBkMode(dc_.get(), TRANSPARENT);
  ASSERT_TRUE(TextOutA(dc_.get(), 10, 10, "Quarrow", 7));
  GdiFlush();
  const auto* px = static_cast<const uint32_t*>(bits);
  size_t ink = 0;
  for (int k = 0; k < 400 * 80; ++k)
    if ((px[k] & 0xFFFFFF) < 0x808080) ++ink;
  SelectObject(dc_.get(), old);
  DeleteObject(bitmap);
  EXPECT_GT(ink, 400u);
  EXPECT_LT(ink, 400u * 80u / 2);
}

// ---------------------------------------------------------------------------
// Start-up picture.

TEST(SplashTest, IsAnUncompressed24BitBitmapOf96By96) {
  const auto bytes = readFile(windowsPath(QUARROW_SPLASH_BMP));
  ASSERT_GE(bytes.size(), 54u);
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(bytes[1], 'M');
  EXPECT_EQ(le32(bytes, 2), bytes.size());
  EXPECT_EQ(le32(bytes, 10), 54u);
  EXPECT_EQ(le32(bytes, 14), 40u);
  EXPECT_EQ(int32_t(le32(bytes, 18)), 96);
  EXPECT_EQ(int32_t(le32(bytes, 22)), 96);
  EXPECT_EQ(le16(bytes, 28), 24);
  EXPECT_EQ(le32(bytes, 30), uint32_t(BI_RGB));
  EXPECT_EQ(bytes.size(), 54u + 96u * 96u * 3u);
}

TEST(SplashTest, LoadsWithLoadImageAndKeepsItsPixels) {
  const std::string path = windowsPath(QUARROW_SPLASH_BMP);
  HBITMAP bitmap = static_cast<HBITMAP>(
      LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  ASSERT_NE(bitmap, nullptr) << path;
  DIBSECTION dib{};
  ASSERT_EQ(GetObjectA(bitmap, sizeof dib, &dib), int(sizeof dib));
  EXPECT_EQ(dib.dsBm.bmWidth, 96);
  EXPECT_EQ(std::abs(dib.dsBm.bmHeight), 96);
  EXPECT_EQ(dib.dsBm.bmBitsPixel, 24);

  // What GDI loaded is what the file holds.
  const auto bytes = readFile(path);
  ASSERT_EQ(bytes.size(), 54u + 96u * 96u * 3u);
  ASSERT_NE(dib.dsBm.bmBits, nullptr);
  ASSERT_GT(dib.dsBmih.biHeight, 0);  // bottom-up, like the file
  EXPECT_EQ(std::memcmp(dib.dsBm.bmBits, bytes.data() + 54, 96 * 96 * 3), 0);
  DeleteObject(bitmap);
}

// A drawing, not noise and not a flat fill: many colours, but neighbouring
// pixels mostly alike.
TEST(SplashTest, IsASmoothPictureOfManyColours) {
  const auto bytes = readFile(windowsPath(QUARROW_SPLASH_BMP));
  ASSERT_EQ(bytes.size(), 54u + 96u * 96u * 3u);
  const unsigned char* px = bytes.data() + 54;
  std::set<uint32_t> colours;
  double difference = 0;
  for (int y = 0; y < 96; ++y)
    for (int x = 0; x < 96; ++x) {
      const unsigned char* p = px + (y * 96 + x) * 3;
      colours.insert(p[0] | (p[1] << 8) | (p[2] << 16));
      if (x > 0)
        for (int c = 0; c < 3; ++c) difference += std::abs(int(p[c]) - int(p[c - 3]));
    }
  const double meanDifference = difference / (95.0 * 96.0 * 3.0);
  EXPECT_GE(colours.size(), 100u);
  EXPECT_LT(meanDifference, 12.0);
}

}  // namespace
