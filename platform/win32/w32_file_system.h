#pragma once
#include "platform/file_system.h"

namespace w32 {

// kernel32's W file calls: UTF-8 paths converted, contents as raw bytes.
class Win32FileSystem : public platform::FileSystem {
public:
    std::uint32_t getAttributes(const std::string& path) override;
    bool setAttributes(const std::string& path, std::uint32_t attributes,
                       std::uint32_t& error) override;
    bool readFile(const std::string& path, std::string& bytes, std::uint32_t& error) override;
    bool writeNewFile(const std::string& path, const std::string& bytes,
                      std::uint32_t& error) override;
    bool moveReplace(const std::string& source, const std::string& target,
                     std::uint32_t& error) override;
    bool deleteFile(const std::string& path, std::uint32_t& error) override;
    std::vector<std::string> driveRoots() override;
};

} // namespace w32
