#pragma once
// The decoders of each method; MakeDecoder picks among those this build has.
#include "entry_decoder.h"

namespace quarrow::archive {

std::unique_ptr<EntryDecoder> MakeDeflateDecoder();
std::unique_ptr<EntryDecoder> MakeIsalDeflateDecoder();
std::unique_ptr<EntryDecoder> MakeBzip2Decoder();
std::unique_ptr<EntryDecoder> MakeLzmaDecoder();
std::unique_ptr<EntryDecoder> MakeXzDecoder();
std::unique_ptr<EntryDecoder> MakeZstdDecoder();

}  // namespace quarrow::archive
