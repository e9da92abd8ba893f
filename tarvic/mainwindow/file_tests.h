#pragma once
#include <string>

#include "platform/file_system.h"

// A file of that name, whatever its read-only, hidden and system attributes.
inline bool fileExists(platform::FileSystem& fs, const std::string& path) {
    const std::uint32_t a = fs.getAttributes(path);
    return a != platform::INVALID_FILE_ATTRIBUTES_ && (a & platform::FILE_ATTRIBUTE_DIRECTORY_) == 0;
}

// A file of that name that is neither hidden nor a system file.
inline bool normalFileExists(platform::FileSystem& fs, const std::string& path) {
    const std::uint32_t a = fs.getAttributes(path);
    return fileExists(fs, path) &&
           (a & (platform::FILE_ATTRIBUTE_HIDDEN_ | platform::FILE_ATTRIBUTE_SYSTEM_)) == 0;
}
