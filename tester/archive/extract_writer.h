#pragma once
// Writes an extracted entry below the destination folder.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quarrow::archive {

// Writes `data` to destination/components..., creating the folders between
// (never the destination itself). Every component must already be safe (see
// SafeExtractPath). Nothing is written through an existing symbolic link or
// onto anything but a regular file, and no partial file is left behind: the
// data goes to a fresh temporary file in the target folder that replaces the
// target only once it is complete. Returns false, having written nothing,
// when the file cannot be written (no destination, a link or folder in the
// way, a full disk); the caller skips the entry.
//
// The checks and the writes are separate file-system calls, so a local user
// racing to put a link into the destination between them is not guarded
// against; the destination is meant to be a folder that only its owner writes.
bool WriteExtractedFile(const std::string& destination, const std::vector<std::string>& components,
                        std::span<const uint8_t> data);

}  // namespace quarrow::archive
