#pragma once
#include <cstdint>
#include <string>

#include "platform/file_system.h"

namespace tarvic {

// ok, or the step that failed ("find", "temporary name", "write",
// "set attributes", "clear attributes", "replace", "check attributes") with
// the system's error code.
struct ReplaceResult {
    bool ok;
    std::uint32_t error;
    const char* step;
};

// Puts bytes in place of the existing file path in one step, keeping its
// attributes (read-only, hidden and system included). On failure up to and
// including "replace" the file and its attributes are as they were and no
// temporary file is left; only "check attributes" comes after the new text
// is in place.
ReplaceResult replaceFileAtomically(platform::FileSystem& fs, const std::string& path,
                                    const std::string& bytes);

} // namespace tarvic
