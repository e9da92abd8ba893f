#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace sim {

// Drives, folders and files in memory, with the error codes kernel32 gives.
// A read-only target blocks moveReplace with 5, as on Windows NT (Wine lets
// the move through; callers must not rely on either).
class SimFileSystem : public platform::FileSystem {
public:
    enum class Op { Open, Write, Rename, Attributes, Delete };

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

    // Rewrites an existing file or creates one in place (how the profile
    // calls write); read-only files refuse with 5.
    bool overwrite(const std::string& path, const std::string& bytes, std::uint32_t& error);

    // Setup and inspection for tests. putFile and addDirectory create the
    // missing drive and folders on the way.
    void addDrive(char letter);
    void addDirectory(const std::string& path);
    void putFile(const std::string& path, const std::string& bytes,
                 std::uint32_t attributes = platform::FILE_ATTRIBUTE_ARCHIVE_);
    std::optional<std::string> contents(const std::string& path) const;
    std::vector<std::string> listFiles() const;
    // The next count calls of kind op fail with error and change nothing.
    void failOn(Op op, std::uint32_t error, int count = 1);

private:
    struct File {
        std::string path; // as first written
        std::string bytes;
        std::uint32_t attributes = platform::FILE_ATTRIBUTE_ARCHIVE_;
    };
    bool injected(Op op, std::uint32_t& error);
    // 0 when the folder holding path exists, else the error for it.
    std::uint32_t parentError(const std::string& key) const;
    bool isDirectory(const std::string& key) const;

    std::set<char> drives_;
    std::set<std::string> directories_; // normalised keys
    std::map<std::string, File> files_; // by normalised key
    std::map<Op, std::pair<std::uint32_t, int>> failures_;
};

} // namespace sim
