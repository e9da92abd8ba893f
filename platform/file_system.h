#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

constexpr std::uint32_t FILE_ATTRIBUTE_READONLY_ = 0x01;
constexpr std::uint32_t FILE_ATTRIBUTE_HIDDEN_ = 0x02;
constexpr std::uint32_t FILE_ATTRIBUTE_SYSTEM_ = 0x04;
constexpr std::uint32_t FILE_ATTRIBUTE_DIRECTORY_ = 0x10;
constexpr std::uint32_t FILE_ATTRIBUTE_ARCHIVE_ = 0x20;
constexpr std::uint32_t FILE_ATTRIBUTE_NORMAL_ = 0x80;
constexpr std::uint32_t INVALID_FILE_ATTRIBUTES_ = 0xFFFFFFFFu;

// Files by path, the way kernel32 sees them. Paths are UTF-8 text, with
// backslashes; comparison ignores letter case. Contents are raw bytes. Failing calls give the
// Win32 error code in error.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    // GetFileAttributes; INVALID_FILE_ATTRIBUTES_ when there is no such file.
    virtual std::uint32_t getAttributes(const std::string& path) = 0;
    virtual bool setAttributes(const std::string& path, std::uint32_t attributes,
                               std::uint32_t& error) = 0;
    // Reads the whole file as bytes.
    virtual bool readFile(const std::string& path, std::string& bytes, std::uint32_t& error) = 0;
    // Creates a file that must not exist yet, writes the bytes and flushes
    // them to the disk before closing.
    virtual bool writeNewFile(const std::string& path, const std::string& bytes,
                              std::uint32_t& error) = 0;
    // Replaces target by source in one step (MoveFileEx with
    // MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH).
    virtual bool moveReplace(const std::string& source, const std::string& target,
                             std::uint32_t& error) = 0;
    virtual bool deleteFile(const std::string& path, std::uint32_t& error) = 0;
    // Roots of the logical drives, lower case, such as "c:\".
    virtual std::vector<std::string> driveRoots() = 0;
};

} // namespace platform
